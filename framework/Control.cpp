#include "framework/Control.h"

#include "base/TextConvert.h"

#include <algorithm>
#include <cwctype>

namespace quillon {

namespace {

// The control under the pointer by the framework's enter/leave notices.
TControl* mouseControl = nullptr;
IControlWatch* controlWatch = nullptr;

} // namespace

void WatchControls(IControlWatch* watch)
{
    controlWatch = watch;
}

IControlWatch* ControlWatch()
{
    return controlWatch;
}

HCURSOR CursorHandle(TCursor cursor)
{
    const wchar_t* id = nullptr;
    switch (cursor) {
    case TCursor::crDefault:
    case TCursor::crNone:
        return nullptr;
    case TCursor::crArrow:
    case TCursor::crDrag:
    case TCursor::crMultiDrag:
        id = IDC_ARROW;
        break;
    case TCursor::crCross:
        id = IDC_CROSS;
        break;
    case TCursor::crIBeam:
        id = IDC_IBEAM;
        break;
    case TCursor::crSizeNESW:
        id = IDC_SIZENESW;
        break;
    case TCursor::crSizeNS:
    case TCursor::crVSplit:
        id = IDC_SIZENS;
        break;
    case TCursor::crSizeNWSE:
        id = IDC_SIZENWSE;
        break;
    case TCursor::crSizeWE:
    case TCursor::crHSplit:
        id = IDC_SIZEWE;
        break;
    case TCursor::crUpArrow:
        id = IDC_UPARROW;
        break;
    case TCursor::crHourGlass:
        id = IDC_WAIT;
        break;
    case TCursor::crNoDrop:
    case TCursor::crNo:
        id = IDC_NO;
        break;
    case TCursor::crAppStart:
        id = IDC_APPSTARTING;
        break;
    case TCursor::crHelp:
        id = IDC_HELP;
        break;
    case TCursor::crHandPoint:
        id = IDC_HAND;
        break;
    case TCursor::crSizeAll:
        id = IDC_SIZEALL;
        break;
    }
    return id ? LoadCursorW(nullptr, id) : nullptr;
}

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

TControl::TControl(IControlParent* parent) : container_(parent)
{
    if (container_)
        container_->InsertControl(*this);
}

TControl::~TControl()
{
    SetAction(nullptr);
    if (IControlWatch* watch = ControlWatch())
        watch->ControlDestroyed(*this);
    if (mouseControl == this)
        mouseControl = nullptr;
    if (container_) {
        if (IFormLink* form = FormLink())
            form->ControlRemoved(this);
        container_->RemoveControl(*this);
    }
}

IFormLink* TControl::FormLink() const
{
    const TControl* top = this;
    while (top->parentControl_)
        top = top->parentControl_;
    return dynamic_cast<IFormLink*>(const_cast<TControl*>(top));
}

int TControl::ClientWidth() const
{
    const RECT r = ClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const
{
    const RECT r = ClientRect();
    return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height)
{
    const SIZE frame = FrameSize();
    SetBounds(left_, top_, width + frame.cx, height + frame.cy);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    ApplyBounds(left, top, width, height);
}

void TControl::ApplyBounds(int left, int top, int width, int height, bool clientChanged)
{
    const bool moved = left != left_ || top != top_;
    const bool resized = width != width_ || height != height_;
    if (!moved && !resized && !clientChanged)
        return;
    if (!IsWindowed() && (moved || resized))
        Invalidate(); // the area it leaves
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!scaling_)
        RememberDesignBounds();
    if (moved || resized)
        BoundsChanged();
    if (resized || clientChanged)
        Resize();
    if (moved || resized)
        RequestParentAlign();
}

// A value that is the scaled 96-dpi one keeps that; another one is new, and
// its 96-dpi value is taken from it.
void TControl::RememberDesignBounds()
{
    auto remember = [this](int& design, int value) {
        if (value != Scale(design))
            design = ScaleToDesign(value, ppi_);
    };
    remember(designBounds_.left, left_);
    remember(designBounds_.top, top_);
    remember(designBounds_.width, ScalesClientSize() ? ClientWidth() : width_);
    remember(designBounds_.height, ScalesClientSize() ? ClientHeight() : height_);
}

void TControl::ApplyScaledBounds()
{
    const TDesignBounds d = designBounds_;
    SetBounds(Scale(d.left), Scale(d.top), Scale(d.width), Scale(d.height));
}

void TControl::ChangeScale(int ppi)
{
    if (ppi == ppi_ || ppi <= 0)
        return;
    ppi_ = ppi;
    scaling_ = true;
    struct TEnd {
        bool& flag;
        ~TEnd() { flag = false; }
    } end{scaling_};
    ApplyScaledBounds();
    ScaleChanged();
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(*this);
}

void TControl::RequestParentAlign()
{
    if (align_ != TAlign::alNone && container_)
        container_->AlignControls();
}

void TControl::SetAlign(TAlign value)
{
    if (value == align_)
        return;
    align_ = value;
    if (container_)
        container_->AlignControls();
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
    RequestParentAlign();
}

bool TControl::EffectivelyEnabled() const
{
    for (const TControl* c = this; c; c = c->parentControl_)
        if (!c->Enabled())
            return false;
    return true;
}

bool TControl::EffectivelyVisible() const
{
    for (const TControl* c = this; c; c = c->parentControl_)
        if (!c->Visible())
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
    if (value && parentControl_ && parentControl_->Color() != color_) {
        color_ = parentControl_->Color();
        ColorChanged();
    }
}

void TControl::ParentColorChanged()
{
    if (parentColor_ && parentControl_ && parentControl_->Color() != color_) {
        color_ = parentControl_->Color();
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
    if (value && parentControl_ && !(parentControl_->Font() == font_)) {
        font_ = parentControl_->Font();
        FontChanged();
    }
}

void TControl::ParentFontChanged()
{
    if (parentFont_ && parentControl_ && !(parentControl_->Font() == font_)) {
        font_ = parentControl_->Font();
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
    if (!parentControl_)
        return p;
    return parentControl_->ClientToScreen(POINT{p.x + left_, p.y + top_});
}

POINT TControl::ScreenToClient(POINT p) const
{
    if (!parentControl_)
        return p;
    const POINT q = parentControl_->ScreenToClient(p);
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
    if (action_)
        action_->RemoveClient(&actionLink_);
    action_ = action;
    if (action_) {
        action_->AddClient(&actionLink_);
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
    if (button == TMouseButton::mbLeft && (controlStyle_ & csClickEvents))
        clickPressed_ = true;
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
    if (button == TMouseButton::mbLeft && clickPressed_) {
        clickPressed_ = false;
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            Click();
    }
    if (OnMouseUp)
        OnMouseUp(*this, button, shift, x, y);
}

void TControl::DoubleClick(unsigned shift, int x, int y)
{
    if (controlStyle_ & csCaptureMouse)
        SetMouseCapture(true);
    MouseDown(TMouseButton::mbLeft, shift | ssDouble, x, y);
}

} // namespace quillon
