#include "framework/WinControl.h"

#include "base/Exceptions.h"
#include "base/TextConvert.h"
#include "framework/Callback.h"
#include "framework/GdiObjects.h"
#include "framework/WindowClass.h"

#include <algorithm>

namespace quillon {

namespace {

// Posted by a parent to itself: make the windows of children that were
// added after its own window existed (never inside their constructors).
UINT CreateChildrenMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Quillon.CreateChildWindows");
    return message;
}

std::string WindowText(HWND hwnd)
{
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return WideToUtf8(text);
}

// Windows of a later-created sibling lie above those of earlier ones, as
// windowless children paint over earlier ones.
constexpr UINT ZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

bool HasNonClientArea(HWND hwnd)
{
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

} // namespace

TWinControl::TWinControl(TWinControl* parent) : TControl(parent ? parent->AsParent() : nullptr)
{
    if (!parent)
        return;
    controlId_ = parent->nextChildId_;
    parent->nextChildId_ = parent->nextChildId_ >= 0xFFF0 ? 100 : parent->nextChildId_ + 1;
    int windowedSiblings = 0;
    for (TControl* c : parent->children_)
        if (c != this && c->IsWindowed())
            ++windowedSiblings;
    tabOrder_ = windowedSiblings;
    if (parent->hwnd_ && !parent->childWindowsPending_) {
        parent->childWindowsPending_ = true;
        PostMessageW(parent->hwnd_, CreateChildrenMessage(), 0, 0);
    }
}

TWinControl::~TWinControl()
{
    // Forgotten before the window goes, so no focus comes back to it.
    if (IFormLink* form = Parent() ? FormLink() : nullptr)
        form->ControlRemoved(this);
    for (TControl* child : children_) { // children that outlive us must not call back
        child->container_ = nullptr;
        child->parent_ = nullptr;
        child->parentControl_ = nullptr;
    }
    children_.clear();
    DestroyHandle();
}

void TWinControl::DestroyHandle()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

TWinControl* TWinControl::FromHandle(HWND hwnd)
{
    if (!hwnd || reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)) != &StaticWndProc)
        return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void TWinControl::InsertControl(TControl& child)
{
    children_.push_back(&child);
    child.parent_ = this;
    child.parentControl_ = this;
    child.font_ = Font();
    child.color_ = Color();
    child.loading_ = Loading();
}

void TWinControl::RemoveControl(TControl& child)
{
    children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
    if (captureControl_ == &child) {
        captureControl_ = nullptr;
        if (hwnd_ && GetCapture() == hwnd_)
            ReleaseCapture();
    }
    if (!Loading())
        RenumberTabOrder(nullptr, 0);
}

// ---- the window

HWND TWinControl::Handle()
{
    if (!hwnd_) {
        if (Parent() && !Parent()->hwnd_)
            Parent()->Handle(); // makes ours too
        if (!hwnd_)
            CreateHandle();
    }
    return hwnd_;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.caption = Utf8ToWide(TControl::Caption());
    params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible())
        params.style |= WS_VISIBLE;
    if (tabStop_)
        params.style |= WS_TABSTOP;
    if (!Enabled())
        params.style |= WS_DISABLED;
    params.exStyle = (ControlStyle() & csAcceptsControls) ? WS_EX_CONTROLPARENT : 0;
    params.classStyle = CS_DBLCLKS;
    params.parent = Parent() ? Parent()->hwnd_ : nullptr;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.className = L"QuillonControl";
    params.superclassOf = nullptr;
}

void TWinControl::CreateHandle()
{
    // A window starts at its screen's scale, or at its parent's.
    ChangeScale(Parent() ? Parent()->PixelsPerInch() : NewWindowPpi());
    TCreateParams params;
    CreateParams(params);
    if (params.superclassOf && params.className == L"QuillonControl")
        params.className = std::wstring(L"Quillon.") + params.superclassOf;
    keptProc_ = RegisterWindowClass(params, &StaticWndProc);
    const bool child = (params.style & WS_CHILD) != 0;
    const HMENU id = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)) : nullptr;
    CreateWindowExW(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style, params.x,
                    params.y, params.width, params.height, params.parent, id, GetModuleHandleW(nullptr), this);
    if (!hwnd_)
        throw Exception("Error creating window");
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(SharedFontHandle(ScaledFont())), FALSE);
    if (child)
        PlaceInZOrder();
    SyncBoundsFromWindow();
    if (!child)
        ChangeScale(WindowPpi(hwnd_)); // it may have come up on a monitor of another scale
    HandleCreated();
    CreateMissingChildren();
}

