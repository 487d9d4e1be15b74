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
    return FrameSizeForPpi(params.style, params.exStyle, PixelsPerInch());
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

void TWinControl::ApplyScaledBounds()
{
    if (!ScalesClientSize()) {
        TControl::ApplyScaledBounds();
        return;
    }
    // A window of its own stays where it is, with the new ppi's frame.
    DWORD style = 0, exStyle = 0;
    if (hwnd_) {
        style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
        exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    } else {
        TCreateParams params;
        CreateParams(params);
        style = params.style;
        exStyle = params.exStyle;
    }
    const SIZE frame = FrameSizeForPpi(style, exStyle, PixelsPerInch());
    const SIZE client{Scale(DesignBounds().width), Scale(DesignBounds().height)};
    SetBounds(Left(), Top(), client.cx + frame.cx, client.cy + frame.cy);
    // The window's own frame has the last word (a frame the styles do not tell).
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        if (r.right != client.cx || r.bottom != client.cy)
            SetBounds(Left(), Top(), Width() + client.cx - r.right, Height() + client.cy - r.bottom);
    }
}

void TWinControl::ChangeScale(int ppi)
{
    ScaleTree(ppi, nullptr);
}

void TWinControl::ScaleTree(int ppi, const RECT* outer)
{
    if (ppi <= 0 || (ppi == PixelsPerInch() && !outer))
        return;
    // Parents before their children, so each is placed in its parent's new client area.
    std::vector<TControl*> tree{this};
    for (size_t i = 0; i < tree.size(); ++i)
        if (tree[i]->IsWindowed())
            for (TControl* child : static_cast<TWinControl*>(tree[i])->children_)
                tree.push_back(child);
    for (TControl* c : tree) {
        c->ppi_ = ppi;
        c->scaling_ = true;
    }
    struct TEnd {
        std::vector<TControl*>& tree;
        ~TEnd()
        {
            for (TControl* c : tree)
                c->scaling_ = false;
        }
    } end{tree};
    for (TControl* c : tree)
        c->ApplyScaledBounds();
    if (outer && hwnd_ && !Parent()) {
        SetWindowPos(hwnd_, nullptr, outer->left, outer->top, outer->right - outer->left, outer->bottom - outer->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SyncBoundsFromWindow();
    }
    // Children first: a window's own reaction may depend on theirs (a check
    // box that grew).
    for (auto it = tree.rbegin(); it != tree.rend(); ++it)
        (*it)->ScaleChanged();
    for (TControl* c : tree)
        if (c->IsWindowed())
            static_cast<TWinControl*>(c)->AlignControls();
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
