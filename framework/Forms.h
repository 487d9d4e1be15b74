#pragma once
// TForm: a top-level window with its controls: border styles, placement on
// the first show, modal show with an owner, the close request, the loading
// state of its controls, the active control with focus enter/exit notices,
// Tab navigation in tab order, and Enter/Escape/accelerator handling.
#include "framework/Controls.h"

#include <functional>
#include <memory>
#include <type_traits>

namespace quillon {

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// Where the form goes when it is shown the first time.
enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter, poOwnerFormCenter };

class TForm;

// What forms need of the application that runs them; the application object
// is it (FormsHost() is Application()).
class TFormsHost {
public:
    // The first form made; closing it ends the program.
    TForm* MainForm = nullptr;
    // Waits for and handles one message; false once WM_QUIT arrived.
    virtual bool HandleMessage() = 0;
    virtual bool Terminated() const = 0;

protected:
    ~TFormsHost() = default;
};
TFormsHost& FormsHost();

// The form a control is on (its topmost ancestor), or null.
TForm* ParentForm(const TControl& control);

class TForm : public TWinControl, public IFormLink {
public:
    TForm();
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    // Re-creates an existing window.
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position = TPosition::poDesigned;

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    void Show();
    void Hide();
    void SetVisible(bool visible) override;
    // Shows the form modally, owned by the application's active form (else
    // the main form), the other windows disabled, until a modal result is
    // set; returns it. The owner gets the activation back afterwards.
    int ShowModal();
    // The close request: asks OnCloseQuery, then ends the modal loop, or ends
    // the program for the main form, or hides the form.
    void Close();
    bool Modal() const { return modal_; }
    // The form that owns this one's window (set by ShowModal), or null.
    TForm* OwnerForm() const { return ownerForm_; }
    void SetOwnerForm(TForm* owner);

    std::function<bool()> OnCloseQuery; // false keeps the form open
    // Runs a form's create event: an error is reported by the default error
    // report and the form is still created.
    void RunCreateEvent(const std::function<void()>& handler);
    TControl* DefaultControl = nullptr; // clicked by Enter
    TControl* CancelControl = nullptr;  // clicked by Escape

    // Loading: BeginLoad marks the form and every control in it (and every
    // control created until EndLoad) as loading; EndLoad clears the mark,
    // fixes the tab orders, calls Loaded() on each control, depth first in
    // creation order, and aligns. Load runs `setProperties` between the two.
    void BeginLoad();
    void EndLoad();
    void Load(const std::function<void()>& setProperties);

    // The control that has (or gets, on show and activation) the focus.
    TWinControl* ActiveControl() const override { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // The next control that Tab (forward) or Shift+Tab reaches from
    // `current` (null: from the start), in tab order across containers.
    TWinControl* FindNextControl(TWinControl* current, bool forward) const;
    bool SelectNext(bool forward);
    // Enter clicks the focused push button or else DefaultControl; Escape
    // clicks CancelControl; only controls visible and enabled with their
    // ancestors. False when nothing was clicked.
    bool DialogKey(WORD vk);
    // Offers an accelerator to the form's visible, enabled controls until one takes it.
    bool DialogCharToControls(wchar_t ch);

    // Framework plumbing. A control of the form is going away.
    void ControlRemoved(TControl* control) override;
    // A control of the form received the focus.
    void FocusMoved(TWinControl* control) override;
    // Tells every control of the form that the active control changed.
    void FocusChangedNotice();

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Notification(TComponent* component, TOperation operation) override;
    void HandleCreated() override;
    void ScaleChanged() override;

private:
    struct TIconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    using TIcon = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;

    void ApplyPosition();
    void FocusFirstControl();
    // The program's icon in the sizes the system asks for at the form's ppi
    // (the window class has those of the system's ppi).
    void UpdateIcons();

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsDialog;
    int modalResult_ = mrNone;
    bool modal_ = false;
    bool shownBefore_ = false;
    TForm* ownerForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;  // has or gets the focus
    TWinControl* focusedControl_ = nullptr; // the last one told that it entered
    TIcon bigIcon_, smallIcon_;
};

} // namespace quillon
