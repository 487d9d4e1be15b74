#pragma once
// Buttons over the system BUTTON class.
// TButton: a push button. Default and Cancel make it the form's Enter and
// Escape target, a click sets the form's modal result, Enter on a focused
// push button presses that one. The framework tells every push button on
// each focus change whether it is the active one (the one Enter presses),
// through the virtual SetButtonActive; the plain button shows it with the
// system's default-button style. A subclass may draw it (BS_OWNERDRAW in its
// CreateParams): the parent's WM_DRAWITEM and WM_MEASUREITEM reach DrawItem
// and MeasureItem.
#include "framework/ControlColors.h"
#include "framework/WinControl.h"

namespace quillon {

class TButton : public TWinControl {
public:
    explicit TButton(TWinControl* parent);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value);
    // Set on the parent form by a click (0 leaves a modal form open).
    int ModalResult = 0;

    bool IsPushButton() const override { return true; }
    void Click() override;
    bool DialogChar(wchar_t ch) override;
    void FocusChanged(TControl* active) override;

    // The one that Enter presses: the focused button, or while the focus is
    // on something else than a push button, the default button. Equals
    // Default once the window exists, then follows the focus.
    bool ButtonActive() const { return active_; }
    virtual void SetButtonActive(bool active);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Owner drawing: true when drawn (measured).
    virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool MeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }

private:
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
};

} // namespace quillon

namespace quillon {

// TCheckBox: a two-state check box. The state is ours (the window shows it):
// a user's click, Space or accelerator toggles it, and every change of the
// state, by the user or by SetChecked, runs OnClick once (a stored state set
// while loading runs nothing). Its background is
// its colour, by default the parent's (a tab page). At another scale than
// 96 dpi it is at least as wide as its box and caption need: fonts do not
// grow exactly with the scale.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TWinControl* parent);

    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    void Toggle() { SetChecked(!checked_); }

    bool DialogChar(wchar_t ch) override;
    // The width that shows the box and the whole caption at the control's ppi.
    int FittingWidth() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void ColorChanged() override;
    // Scaled, it grows to its FittingWidth where the scale gives too little.
    void ScaleChanged() override;

private:
    bool checked_ = false;
    TControlBrush brush_;
};

} // namespace quillon
