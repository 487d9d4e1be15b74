#pragma once
// TPopupWindow: a window without a parent that floats over everything for a
// control (a drop-down list, an error balloon): owned by the control's
// top-level window, topmost, a tool window, never activated, saving the
// screen bits under it, optionally letting the mouse through to whatever
// lies beneath. Its bounds are screen coordinates.
#include "framework/GraphicControl.h"

namespace quillon {

class TPopupWindow : public TCustomControl {
public:
    explicit TPopupWindow(TWinControl* owner);
    ~TPopupWindow() override;

    TWinControl* OwnerControl() const { return owner_; }
    // Clicks and moves go to the window of this program below it (the popup
    // answers HTTRANSPARENT to the hit test).
    bool MouseTransparent() const { return mouseTransparent_; }
    void SetMouseTransparent(bool value);

    // Shows the window at its bounds, on top, without taking the activation.
    void ShowNoActivate();
    // Hides it without activating anything, moving or sizing it.
    void Hide();
    void SetVisible(bool visible) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // At its control's scale, on whatever monitor it shows.
    int NewWindowPpi() const override { return owner_ ? owner_->PixelsPerInch() : PixelsPerInch(); }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* owner_;
    bool mouseTransparent_ = false;
};

} // namespace quillon
