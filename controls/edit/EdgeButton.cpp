#include "controls/edit/EdgeButton.h"

namespace quillon {

namespace {

// A one-pixel line through the points, the last one not painted.
template <size_t N>
void Line(TCanvas& canvas, TColor color, const POINT (&points)[N])
{
    canvas.Polyline(points, static_cast<int>(N), color);
}

// The unbinding happens on every way out of a paint.
class TBoundCanvas {
public:
    TBoundCanvas(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
    ~TBoundCanvas() { canvas_.SetHandle(nullptr); }
    TBoundCanvas(const TBoundCanvas&) = delete;
    TBoundCanvas& operator=(const TBoundCanvas&) = delete;

private:
    TCanvas& canvas_;
};

} // namespace

void PaintEdgeButton(TCanvas& canvas, RECT client, const TEdgeLook& look, const std::string& caption,
                     const TFont& font)
{
    RECT r = client;
    if (look.active || look.focused) {
        canvas.FillRect(r, clWindowText); // the outline; the face fills its inside
        InflateRect(&r, -1, -1);
    }
    canvas.FillRect(r, clBtnFace);
    const LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
    if (look.hot) {
        Line(canvas, clWindowText, {POINT{R - 1, T}, POINT{R - 1, B - 1}, POINT{L - 1, B - 1}});
        Line(canvas, clBtnHighlight, {POINT{L, B - 2}, POINT{L, T}, POINT{R - 1, T}});
        Line(canvas, clBtnShadow, {POINT{R - 2, T + 1}, POINT{R - 2, B - 2}, POINT{L, B - 2}});
    } else {
        Line(canvas, clBtnHighlight, {POINT{L, B - 2}, POINT{L, T}, POINT{R - 1, T}});
        Line(canvas, clBtnShadow, {POINT{R - 1, T}, POINT{R - 1, B - 1}, POINT{L - 1, B - 1}});
    }
    if (look.pressed) {
        canvas.FillRect(r, clBtnFace);
        Line(canvas, clBtnShadow, {POINT{L, B - 2}, POINT{L, T}, POINT{R - 1, T}});
        Line(canvas, clBtnHighlight, {POINT{R - 1, T}, POINT{R - 1, B - 1}, POINT{L - 1, B - 1}});
    }
    if (look.active && look.focused) {
        InflateRect(&r, -3, -3);
        DrawFocusRect(canvas.Handle(), &r);
    }
    if (look.pressed)
        OffsetRect(&r, 1, 1);
    canvas.SetFont(font);
    const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (!look.embossed) {
        canvas.DrawText(caption, r, format, clBtnText);
        return;
    }
    OffsetRect(&r, 1, 1);
    canvas.DrawText(caption, r, format, clBtnHighlight);
    OffsetRect(&r, -1, -1);
    canvas.DrawText(caption, r, format, clBtnShadow);
}

TEdgeButton::TEdgeButton(TWinControl* parent) : TButton(parent), buttonCanvas_(std::make_unique<TCanvas>())
{
    SetBounds(Left(), Top(), 75, 23);
}

TEdgeButton::~TEdgeButton() = default;

void TEdgeButton::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.style |= BS_OWNERDRAW; // takes in the push and default-push styles
}

void TEdgeButton::SetButtonActive(bool active)
{
    if (active == activeLook_)
        return;
    activeLook_ = active;
    Repaint();
}

void TEdgeButton::FontChanged()
{
    TButton::FontChanged();
    Invalidate();
}

void TEdgeButton::EnabledChanged()
{
    TButton::EnabledChanged();
    Invalidate();
}

void TEdgeButton::MouseEnter()
{
    TButton::MouseEnter();
    if (!mouseInside_)
        Invalidate();
}

void TEdgeButton::MouseLeave()
{
    TButton::MouseLeave();
    if (mouseInside_)
        Invalidate();
}

bool TEdgeButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    PaintButton(item.hDC, item.itemState);
    return true;
}

bool TEdgeButton::MeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemWidth = static_cast<UINT>(Width());
    item.itemHeight = static_cast<UINT>(Height());
    return true;
}

LRESULT TEdgeButton::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    // An owner-drawn system button only reports a double-click; the second
    // click of one presses the button again instead.
    if (msg == WM_LBUTTONDBLCLK)
        return SendMessageW(Handle(), WM_LBUTTONDOWN, wp, lp);
    return TButton::WndProc(msg, wp, lp);
}

void TEdgeButton::PaintButton(HDC dc, UINT itemState)
{
    TBoundCanvas bound(*buttonCanvas_, dc);
    POINT cursor{};
    GetCursorPos(&cursor);
    POINT topLeft{Left(), Top()}, bottomRight{Left() + Width(), Top() + Height()};
    if (Parent()) {
        topLeft = Parent()->ClientToScreen(topLeft);
        bottomRight = Parent()->ClientToScreen(bottomRight);
    }
    const RECT onScreen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    mouseInside_ = PtInRect(&onScreen, cursor) != FALSE;

    TEdgeLook look;
    look.active = activeLook_;
    look.focused = (itemState & ODS_FOCUS) != 0;
    look.pressed = (itemState & ODS_SELECTED) != 0;
    look.hot = mouseInside_;
    look.embossed = !Enabled() && (itemState & ODS_DISABLED) != 0;
    PaintEdgeButton(*buttonCanvas_, RECT{0, 0, Width(), Height()}, look, Caption(), ScaledFont());
}

} // namespace quillon