void TWinControl::CreateMissingChildren()
{
    // A hidden child (a page not shown) gets its window when it is first
    // shown, or when its handle is asked for. In creation order: a window's
    // first sizing draws from process-wide state (the gradient labels' dither).
    for (TControl* c : std::vector<TControl*>(children_))
        if (!c->IsWindowed())
            c->ChangeScale(PixelsPerInch()); // one added since the last scale change
        else if (c->Visible()) {
            auto* w = static_cast<TWinControl*>(c);
            if (!w->hwnd_ && hwnd_)
                w->CreateHandle();
        }
}

void TWinControl::PlaceInZOrder()
{
    HWND above = HWND_TOP;
    const auto& siblings = Parent()->children_;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    for (++it; it != siblings.end(); ++it)
        if ((*it)->IsWindowed() && static_cast<TWinControl*>(*it)->hwnd_) {
            above = static_cast<TWinControl*>(*it)->hwnd_;
            break;
        }
    SetWindowPos(hwnd_, above, 0, 0, 0, 0, ZOrderOnly);
}

void TWinControl::RecreateWnd()
{
    if (!hwnd_)
        return;
    HWND focus = GetFocus();
    TWinControl* focused = nullptr;
    if (focus && (focus == hwnd_ || IsChild(hwnd_, focus)))
        for (HWND h = focus; h && !focused; h = GetParent(h))
            focused = FromHandle(h);
    const bool wasActive = !Parent() && GetActiveWindow() == hwnd_;
    const TFocusFreeze freeze(FormLink());
    DestroyHandle();
    CreateHandle();
    if (wasActive)
        SetActiveWindow(hwnd_);
    if (focused && focused->hwnd_)
        ::SetFocus(focused->hwnd_);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (created) {
            created->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
    }
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        // Before WM_NCCREATE (WM_GETMINMAXINFO) or after the object let go.
        if (WNDPROC kept = KeptWindowProc(hwnd))
            return CallWindowProcW(kept, hwnd, msg, wp, lp);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    const LRESULT result = GuardCallback(LRESULT{0}, [&] { return self->WndProc(msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->trackingLeave_ = false;
        self->childWindowsPending_ = false;
        self->captureControl_ = nullptr;
        self->clientSize_ = SIZE{-1, -1};
    }
    return result;
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp)
{
    if (keptProc_)
        return CallWindowProcW(keptProc_, hwnd_, msg, wp, lp);
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool TWinControl::Reflected(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool TWinControl::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    TWinControl* child = nullptr;
    switch (msg) {
    case WM_NOTIFY:
        if (lp)
            child = FromHandle(reinterpret_cast<const NMHDR*>(lp)->hwndFrom);
        break;
    case WM_DRAWITEM:
        if (const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp); d && d->CtlType != ODT_MENU)
            child = FromHandle(d->hwndItem);
        break;
    case WM_MEASUREITEM:
        // Sent while the child's window is being made: found by its id.
        if (const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp); m && m->CtlType != ODT_MENU)
            for (TControl* c : children_)
                if (c->IsWindowed() && static_cast<TWinControl*>(c)->controlId_ == static_cast<int>(m->CtlID))
                    child = static_cast<TWinControl*>(c);
        break;
    default: // WM_COMMAND and WM_CTLCOLOR*: the child's window in lParam
        child = FromHandle(reinterpret_cast<HWND>(lp));
        break;
    }
    return child && child != this && child->Reflected(msg, wp, lp, result);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == CreateChildrenMessage()) {
        childWindowsPending_ = false;
        CreateMissingChildren();
        return 0;
    }
    switch (msg) {
    case WM_NCPAINT:
        // Nothing to draw outside the client area when there is none, and the
        // default handler's window DC is the costly part of showing a child.
        if (!HasNonClientArea(hwnd_))
            return 0;
        break;
    case WM_ERASEBKGND:
        if (Superclassed())
            break;
        if (!(ControlStyle() & csOpaque)) {
            TCanvas canvas(reinterpret_cast<HDC>(wp));
            EraseBackground(canvas);
        }
        return 1;
    case WM_PAINT:
        if (Superclassed())
            break;
        if (wp) {
            TCanvas canvas(reinterpret_cast<HDC>(wp));
            PaintWindow(canvas);
            PaintControls(canvas, nullptr);
        } else {
            TPaintDC dc(hwnd_);
            TCanvas canvas(dc.Handle());
            PaintWindow(canvas);
            PaintControls(canvas, &dc.PaintRect());
        }
        return 0;
    case WM_PRINTCLIENT:
        if (Superclassed())
            break;
        {
            TCanvas canvas(reinterpret_cast<HDC>(wp));
            PaintTo(canvas);
        }
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return MouseMessage(msg, wp, lp);
    case WM_ACTIVATEAPP:
        // Sent, not posted, to every top-level window: hooks never see it.
        if (IControlWatch* watch = ControlWatch())
            watch->ActivationChanged(wp != 0);
        break;
    case WM_MOUSELEAVE:
        MouseLeft();
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd_)
            captureControl_ = nullptr;
        break;
    case WM_SETCURSOR:
        return SetCursorMessage(wp, lp);
    case WM_SETFOCUS: {
        const LRESULT result = DefaultHandler(msg, wp, lp);
        if (IFormLink* form = Parent() ? FormLink() : nullptr)
            form->FocusMoved(this);
        if (hwnd_ && GetFocus() == hwnd_) // an exit handler may have taken it back
            FocusReceived();
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = DefaultHandler(msg, wp, lp);
        FocusLost();
        return result;
    }
    case WM_KEYDOWN:
        if (KeyDown(static_cast<WORD>(wp), CurrentShiftState()))
            return 0;
        break;
    case WM_KEYUP:
        if (KeyUp(static_cast<WORD>(wp), CurrentShiftState()))
            return 0;
        break;
    case WM_CHAR: {
        wchar_t key = static_cast<wchar_t>(wp);
        if (KeyPress(key) || key == 0)
            return 0;
        wp = key;
        break;
    }
    case WM_GETDLGCODE:
        return DialogCode(static_cast<UINT>(DefaultHandler(msg, wp, lp)));
    case WM_SETTEXT: {
        const LRESULT result = DefaultHandler(msg, wp, lp);
        if (WindowOwnsText())
            TextChanged();
        return result;
    }
    case WM_DESTROY:
        if (WindowOwnsText())
            caption_ = WindowText(hwnd_); // kept for when there is no window
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = DefaultHandler(msg, wp, lp);
        SyncBoundsFromWindow();
        return result;
    }
    case WM_SYSCOLORCHANGE: {
        const LRESULT result = DefaultHandler(msg, wp, lp);
        SendSysColorChange();
        return result;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        if (msg == WM_NOTIFY && lp)
            if (IControlWatch* watch = ControlWatch(); watch && watch->WindowNotified(*reinterpret_cast<const NMHDR*>(lp)))
                return 0;
        LRESULT result = 0;
        if (ReflectToChild(msg, wp, lp, result))
            return result;
        break;
    }
    }
    return DefaultHandler(msg, wp, lp);
}

