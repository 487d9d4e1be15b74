#include "framework/Controls.h"

#include "base/TextConvert.h"
#include "framework/Forms.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

namespace quillon {

namespace {

constexpr wchar_t ControlClass[] = L"QuillonControl";

// The control under the pointer by the framework's enter/leave notices.
TControl* mouseControl = nullptr;

void RegisterControlClass(const wchar_t* name, WNDPROC proc, UINT style)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc))
        return;
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

} // namespace

TControl* CurrentMouseControl() { return mouseControl; }

void SetMouseControl(TControl* control)
{
    if (control == mouseControl)
        return;
    TControl* old = mouseControl;
    mouseControl = control;
    if (old)
        old->MouseLeave();
    if (control)
        control->MouseEnter();
}

unsigned ShiftFromKeys(WPARAM keys)
{
    unsigned s = 0;
    if (keys & MK_SHIFT)
        s |= ssShift;
    if (keys & MK_CONTROL)
        s |= ssCtrl;
    if (keys & MK_LBUTTON)
        s |= ssLeft;
    if (keys & MK_RBUTTON)
        s |= ssRight;
    if (keys & MK_MBUTTON)
        s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

unsigned CurrentShiftState()
{
    unsigned s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

bool IsAccel(wchar_t ch, const std::string& caption)
{
    const std::wstring text = Utf8ToWide(caption);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] == L'&') {
            ++i; // a doubled ampersand draws one
            continue;
        }
        return std::towupper(text[i + 1]) == std::towupper(ch);
    }
    return false;
}

// ---- TControl

TControl::TControl(TWinControl* parent) : parent_(parent)
{
    if (parent_) {
        parent_->AddChild(this);
        font_ = parent_->Font();
        color_ = parent_->Color();
    }
}

TControl::~TControl()
{
    SetAction(nullptr);
    if (mouseControl == this)
        mouseControl = nullptr;
    if (parent_) {
        if (TForm* form = ParentForm())
            form->ControlRemoved(this);
        if (parent_->captureControl_ == this) {
            parent_->captureControl_ = nullptr;
            if (parent_->HandleAllocated() && GetCapture() == parent_->Handle())
                ReleaseCapture();
        }
        parent_->RemoveChild(this);
    }
}

TForm* TControl::ParentForm() const
{
    const TControl* top = this;
    while (top->Parent())
        top = top->Parent();
    return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    if (!IsWindowed())
        Invalidate(); // the area it leaves
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    VisibleChanged();
}

bool TControl::EffectivelyEnabled() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Enabled())
            return false;
    return true;
}

void TControl::EnabledChanged()
{
    Invalidate();
}

