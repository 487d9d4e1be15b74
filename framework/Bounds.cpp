// Bounds, client size and alignment of windowed controls: the fields keep
// the outer rectangle and follow the window (WM_WINDOWPOSCHANGED); aligned
// children are laid out within the client area.
#include "framework/WinControl.h"

#include <algorithm>

namespace quillon {

void TWinControl::SyncBoundsFromWindow()
{
    if (!hwnd_ || IsIconic(hwnd_))
        return;
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    RECT client;
    GetClientRect(hwnd_, &client);
    const bool clientChanged = client.right != clientSize_.cx || client.bottom != clientSize_.cy;
    clientSize_ = SIZE{client.right, client.bottom};
    ApplyBounds(r.left, r.top, r.right - r.left, r.bottom - r.top, clientChanged);
}

RECT TWinControl::ClientRect() const
{
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        return r;
    }
    const SIZE frame = FrameSize();
    return RECT{0, 0, std::max(0L, Width() - frame.cx), std::max(0L, Height() - frame.cy)};
}

SIZE TWinControl::FrameSize() const
{
    if (hwnd_) {
        RECT window, client;
        GetWindowRect(hwnd_, &window);
        GetClientRect(hwnd_, &client);
        return SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, params.style, FALSE, params.exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (!hwnd_) {
        ApplyBounds(left, top, width, height);
        return;
    }
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SyncBoundsFromWindow(); // the window may have refused part of it
}

void TWinControl::Resize()
{
    AlignControls();
    TControl::Resize();
}

void TWinControl::AlignControls()
{
    if (aligning_ || Loading())
        return;
    if (std::none_of(children_.begin(), children_.end(),
                     [](const TControl* c) { return c->Align() != TAlign::alNone; }))
        return;
    aligning_ = true;
    struct TReset {
        bool& flag;
        ~TReset() { flag = false; }
    } reset{aligning_};

    RECT r = AlignRect();
    // Within a kind: by position, ties by creation order.
    auto take = [&](TAlign kind, auto key) {
        std::vector<TControl*> list;
        for (TControl* c : children_)
            if (c->Align() == kind && c->Visible())
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
        return list;
    };
    auto width = [&] { return std::max(0L, r.right - r.left); };
    auto height = [&] { return std::max(0L, r.bottom - r.top); };
    for (TControl* c : take(TAlign::alTop, [](TControl* c) { return c->Top(); })) {
        c->SetBounds(r.left, r.top, width(), c->Height());
        r.top += c->Height();
    }
    for (TControl* c : take(TAlign::alBottom, [](TControl* c) { return -(c->Top() + c->Height()); })) {
        c->SetBounds(r.left, r.bottom - c->Height(), width(), c->Height());
        r.bottom -= c->Height();
    }
    for (TControl* c : take(TAlign::alLeft, [](TControl* c) { return c->Left(); })) {
        c->SetBounds(r.left, r.top, c->Width(), height());
        r.left += c->Width();
    }
    for (TControl* c : take(TAlign::alRight, [](TControl* c) { return -(c->Left() + c->Width()); })) {
        c->SetBounds(r.right - c->Width(), r.top, c->Width(), height());
        r.right -= c->Width();
    }
    for (TControl* c : take(TAlign::alClient, [](TControl*) { return 0; }))
        c->SetBounds(r.left, r.top, width(), height());
}

} // namespace quillon
