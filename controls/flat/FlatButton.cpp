#include "controls/flat/FlatButton.h"

namespace quillon {

TFlatButton::TFlatButton(TWinControl* parent) : TFlatButtonCommon<TCustomControl>(parent)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

void TFlatButton::SetDefault(bool value)
{
    default_ = value;
    if (HandleAllocated())
        if (TForm* form = ParentForm(*this))
            form->FocusChangedNotice();
    Invalidate();
}

void TFlatButton::Paint(TCanvas& canvas)
{
    buffer_.Paint(canvas, ClientRect(), [this](TCanvas& c) {
        c.SetFont(ScaledFont());
        PaintFace(c);
    });
}

void TFlatButton::PaintBackground(TCanvas& canvas, TColor face)
{
    const bool parentImage = TransparentMode() == TTransparentMode::tmAlways ||
                             (TransparentMode() == TTransparentMode::tmNotFocused && !IsHot());
    if (parentImage)
        PaintParentBackground(*this, canvas);
    else
        canvas.FillRect(ClientRect(), face);
}

void TFlatButton::PressTakesFocus()
{
    if (CanFocus() && !Focused())
        SetFocus();
}

void TFlatButton::FocusReceived()
{
    if (Enabled()) {
        SetHot(true);
        Invalidate();
    }
}

void TFlatButton::FocusLost()
{
    LeaveRule();
}

bool TFlatButton::KeyDown(WORD key, unsigned)
{
    if (key == VK_SPACE) {
        if (GroupIndex() == 0)
            SetButtonState(TFlatButtonState::fbsDown);
        else
            SetDown(true);
        Invalidate();
    }
    return true;
}

bool TFlatButton::KeyUp(WORD key, unsigned)
{
    if (key == VK_SPACE) {
        if (GroupIndex() == 0)
            SetButtonState(TFlatButtonState::fbsUp);
        else
            SetDown(false);
        Click();
        Invalidate();
    }
    return true;
}

bool TFlatButton::DialogChar(wchar_t ch)
{
    if (!IsAccel(ch, Caption()) || !Enabled())
        return false;
    if (GroupIndex() != 0)
        SetDown(true);
    Click();
    return true;
}

void TFlatButton::BoundsChanged()
{
    TFlatButtonCommon<TCustomControl>::BoundsChanged();
    if (TransparentMode() != TTransparentMode::tmNone)
        Invalidate();
}

} // namespace quillon
