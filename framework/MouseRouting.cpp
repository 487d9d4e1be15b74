// Mouse messages of a window: delivered to the windowless child under the
// pointer (or the one holding the capture) or to the control itself, with
// enter/leave notices, capture, and the cancel-mode notice to the form's
// active control when another control is pressed.
#include "framework/WinControl.h"

#include <windowsx.h>

namespace quillon {

namespace {

bool IsPress(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        return true;
    }
    return false;
}

} // namespace

TControl* TWinControl::MouseTarget(POINT client) const
{
    if (captureControl_)
        return captureControl_;
    if (TControl* child = ControlAtPos(client, false))
        return child;
    return const_cast<TWinControl*>(this);
}

LRESULT TWinControl::MouseMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (IControlWatch* watch = ControlWatch())
        watch->WindowMouse(*this, msg, wp, lp);
    TControl* target = MouseTarget(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    if (IsPress(msg))
        if (IFormLink* form = FormLink())
            if (TWinControl* active = form->ActiveControl(); active && active != target)
                active->CancelMode(target);
    // The system's handling first: a native control selects, focuses, captures.
    const LRESULT result = DefaultHandler(msg, wp, lp);
    if (hwnd_)
        RouteMouse(target, msg, wp, lp);
    return result;
}

void TWinControl::TrackMouse(TControl* target)
{
    if (!trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd_, 0};
        trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
    }
    SetMouseControl(target);
}

void TWinControl::MouseLeft()
{
    trackingLeave_ = false;
    TControl* current = CurrentMouseControl();
    if (current == this || (current && current->Parent() == this && !current->IsWindowed()))
        SetMouseControl(nullptr);
}

void TWinControl::RouteMouse(TControl* target, UINT msg, WPARAM wp, LPARAM lp)
{
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const unsigned shift = ShiftFromKeys(wp);

    if (msg == WM_MOUSEMOVE) {
        TControl* hovered = ControlAtPos(pt, true);
        TrackMouse(hovered ? hovered : this);
    }

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

bool TControl::MouseCapture() const
{
    if (IsWindowed()) {
        const auto* self = static_cast<const TWinControl*>(this);
        return self->hwnd_ && GetCapture() == self->hwnd_;
    }
    return parent_ && parent_->captureControl_ == this && parent_->hwnd_ && GetCapture() == parent_->hwnd_;
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
        if (parent_->hwnd_ && GetCapture() == parent_->hwnd_)
            ReleaseCapture();
    }
}

} // namespace quillon