void TWinControl::SendSysColorChange()
{
    SysColorChange();
    // The system tells top-level windows only: pass it down.
    for (TControl* c : std::vector<TControl*>(children_)) {
        if (!c->IsWindowed()) {
            c->SysColorChange();
            continue;
        }
        auto* w = static_cast<TWinControl*>(c);
        if (w->hwnd_)
            SendMessageW(w->hwnd_, WM_SYSCOLORCHANGE, 0, 0);
        else
            w->SendSysColorChange();
    }
}

LRESULT TWinControl::SetCursorMessage(WPARAM wp, LPARAM lp)
{
    if (reinterpret_cast<HWND>(wp) == hwnd_ && LOWORD(lp) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        TCursor cursor = TCursor::crDefault;
        if (TControl* child = ControlAtPos(p, false))
            cursor = child->CursorAt(POINT{p.x - child->Left(), p.y - child->Top()});
        if (cursor == TCursor::crDefault)
            cursor = CursorAt(p);
        if (cursor != TCursor::crDefault) {
            ::SetCursor(CursorHandle(cursor));
            return TRUE;
        }
    }
    return DefaultHandler(WM_SETCURSOR, wp, lp);
}

// ---- state

POINT TWinControl::ClientToScreen(POINT p) const
{
    if (!hwnd_)
        return TControl::ClientToScreen(p);
    ::ClientToScreen(hwnd_, &p);
    return p;
}