void TControl::SetColor(TColor color)
{
    parentColor_ = false;
    if (color == color_)
        return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value)
{
    parentColor_ = value;
    if (value && parent_ && parent_->Color() != color_) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::ParentColorChanged()
{
    if (parentColor_ && parent_ && parent_->Color() != color_) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::SetFont(const TFont& font)
{
    parentFont_ = false;
    if (font == font_)
        return;
    font_ = font;
    FontChanged();
}

void TControl::SetParentFont(bool value)
{
    parentFont_ = value;
    if (value && parent_ && !(parent_->Font() == font_)) {
        font_ = parent_->Font();
        FontChanged();
    }
}

void TControl::ParentFontChanged()
{
    if (parentFont_ && parent_ && !(parent_->Font() == font_)) {
        font_ = parent_->Font();
        FontChanged();
    }
}

void TControl::SetCaption(const std::string& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    TextChanged();
}

POINT TControl::ClientToScreen(POINT p) const
{
    if (!parent_)
        return p;
    return parent_->ClientToScreen(POINT{p.x + left_, p.y + top_});
}

POINT TControl::ScreenToClient(POINT p) const
{
    if (!parent_)
        return p;
    const POINT q = parent_->ScreenToClient(p);
    return POINT{q.x - left_, q.y - top_};
}

void TControl::Click()
{
    if (OnClick)
        OnClick(*this);
    else if (action_)
        action_->Execute();
}

void TControl::SetAction(TBasicAction* action)
{
    if (action == action_)
        return;
    if (action_) {
        auto& clients = action_->clients_;
        clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
    }
    action_ = action;
    if (action_) {
        action_->clients_.push_back(this);
        ActionChange(*action_);
    }
}

void TControl::ActionChange(TBasicAction& sender)
{
    if (auto* action = dynamic_cast<TCustomAction*>(&sender)) {
        SetCaption(action->Caption);
        SetEnabled(action->Enabled);
        Hint = action->Hint;
        SetVisible(action->Visible);
    }
}

void TControl::MouseDown(TMouseButton button, unsigned shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, x, y);
}

void TControl::MouseMove(unsigned shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(*this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, unsigned shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(*this, button, shift, x, y);
}

void TControl::DoubleClick(unsigned shift, int x, int y)
{
    if (controlStyle_ & csCaptureMouse)
        SetMouseCapture(true);
    MouseDown(TMouseButton::mbLeft, shift | ssDouble, x, y);
}

bool TControl::MouseCapture() const
{
    if (IsWindowed())
        return static_cast<const TWinControl*>(this)->HandleAllocated() &&
               GetCapture() == const_cast<TWinControl*>(static_cast<const TWinControl*>(this))->Handle();
    return parent_ && parent_->captureControl_ == this && GetCapture() == parent_->hwnd_;
}

void TControl::SetMouseCapture(bool capture)
{
    if (IsWindowed()) {
        auto* self = static_cast<TWinControl*>(this);
        if (capture)
            SetCapture(self->Handle());
        else if (MouseCapture())
            ReleaseCapture();
        return;
    }
    if (!parent_)
        return;
    if (capture) {
        parent_->captureControl_ = this;
        SetCapture(parent_->Handle());
    } else if (parent_->captureControl_ == this) {
        parent_->captureControl_ = nullptr;
        if (GetCapture() == parent_->hwnd_)
            ReleaseCapture();
    }
}

// ---- TWinControl

TWinControl::TWinControl(TWinControl* parent) : TControl(parent) {}

TWinControl::~TWinControl()
{
    for (TControl* child : children_)
        if (child->parent_ == this)
            child->parent_ = nullptr; // children that outlive us must not call back
    DestroyHandle();
}

void TWinControl::DestroyHandle()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

TWinControl* TWinControl::FromHandle(HWND hwnd)
{
    if (!hwnd || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &StaticWndProc)
        return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void TWinControl::RemoveChild(TControl* child)
{
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    if (captureControl_ == child)
        captureControl_ = nullptr;
}

HWND TWinControl::Handle()
{
    if (!hwnd_)
        CreateHandle();
    return hwnd_;
}

const wchar_t* TWinControl::WindowClassName() const
{
    return ControlClass;
}

void TWinControl::CreateParams(DWORD& style, DWORD& exStyle)
{
    style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    exStyle = 0;
    if (Visible())
        style |= WS_VISIBLE;
    if (tabStop_)
        style |= WS_TABSTOP;
    if (!Enabled())
        style |= WS_DISABLED;
}

void TWinControl::CreateHandle()
{
    DWORD style = 0, exStyle = 0;
    CreateParams(style, exStyle);
    HWND parentWindow = Parent() ? Parent()->Handle() : nullptr;
    const wchar_t* className = WindowClassName();
    RegisterControlClass(className, &StaticWndProc, CS_DBLCLKS);
    const std::wstring text = Utf8ToWide(Caption());
    CreateWindowExW(exStyle, className, text.c_str(), style, Left(), Top(), Width(), Height(), parentWindow,
                    nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_)
        return;
    for (TControl* child : children_)
        if (child->IsWindowed())
            static_cast<TWinControl*>(child)->Handle();
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    try {
        result = self->WndProc(msg, wp, lp);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    } catch (...) {
        Application().HandleException(std::runtime_error("Unexpected error"));
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->trackingLeave_ = false;
    }
    return result;
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

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
        TCanvasState state(canvas);
        HDC dc = canvas.Handle();
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        TCanvas childCanvas(dc); // its own font selection, undone before the restore
        static_cast<TGraphicControl*>(child)->Paint(childCanvas);
    }
}

void TWinControl::PaintTo(TCanvas& canvas)
{
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

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    const bool changed = left != Left() || top != Top() || width != Width() || height != Height();
    TControl::SetBounds(left, top, width, height);
    if (!hwnd_ && Parent() && Parent()->HandleAllocated())
        CreateHandle(); // placed on a parent that is already on screen
    else if (changed && hwnd_)
        MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void TWinControl::SetVisible(bool visible)
{
    TControl::SetVisible(visible);
    if (hwnd_)
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
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

void TWinControl::SetTabStop(bool value)
{
    tabStop_ = value;
    if (hwnd_) {
        LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    }
}

bool TWinControl::Focused() const
{
    return hwnd_ && GetFocus() == hwnd_;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TWinControl::ColorChanged()
{
    Invalidate();
    for (TControl* child : std::vector<TControl*>(children_))
        child->ParentColorChanged();
}

void TWinControl::FontChanged()
{
    Invalidate();
    for (TControl* child : std::vector<TControl*>(children_))
        child->ParentFontChanged();
}

void TWinControl::TextChanged()
{
    if (hwnd_)
        SetWindowTextW(hwnd_, Utf8ToWide(Caption()).c_str());
    Invalidate();
}

void TWinControl::EnabledChanged()
{
    if (hwnd_)
        EnableWindow(hwnd_, Enabled());
    Invalidate();
}

void TWinControl::TrackMouse(TControl* target)
{
    if (!trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd_, 0};
        trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
    }
    SetMouseControl(target);
}

void TWinControl::RouteMouse(UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const unsigned shift = ShiftFromKeys(wp);

    if (msg == WM_MOUSEMOVE) {
        TControl* hovered = ControlAtPos(pt, true);
        TrackMouse(hovered ? hovered : this);
    }

    TControl* target = captureControl_;
    if (!target)
        target = ControlAtPos(pt, false);
    if (!target)
        target = this;
    const int x = target == this ? pt.x : pt.x - target->Left();
    const int y = target == this ? pt.y : pt.y - target->Top();

    auto press = [&](TMouseButton button) {
        if (target->ControlStyle() & csCaptureMouse)
            target->SetMouseCapture(true);
        target->MouseDown(button, shift, x, y);
    };
    auto release = [&](TMouseButton button) {
        if (target->ControlStyle() & csCaptureMouse)
            target->SetMouseCapture(false);
        target->MouseUp(button, shift, x, y);
    };

    switch (msg) {
    case WM_MOUSEMOVE:
        target->MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
        press(TMouseButton::mbLeft);
        break;
    case WM_RBUTTONDOWN:
        press(TMouseButton::mbRight);
        break;
    case WM_MBUTTONDOWN:
        press(TMouseButton::mbMiddle);
        break;
    case WM_LBUTTONDBLCLK:
        if (target->ControlStyle() & csDoubleClicks)
            target->DoubleClick(shift, x, y);
        else
            press(TMouseButton::mbLeft);
        break;
    case WM_RBUTTONDBLCLK:
        press(TMouseButton::mbRight);
        break;
    case WM_MBUTTONDBLCLK:
        press(TMouseButton::mbMiddle);
        break;
    case WM_LBUTTONUP:
        release(TMouseButton::mbLeft);
        break;
    case WM_RBUTTONUP:
        release(TMouseButton::mbRight);
        break;
    case WM_MBUTTONUP:
        release(TMouseButton::mbMiddle);
        break;
    }
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ERASEBKGND:
        if (!(ControlStyle() & csOpaque)) {
            TCanvas canvas(reinterpret_cast<HDC>(wp));
            EraseBackground(canvas);
        }
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        {
            TCanvas canvas(dc);
            PaintWindow(canvas);
            PaintControls(canvas, &ps.rcPaint);
        }
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        TCanvas canvas(reinterpret_cast<HDC>(wp));
        PaintTo(canvas);
        return 0;
    }
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
        RouteMouse(msg, wp, lp);
        return 0;
    case WM_MOUSELEAVE: {
        trackingLeave_ = false;
        TControl* current = CurrentMouseControl();
        if (current == this || (current && current->Parent() == this && !current->IsWindowed()))
            SetMouseControl(nullptr);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd_)
            captureControl_ = nullptr;
        return 0;
    case WM_SETFOCUS:
        if (TForm* form = ParentForm(); form && form != this)
            form->ActiveControlChanged(this);
        FocusReceived();
        return 0;
    case WM_KILLFOCUS:
        FocusLost();
        return 0;
    case WM_KEYDOWN:
        if (KeyDown(static_cast<WORD>(wp), CurrentShiftState()))
            return 0;
        break;
    case WM_KEYUP:
        if (KeyUp(static_cast<WORD>(wp), CurrentShiftState()))
            return 0;
        break;
    case WM_GETDLGCODE:
        return DialogCode();
    case WM_SYSCOLORCHANGE:
        SysColorChange();
        for (TControl* child : std::vector<TControl*>(children_))
            if (!child->IsWindowed())
                child->SysColorChange();
        break;
    }
    return DefaultHandler(msg, wp, lp);
}

// ---- TGraphicControl

TGraphicControl::TGraphicControl(TWinControl* parent) : TControl(parent) {}

void TGraphicControl::Invalidate()
{
    if (Visible())
        InvalidateArea();
}

void TGraphicControl::InvalidateArea()
{
    if (Parent() && Parent()->HandleAllocated()) {
        const RECT r = BoundsRect();
        InvalidateRect(Parent()->Handle(), &r, TRUE);
    }
}

void TGraphicControl::Update()
{
    if (Parent())
        Parent()->Update();
}

} // namespace quillon
