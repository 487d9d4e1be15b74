#pragma once
// Top-level windows (TForm) and the application object: message loop with
// dialog navigation, modal show, default error report, hint settings.
#include "framework/Controls.h"

#include <exception>
#include <functional>
#include <string>

namespace quillon {

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

enum class TFormBorderStyle { bsDialog, bsSizeable, bsNone };

class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    TFormBorderStyle BorderStyle = TFormBorderStyle::bsDialog;
    bool CenterOnScreen = true;
    void SetClientSize(int width, int height);

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form modally, disabling the other windows, until a modal
    // result is set; returns it.
    int ShowModal();
    // The close request: asks OnCloseQuery, then ends the modal loop, or ends
    // the program for the main form, or hides the form.
    void Close();
    bool Modal() const { return modal_; }

    std::function<bool()> OnCloseQuery; // false keeps the form open
    // Runs a form's create event: an error is reported by the default error
    // report and the form is still created.
    void RunCreateEvent(const std::function<void()>& handler);
    TControl* DefaultControl = nullptr; // clicked by Enter
    TControl* CancelControl = nullptr;  // clicked by Escape

    TWinControl* ActiveControl() const { return activeControl_; }
    // A control of the form is going away: forget it wherever it is named.
    void ControlRemoved(TControl* control);
    void ActiveControlChanged(TWinControl* control);
    // Tells every control of the form that the active control changed.
    void FocusChangedNotice();
    // Offers an accelerator to the form's controls until one takes it.
    bool DialogCharToControls(wchar_t ch);

protected:
    void CreateParams(DWORD& style, DWORD& exStyle) override;
    const wchar_t* WindowClassName() const override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int modalResult_ = mrNone;
    bool modal_ = false;
    TWinControl* activeControl_ = nullptr;
};

class TApplication {
public:
    std::wstring Title = L"Quillon";
    TForm* MainForm = nullptr;
    TColor HintColor = clInfoBk;
    int HintHidePause = 2500; // ms
    // Replaces the message box of the default error report (tests).
    std::function<void(const std::exception&)> OnException;

    // Shows the main form and runs the message loop until it closes.
    void Run(TForm& mainForm);
    // Waits for and handles one message; false once WM_QUIT arrived.
    bool HandleMessage();
    // Handles the messages already queued.
    void ProcessMessages();
    void ProcessMessage(MSG& msg);
    bool Terminated() const { return terminated_; }

    // The default error report: a message box with the error's text, the
    // title as caption and the error icon.
    void HandleException(const std::exception& error);

    // Some window of this application is the active window.
    bool Active() const;
    // The control under a screen point, windowless ones included.
    TControl* ControlAtScreen(POINT screen, bool allowDisabled) const;

private:
    bool terminated_ = false;
};

TApplication& Application();

} // namespace quillon