POINT TWinControl::ScreenToClient(POINT p) const
{
    if (!hwnd_)
        return TControl::ScreenToClient(p);
    ::ScreenToClient(hwnd_, &p);
    return p;
}

void TWinControl::SetVisible(bool visible)
{
    const bool changed = visible != Visible();
    TControl::SetVisible(visible);
    if (changed && hwnd_)
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    else if (visible && !hwnd_ && Parent() && Parent()->hwnd_)
        CreateHandle(); // first shown: made visible, with its visible children
}

void TWinControl::Invalidate()
{
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, !(ControlStyle() & csOpaque));
}

void TWinControl::Update()
{
    if (hwnd_)
        UpdateWindow(hwnd_);
}

std::string TWinControl::Caption() const
{
    if (hwnd_ && WindowOwnsText())
        return WindowText(hwnd_);
    return TControl::Caption();
}

void TWinControl::SetCaption(const std::string& caption)
{
    if (hwnd_ && WindowOwnsText()) {
        if (WindowText(hwnd_) != caption)
            SetWindowTextW(hwnd_, Utf8ToWide(caption).c_str()); // WM_SETTEXT tells TextChanged
        return;
    }
    TControl::SetCaption(caption);
}

void TWinControl::TextChanged()
{
    if (hwnd_ && !WindowOwnsText())
        SetWindowTextW(hwnd_, Utf8ToWide(TControl::Caption()).c_str());
    Invalidate();
}

void TWinControl::ColorChanged()
{
    Invalidate();
    for (TControl* child : std::vector<TControl*>(children_))
        child->ParentColorChanged();
}

void TWinControl::FontChanged()
{
    if (hwnd_)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(SharedFontHandle(ScaledFont())), TRUE);
    Invalidate();
    for (TControl* child : std::vector<TControl*>(children_))
        child->ParentFontChanged();
}

void TWinControl::EnabledChanged()
{
    if (hwnd_) {
        // A disabled window loses the focus to nobody, and then Enter and
        // Escape reach no form: the form takes the focus instead (a button
        // that disables itself when clicked, like Apply).
        if (!Enabled() && Parent() && FormLink()) {
            TWinControl* form = Parent();
            while (form->Parent())
                form = form->Parent();
            if (form->hwnd_)
                for (HWND h = GetFocus(); h; h = GetParent(h))
                    if (h == hwnd_) {
                        ::SetFocus(form->hwnd_);
                        break;
                    }
        }
        EnableWindow(hwnd_, Enabled());
    }
    Invalidate();
}

// ---- painting

void TWinControl::EraseBackground(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), Color());
}

void TWinControl::PaintControls(TCanvas& canvas, const RECT* clip)
{
    for (TControl* child : children_) {
        if (child->IsWindowed() || !child->Visible())
            continue;
        RECT bounds = child->BoundsRect(), overlap;
        if (clip && !IntersectRect(&overlap, &bounds, clip))
            continue;
        HDC dc = canvas.Handle();
        const TSavedDC state(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        TCanvas childCanvas(dc); // its own font selection, undone before the restore
        child->Paint(childCanvas);
    }
}

void TWinControl::PaintTo(TCanvas& canvas)
{
    if (Superclassed() && hwnd_) {
        // The whole window: a control that draws a frame of its own in the
        // non-client area prints it too (the system's handling prints the
        // client area only).
        SendMessageW(hwnd_, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Handle()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        return;
    }
    if (!(ControlStyle() & csOpaque))
        EraseBackground(canvas);
    PaintWindow(canvas);
    PaintControls(canvas, nullptr);
}

TControl* TWinControl::ControlAtPos(POINT client, bool allowDisabled) const
{
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible() || (!allowDisabled && !c->Enabled()))
            continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, client))
            return c;
    }
    return nullptr;
}

bool TWinControl::Broadcast(const TNotice& notice)
{
    const std::vector<TControl*> children = children_; // a handler may add or remove
    for (TControl* child : children)
        if (child->Notice(notice))
            return true;
    return false;
}

} // namespace quillon
