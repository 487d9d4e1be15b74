#include "controls/edit/FlatEdit.h"

#include "framework/Application.h"
#include "framework/Callback.h"
#include "framework/Forms.h"
#include "framework/GdiObjects.h"

#include <algorithm>
#include <memory>

namespace quillon {

namespace {

std::unique_ptr<std::vector<TFlatControlClass>> flatControlClasses;
int flatEditCount = 0;

constexpr int FrameWidth = 3; // at 96 dpi
constexpr TColor editColors[2] = {clBtnFace, clWindow}; // by Enabled

void FrameRect(HDC dc, RECT r, TColor color)
{
    TCanvas canvas(dc);
    canvas.FillRect(RECT{r.left, r.top, r.right, r.top + 1}, color);
    canvas.FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
    canvas.FillRect(RECT{r.left, r.top, r.left + 1, r.bottom}, color);
    canvas.FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, color);
}

// The frame's rings from the outside in; `width` rings (3 at 96 dpi), the
// innermost window-coloured, the lines of the hot look one pixel each.
void PaintFrame(HDC dc, RECT r, bool hot, int width)
{
    auto windowRings = [&](int count) {
        for (int i = 0; i < count; ++i) {
            FrameRect(dc, r, clWindow);
            InflateRect(&r, -1, -1);
        }
    };
    if (!hot) {
        for (int i = 0; i < width - 1; ++i) {
            FrameRect(dc, r, clBtnFace);
            InflateRect(&r, -1, -1);
        }
        windowRings(1);
        return;
    }
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
    TCanvas canvas(dc);
    canvas.FillRect(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, clBtnFace);
    canvas.FillRect(RECT{r.left, r.top, r.right - 1, r.top + 1}, clBtnFace);
    RECT inner = r;
    DrawEdge(dc, &inner, BDR_SUNKENINNER, BF_BOTTOMRIGHT);
    InflateRect(&r, -1, -1);
    windowRings(width - 2);
}

// Prints `window` into `dc` at `at` (in the device's current coordinates),
// clipped to its own rectangle.
void PrintWindowAt(HDC dc, HWND window, POINT at, LPARAM flags)
{
    RECT r;
    GetWindowRect(window, &r);
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, at.x, at.y, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
}

struct TOwnedWindows {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwnedWindow(HWND hwnd, LPARAM lp)
{
    return GuardCallback(TRUE, [&] {
        auto* owned = reinterpret_cast<TOwnedWindows*>(lp);
        if (GetWindow(hwnd, GW_OWNER) == owned->owner && IsWindowVisible(hwnd))
            owned->found.push_back(hwnd);
        return TRUE;
    });
}

} // namespace

// ---- flat-style classes

const std::vector<TFlatControlClass>* FlatControlClasses()
{
    return flatControlClasses.get();
}

void AddFlatControlClass(TFlatControlClass isInstance)
{
    if (!flatControlClasses)
        flatControlClasses = std::make_unique<std::vector<TFlatControlClass>>();
    flatControlClasses->push_back(isInstance);
}

void RemoveFlatControlClass(TFlatControlClass isInstance)
{
    if (!flatControlClasses)
        return;
    auto& list = *flatControlClasses;
    if (const auto it = std::find(list.begin(), list.end(), isInstance); it != list.end())
        list.erase(it);
    if (list.empty())
        flatControlClasses.reset();
}

bool IsFlatControl(const TControl* control)
{
    if (!control || !flatControlClasses)
        return false;
    for (TFlatControlClass isInstance : *flatControlClasses)
        if (isInstance(*control))
            return true;
    return false;
}

// ---- the edit

TFlatEdit::TFlatEdit(TWinControl* parent) : TCustomEdit(parent)
{
    SetCtl3D(false);
    SetBorderStyle(TBorderStyle::bsNone);
    SetHeight(19);
    if (flatEditCount == 0)
        AddFlatControlClass(&IsInstanceOf<TFlatEdit>);
    ++flatEditCount;
}

TFlatEdit::~TFlatEdit()
{
    if (--flatEditCount == 0)
        RemoveFlatControlClass(&IsInstanceOf<TFlatEdit>);
}

int TFlatEdit::InstanceCount()
{
    return flatEditCount;
}

void TFlatEdit::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    // The frame is our own.
    params.style &= ~static_cast<DWORD>(WS_BORDER);
    params.exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TFlatEdit::Loaded()
{
    TCustomEdit::Loaded();
    AdjustHeight();
}

int TFlatEdit::FrameRings() const
{
    // Whole rings, never more than the scale gives: the height then stays
    // within a pixel of the scaled one although the font grows faster.
    return FrameWidth * PixelsPerInch() / DesignPpi;
}

void TFlatEdit::ScaleChanged()
{
    TCustomEdit::ScaleChanged(); // the height follows the font
    // The frame's width is asked for anew.
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFlatEdit::EnabledChanged()
{
    TCustomEdit::EnabledChanged();
    SetColor(editColors[Enabled() ? 1 : 0]);
}

void TFlatEdit::FontChanged()
{
    TCustomEdit::FontChanged();
    AdjustHeight();
}

void TFlatEdit::MouseEnter()
{
    TCustomEdit::MouseEnter();
    mouseOver_ = true;
    DrawFlatBorder(HRGN{});
}

void TFlatEdit::MouseLeave()
{
    TCustomEdit::MouseLeave();
    mouseOver_ = false;
    DrawFlatBorder(HRGN{});
}

void TFlatEdit::FocusReceived()
{
    TCustomEdit::FocusReceived();
    DrawFlatBorder(HRGN{});
}

void TFlatEdit::FocusLost()
{
    TCustomEdit::FocusLost();
    DrawFlatBorder(HRGN{});
}

bool TFlatEdit::Hot() const
{
    if (Focused())
        return true;
    if (!mouseOver_)
        return false;
    const TForm* form = Application().ActiveForm();
    return !IsFlatControl(form ? form->ActiveControl() : nullptr);
}

void TFlatEdit::AdjustHeight()
{
    const TEXTMETRICW& metrics = SharedFontMetrics(ScaledFont());
    if (metrics.tmHeight > 0)
        SetHeight(metrics.tmHeight + 2 * FrameRings());
}

void TFlatEdit::DrawFlatBorder(HRGN updateRegion)
{
    if (!HandleAllocated())
        return;
    HWND hwnd = Handle();
    TWindowDC dc(hwnd);
    if (!dc.Handle())
        return;
    RECT window;
    GetWindowRect(hwnd, &window);
    if (updateRegion && updateRegion != reinterpret_cast<HRGN>(1)) {
        // The region is in screen coordinates.
        if (SelectClipRgn(dc.Handle(), updateRegion) == ERROR)
            IntersectClipRect(dc.Handle(), window.left, window.top, window.right, window.bottom);
        OffsetClipRgn(dc.Handle(), -window.left, -window.top);
    }
    PaintFrame(dc.Handle(), RECT{0, 0, window.right - window.left, window.bottom - window.top}, Hot(),
               FrameRings());
}

void TFlatEdit::PrintFlatBorder(HDC dc)
{
    RECT window;
    GetWindowRect(Handle(), &window);
    PaintFrame(dc, RECT{0, 0, window.right - window.left, window.bottom - window.top}, Hot(), FrameRings());
}

LRESULT TFlatEdit::Print(HDC dc, LPARAM flags)
{
    HWND hwnd = Handle();
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
        return 0;
    const bool nonClient = (flags & PRF_NONCLIENT) != 0;
    if (nonClient) {
        TSavedDC saved(dc);
        PrintFlatBorder(dc);
    }
    if (!(flags & PRF_CLIENT))
        return 1;
    RECT window;
    GetWindowRect(hwnd, &window);
    POINT client{0, 0};
    ::ClientToScreen(hwnd, &client);
    // Client coordinates on the device: moved past the frame when it was printed.
    const POINT offset = nonClient ? POINT{client.x - window.left, client.y - window.top} : POINT{0, 0};
    auto inClient = [&](UINT msg, WPARAM wp, LPARAM lp) {
        TSavedDC saved(dc);
        OffsetViewportOrgEx(dc, offset.x, offset.y, nullptr);
        SendMessageW(hwnd, msg, wp, lp);
    };
    if (flags & PRF_ERASEBKGND)
        inClient(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    inClient(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    auto printAt = [&](HWND other) {
        RECT r;
        GetWindowRect(other, &r);
        PrintWindowAt(dc, other, POINT{offset.x + r.left - client.x, offset.y + r.top - client.y}, flags);
    };
    if (flags & PRF_CHILDREN)
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child))
                printAt(child);
    if (flags & PRF_OWNED) {
        TOwnedWindows owned{hwnd, {}};
        EnumThreadWindows(GetCurrentThreadId(), &CollectOwnedWindow, reinterpret_cast<LPARAM>(&owned));
        for (HWND w : owned.found)
            printAt(w);
    }
    return 1;
}

LRESULT TFlatEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCALCSIZE: {
        const LRESULT result = TCustomEdit::WndProc(msg, wp, lp);
        // Both forms of the message start with the proposed client rectangle.
        InflateRect(reinterpret_cast<RECT*>(lp), -FrameRings(), -FrameRings());
        return result;
    }
    case WM_NCPAINT:
        DrawFlatBorder(reinterpret_cast<HRGN>(wp));
        return 0;
    case WM_PRINT:
        return Print(reinterpret_cast<HDC>(wp), lp);
    case WM_PRINTCLIENT: {
        TSavedDC saved(reinterpret_cast<HDC>(wp));
        return DefaultHandler(WM_PAINT, wp, 0);
    }
    }
    return TCustomEdit::WndProc(msg, wp, lp);
}

} // namespace quillon
