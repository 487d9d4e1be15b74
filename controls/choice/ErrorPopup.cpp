#include "controls/choice/ErrorPopup.h"

#include "controls/choice/ChoicePaint.h"
#include "controls/choice/PopupHook.h"
#include "framework/GdiObjects.h"

#include <algorithm>
#include <vector>

namespace quillon {

namespace {

constexpr UINT_PTR DisplayTimerId = 1;
constexpr TColor ErrorPopupColor = 0xEFFFFF;

// Lines split at CR LF or a lone LF.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        size_t end = lf;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
}

constexpr UINT LineFormat = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP;

// Height of a line: an empty one still takes the font's height.
SIZE MeasureLine(TCanvas& canvas, const std::string& line)
{
    return canvas.MeasureText(line.empty() ? std::string(" ") : line, LineFormat);
}

} // namespace

UINT HideErrorMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Quillon.QnHideErrorPopup");
    return message;
}

// ---- TQnPopupWindow

TQnPopupWindow::TQnPopupWindow(TWinControl* owner) : TPopupWindow(owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

TQnPopupWindow::~TQnPopupWindow() = default;

void TQnPopupWindow::SetAnchor(int left, int top)
{
    anchor_ = POINT{left, top};
}

void TQnPopupWindow::CreateParams(TCreateParams& params)
{
    TPopupWindow::CreateParams(params);
    params.style |= WS_BORDER;
}

LRESULT TQnPopupWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCPAINT) {
        // The border is not the popup's: it shows the screen that lay there
        // (left unpainted, the platform shows it black).
        PaintBorderFromScreen();
        return 0;
    }
    return TPopupWindow::WndProc(msg, wp, lp);
}

void TQnPopupWindow::PaintBorderFromScreen()
{
    if (border_.Empty() || !HandleAllocated())
        return;
    TWindowDC dc(Handle());
    if (!dc.Handle())
        return;
    const int w = border_.Width(), h = border_.Height();
    HDC source = border_.Canvas().Handle();
    BitBlt(dc.Handle(), 0, 0, w, 1, source, 0, 0, SRCCOPY);
    BitBlt(dc.Handle(), 0, h - 1, w, 1, source, 0, h - 1, SRCCOPY);
    BitBlt(dc.Handle(), 0, 0, 1, h, source, 0, 0, SRCCOPY);
    BitBlt(dc.Handle(), w - 1, 0, 1, h, source, w - 1, 0, SRCCOPY);
}

