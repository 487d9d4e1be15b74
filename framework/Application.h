#pragma once
// The application object: message loop with the keyboard handling of the
// forms (Tab, Enter, Escape, accelerators), the default error report, hint
// settings, and which of its windows is active.
#include "framework/Forms.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace quillon {

// The application object. It watches every control for what concerns the
// whole program: the hint window and the notices of activation.
class TApplication : public TFormsHost, private IControlWatch {
public:
    TApplication();

    std::wstring Title = L"Quillon";
    TColor HintColor = clInfoBk;
    int HintPause = 500;                // ms until a hint shows
    int HintHidePause = 2500;           // ms until it hides
    // Replaces the message box of the default error report (tests). When it
    // throws, the message box is shown after all.
    std::function<void(const std::exception&)> OnException;

    // Shows the main form and runs the message loop until it closes.
    void Run(TForm& mainForm);
    // Waits for and handles one message; false once WM_QUIT arrived.
    bool HandleMessage() override;
    // Handles the messages already queued.
    void ProcessMessages();
    void ProcessMessage(MSG& msg);
    bool Terminated() const override { return terminated_; }
    // The message being handled now is the user's: a key or a mouse button
    // (what its handlers do, the user did). False inside a message that one
    // of them led to later (posted, a timer).
    bool HandlingUserInput() const { return handlingUserInput_; }

    // The default error report: a message box with the error's text, the
    // title as caption and the error icon. Never throws.
    void HandleException(const std::exception& error) noexcept;

    // Some window of this application is the active window.
    bool Active() const;
    // A window of ours heard that the application gains (or loses) the
    // activation to another program: posts the matching notice to the
    // thread, once per change, so message hooks and the loop see it.
    void ActivationChanged(bool active) override;
    // The form of the active window, or null.
    TForm* ActiveForm() const;
    // The control under a screen point, windowless ones included.
    TControl* ControlAtScreen(POINT screen, bool allowDisabled) const;

private:
    // The forms' keyboard handling; true when the message was consumed.
    bool IsKeyMessage(MSG& msg);
    void ControlDestroyed(const TControl& control) override;
    void WindowMouse(TWinControl& window, UINT msg, WPARAM wp, LPARAM lp) override;
    bool WindowNotified(const NMHDR& header) override;

    bool terminated_ = false;
    int noticedActive_ = -1; // the last notice posted: 1 activation, 0 deactivation
    bool handlingUserInput_ = false;
};

TApplication& Application();

// The thread messages (no window) that TApplication posts when another
// program's window took the activation from ours, or ours took it back.
UINT AppActivateNotice();
UINT AppDeactivateNotice();

} // namespace quillon
