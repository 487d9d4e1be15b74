#include "framework/Buttons.h"

#include "framework/Forms.h"

namespace quillon {

TButton::TButton(TWinControl* parent) : TWinControl(parent)
{
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.superclassOf = L"BUTTON";
    // The system class's double-clicks stay (an owner-drawn button gets them).
    params.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::HandleCreated()
{
    TWinControl::HandleCreated();
    active_ = default_;
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    if (TForm* form = ParentForm(*this)) {
        if (value)
            form->DefaultControl = this;
        else if (form->DefaultControl == this)
            form->DefaultControl = nullptr;
        if (HandleAllocated())
            form->FocusChangedNotice();
    }
}

void TButton::SetCancel(bool value)
{
    cancel_ = value;
    if (TForm* form = ParentForm(*this)) {
        if (value)
            form->CancelControl = this;
        else if (form->CancelControl == this)
            form->CancelControl = nullptr;
    }
}

void TButton::Click()
{
    if (TForm* form = ParentForm(*this))
        form->SetModalResult(ModalResult);
    TWinControl::Click();
}

bool TButton::DialogChar(wchar_t ch)
{
    if (!IsAccel(ch, Caption()) || !CanFocus())
        return false;
    Click();
    return true;
}

void TButton::FocusChanged(TControl* active)
{
    const auto* focused = dynamic_cast<TWinControl*>(active);
    const bool focusOnPushButton = focused && focused->IsPushButton();
    SetButtonActive(active == this || (!focusOnPushButton && default_));
}

void TButton::SetButtonActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) {
            Click();
            return true;
        }
        break;
    case WM_DRAWITEM:
        if (DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) {
            result = TRUE;
            return true;
        }
        break;
    case WM_MEASUREITEM:
        if (MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) {
            result = TRUE;
            return true;
        }
        break;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

} // namespace quillon

namespace quillon {

TCheckBox::TCheckBox(TWinControl* parent) : TWinControl(parent)
{
    SetBounds(Left(), Top(), 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.superclassOf = L"BUTTON";
    // Not an automatic check box: the state changes in one place, SetChecked.
    params.style |= BS_CHECKBOX;
}

void TCheckBox::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Loading())
        Click();
}

bool TCheckBox::DialogChar(wchar_t ch)
{
    if (!IsAccel(ch, Caption()) || !CanFocus())
        return false;
    SetFocus();
    if (Focused())
        Toggle();
    return true;
}

bool TCheckBox::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) {
            Toggle();
            return true;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = AnswerControlColor(reinterpret_cast<HDC>(wp), Font().color, Color(), brush_);
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

int TCheckBox::FittingWidth() const
{
    const TFont font = ScaledFont();
    // The box, then about half a character's gap, then the text.
    const int box = SystemMetricForPpi(SM_CXMENUCHECK, PixelsPerInch());
    const int gap = SharedFontMetrics(font).tmAveCharWidth;
    return box + gap + InkWidth(font, Caption(), DT_SINGLELINE | DT_LEFT);
}

void TCheckBox::ScaleChanged()
{
    TWinControl::ScaleChanged();
    if (PixelsPerInch() != DesignPpi)
        if (const int need = FittingWidth(); Width() < need)
            SetWidth(need);
}

void TCheckBox::ColorChanged()
{
    brush_.Reset();
    TWinControl::ColorChanged();
}

} // namespace quillon