RECT TQnPopupWindow::DesktopRect()
{
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

POINT TQnPopupWindow::DesiredTopLeft() const
{
    TWinControl* owner = OwnerControl();
    if (!owner || Placement == TPopupPlacement::pmAtPoint)
        return anchor_;
    switch (Placement) {
    case TPopupPlacement::pmBelowLeft:
        return owner->ClientToScreen(POINT{0, owner->Height()});
    case TPopupPlacement::pmBelowRight:
        return owner->ClientToScreen(POINT{owner->Width() - Width(), owner->Height()});
    case TPopupPlacement::pmBesideRight:
        return owner->ClientToScreen(POINT{owner->Width(), 0});
    default:
        return owner->ClientToScreen(anchor_);
    }
}

void TQnPopupWindow::Popup()
{
    if (TWinControl* owner = OwnerControl())
        owner->Handle();
    const POINT want = DesiredTopLeft();
    const RECT desktop = DesktopRect();
    const PopupPlacement place = PlaceOnDesktop(want.x, want.y, PopupSize{Width(), Height()},
                                                PopupRect{desktop.left, desktop.top, desktop.right, desktop.bottom});
    tailVariant_ = place.tailVariant;
    SetBounds(place.left, place.top, Width(), Height());
    if (captureScreen_)
        CaptureScreen();
    ShowNoActivate();
    shown_ = true;
    Invalidate();
}

void TQnPopupWindow::CaptureScreen()
{
    // What is waiting to be painted is painted first, so the copy shows it.
    if (TWinControl* owner = OwnerControl(); owner && owner->HandleAllocated())
        RedrawWindow(GetAncestor(owner->Handle(), GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    screen_.SetSize(Width(), Height());
    border_.SetSize(Width(), Height());
    if (screen_.Empty())
        return;
    TClientDC desktop(nullptr);
    if (!desktop.Handle())
        return;
    BitBlt(screen_.Canvas().Handle(), 0, 0, Width(), Height(), desktop.Handle(), Left() + 1, Top() + 1, SRCCOPY);
    BitBlt(border_.Canvas().Handle(), 0, 0, Width(), Height(), desktop.Handle(), Left(), Top(), SRCCOPY);
}

void TQnPopupWindow::ClosePopup()
{
    Hide();
    shown_ = false;
}

// ---- TQnMessageWindow

TQnMessageWindow::TQnMessageWindow(TWinControl* owner) : TQnPopupWindow(owner)
{
    SetColor(clInfoBk);
    SetMouseTransparent(true); // no buttons: clicks reach what lies beneath
    UpdateSize();
}

TQnMessageWindow::~TQnMessageWindow()
{
    StopTimer();
    if (Shown())
        RemovePopupHook();
}

void TQnMessageWindow::SetText(const std::string& text)
{
    text_ = text;
    UpdateSize();
    Invalidate();
}

void TQnMessageWindow::SetKind(TMessageKind kind, const TBitmap* icon)
{
    kind_ = kind;
    iconShown_ = kind != TMessageKind::mkPlain;
    if (kind == TMessageKind::mkError) {
        SetColor(ErrorPopupColor);
        LoadGlyph(icon_, "QN_MV_INVALIDVALUE");
        icon_.Magnify(PixelArtMultiple(PixelsPerInch()));
    } else if (kind == TMessageKind::mkCustom && icon) {
        icon_.Assign(*icon);
        icon_.Transparent = true;
    } else {
        icon_.Clear();
    }
    UpdateSize();
    Invalidate();
}

void TQnMessageWindow::SetShape(TPopupShape shape)
{
    if (shape == shape_)
        return;
    ClosePopup();
    UpdateSize(); // still with the old shape: the next text change sets it right
    shape_ = shape;
}

void TQnMessageWindow::UpdateSize()
{
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(ScaledFont());
    int textWidth = 0, textHeight = 0;
    for (const std::string& line : SplitLines(text_)) {
        const SIZE s = MeasureLine(probe.Canvas(), line);
        textWidth = std::max(textWidth, static_cast<int>(s.cx));
        textHeight += s.cy;
    }
    const bool icon = iconShown_ && !icon_.Empty();
    const PopupSize size = MessageWindowSize(textWidth, textHeight, icon ? icon_.Width() : 0,
                                             icon ? icon_.Height() : 0, margins_, shape_, PixelsPerInch());
    SetBounds(Left(), Top(), size.width, size.height);
}

void TQnMessageWindow::Popup()
{
    // A showing that replaces an earlier one gets the whole display time.
    StopTimer();
    TQnPopupWindow::Popup();
    if (TimerOn && SetTimer(Handle(), DisplayTimerId, static_cast<UINT>(std::max(DisplayTime, 1)), nullptr))
        timerRunning_ = true;
    if (TWinControl* owner = OwnerControl(); owner && owner->HandleAllocated())
        InstallPopupHook(owner->Handle());
}

void TQnMessageWindow::ClosePopup()
{
    StopTimer();
    RemovePopupHook();
    TQnPopupWindow::ClosePopup();
}

void TQnMessageWindow::StopTimer()
{
    if (timerRunning_ && HandleAllocated())
        KillTimer(Handle(), DisplayTimerId);
    timerRunning_ = false;
}

void TQnMessageWindow::PostHideRequest()
{
    if (TWinControl* owner = OwnerControl(); owner && owner->HandleAllocated())
        PostMessageW(owner->Handle(), HideErrorMessage(), 0, 0);
}

LRESULT TQnMessageWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER && wp == DisplayTimerId) {
        StopTimer();
        PostHideRequest();
        return 0;
    }
    if (msg == WM_DESTROY)
        StopTimer();
    return TQnPopupWindow::WndProc(msg, wp, lp);
}

void TQnMessageWindow::PaintBalloon(TCanvas& canvas, int cw, int ch)
{
    const int tail = PopupTail(PixelsPerInch()), corner = PopupCorner(PixelsPerInch());
    const bool hasTail = shape_ == TPopupShape::psBalloon && BalloonHasTail(TailVariant());
    RECT body{0, 0, cw, ch};
    if (shape_ == TPopupShape::psBalloon) {
        if (hasTail)
            body.top = tail;
        else
            body.bottom = ch - tail;
    }
    canvas.Draw(0, 0, ScreenImage());
    // The region leaves out its right and bottom edges; the outline owns them.
    const TGdiObject<HRGN> outline(CreateRoundRectRgn(body.left, body.top, body.right + 1, body.bottom + 1,
                                                corner, corner));
    if (!outline)
        return;
    if (hasTail) {
        POINT triangle[3] = {{tail, tail}, {tail, 0}, {2 * tail, tail}};
        if (BalloonTailRight(TailVariant()))
            triangle[0] = {cw - tail, tail}, triangle[1] = {cw - tail, 0}, triangle[2] = {cw - 2 * tail, tail};
        const TGdiObject<HRGN> tip(CreatePolygonRgn(triangle, 3, WINDING));
        if (tip)
            CombineRgn(outline.Get(), outline.Get(), tip.Get(), RGN_OR);
    }
    const TGdiObject<HBRUSH> fill(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    const TGdiObject<HBRUSH> frame(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnShadow))));
    if (fill)
        FillRgn(canvas.Handle(), outline.Get(), fill.Get());
    if (frame)
        FrameRgn(canvas.Handle(), outline.Get(), frame.Get(), 1, 1);
}

void TQnMessageWindow::Paint(TCanvas& canvas)
{
    const RECT client = ClientRect();
    const int cw = client.right, ch = client.bottom;
    buffer_.Paint(canvas, client, [&](TCanvas& c) {
        if (shape_ == TPopupShape::psRectangle) {
            c.FillRect(client, Color());
            RaisedOuterEdge(c, client);
        } else {
            PaintBalloon(c, cw, ch);
        }
        c.SetFont(ScaledFont());
        const PopupPoint origin = MessageTextOrigin(shape_, TailVariant(), margins_, PixelsPerInch());
        int x = origin.x, y = origin.y;
        if (iconShown_ && !icon_.Empty()) {
            c.Draw(x, y, icon_);
            x += icon_.Width() + Scale(PopupIconSpacing);
        }
        for (const std::string& line : SplitLines(text_)) {
            c.DrawText(line, RECT{x, y, cw, ch}, LineFormat, clInfoText);
            y += MeasureLine(c, line).cy;
        }
    });
}

} // namespace quillon
