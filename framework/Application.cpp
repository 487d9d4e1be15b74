#include "framework/Application.h"

#include "base/Exceptions.h"
#include "framework/Callback.h"
#include "framework/ErrorReport.h"
#include "framework/Hints.h"

namespace quillon {

namespace {

// The focused window asks for the key itself (WM_GETDLGCODE).
bool WantsKey(MSG& msg, UINT codes)
{
    const auto code = static_cast<UINT>(
        SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)));
    return (code & (codes | DLGC_WANTMESSAGE)) != 0;
}

// Last resort when the report itself fails: the debugger output.
void ReportQuietly(const char* text) noexcept
{
    OutputDebugStringA("Quillon: unreported error: ");
    OutputDebugStringA(text);
    OutputDebugStringA("\n");
}

// A key or a mouse button: what the user does.
bool IsUserInput(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
        return true;
    }
    return false;
}

// The control of ours that is (or holds) the window.
TWinControl* FocusedControlOf(HWND hwnd)
{
    for (HWND h = hwnd; h; h = (GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr)
        if (TWinControl* c = TWinControl::FromHandle(h))
            return c;
    return nullptr;
}

} // namespace

void ReportCallbackError(std::exception_ptr error) noexcept
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    } catch (...) {
        try {
            Application().HandleException(Exception("Unexpected error"));
        } catch (...) {
            ReportQuietly("Unexpected error");
        }
    }
}

TApplication& Application()
{
    static TApplication application;
    return application;
}

TFormsHost& FormsHost()
{
    return Application();
}

TApplication::TApplication()
{
    WatchControls(this);
}

void TApplication::ControlDestroyed(const TControl& control)
{
    ForgetHintControl(&control);
}

void TApplication::WindowMouse(TWinControl& window, UINT msg, WPARAM wp, LPARAM lp)
{
    // The settings as they are now: the program may change them at any time.
    RelayHintMouse(window, msg, wp, lp, THintSettings{HintColor, HintPause, HintHidePause});
}

bool TApplication::WindowNotified(const NMHDR& header)
{
    return HintWindowNotified(header);
}

void TApplication::Run(TForm& mainForm)
{
    MainForm = &mainForm;
    mainForm.Show();
    while (HandleMessage()) {
    }
}

bool TApplication::HandleMessage()
{
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        terminated_ = true;
        return false;
    }
    ProcessMessage(msg);
    return true;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ProcessMessage(msg);
    }
}

void TApplication::ProcessMessage(MSG& msg)
{
    // The innermost message counts: a modal loop run from a click handles
    // messages that are not the user's.
    struct TUserInput {
        bool& flag;
        const bool outer;
        TUserInput(bool& f, bool now) : flag(f), outer(f) { flag = now; }
        ~TUserInput() { flag = outer; }
    } input{handlingUserInput_, IsUserInput(msg.message)};
    // A handler run from here (a click by Enter) may throw: the loop reports it and goes on.
    if (GuardCallback(true, [&] { return IsKeyMessage(msg); }))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool TApplication::IsKeyMessage(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return false;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr));
    if (!form)
        return false;
    const auto key = static_cast<WORD>(msg.wParam);
    switch (msg.message) {
    case WM_KEYDOWN:
        // The focused control and its containers may take a key first.
        for (TWinControl* c = FocusedControlOf(msg.hwnd); c; c = c->Parent())
            if (c->ChildKey(key, CurrentShiftState()))
                return true;
        // Tab moves in the form's tab order (not the z-order) unless the
        // focused control takes it; Enter and Escape press the form's buttons.
        if (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
            if (WantsKey(msg, DLGC_WANTTAB))
                return false;
            form->SelectNext(GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
        if (key == VK_RETURN || key == VK_ESCAPE) {
            if (WantsKey(msg, DLGC_WANTALLKEYS))
                return false;
            return form->DialogKey(key);
        }
        return false;
    case WM_SYSCHAR:
        return form->DialogCharToControls(static_cast<wchar_t>(msg.wParam));
    case WM_CHAR:
        // A plain key is an accelerator where the focused control does not take characters.
        if (WantsKey(msg, DLGC_WANTCHARS))
            return false;
        return form->DialogCharToControls(static_cast<wchar_t>(msg.wParam));
    }
    return false;
}

void TApplication::HandleException(const std::exception& error) noexcept
{
    if (OnException) {
        try {
            const auto handler = OnException; // it may replace itself
            handler(error);
            return;
        } catch (...) {
            // The replacement failed: the default report after all.
        }
    }
    try {
        ShowErrorReport(GetActiveWindow(), Title, error.what());
    } catch (...) {
        ReportQuietly(error.what());
    }
}

bool TApplication::Active() const
{
    return GetActiveWindow() != nullptr;
}

void TApplication::ActivationChanged(bool active)
{
    // Every top-level window of the thread hears of the change; one notice.
    if (noticedActive_ == static_cast<int>(active))
        return;
    noticedActive_ = active;
    PostThreadMessageW(GetCurrentThreadId(), active ? AppActivateNotice() : AppDeactivateNotice(), 0, 0);
}

UINT AppActivateNotice()
{
    static const UINT message = RegisterWindowMessageW(L"Quillon.AppActivate");
    return message;
}

UINT AppDeactivateNotice()
{
    static const UINT message = RegisterWindowMessageW(L"Quillon.AppDeactivate");
    return message;
}

TForm* TApplication::ActiveForm() const
{
    return dynamic_cast<TForm*>(TWinControl::FromHandle(GetActiveWindow()));
}

TControl* TApplication::ControlAtScreen(POINT screen, bool allowDisabled) const
{
    HWND hwnd = WindowFromPoint(screen);
    if (!hwnd)
        return nullptr;
    // WindowFromPoint passes over disabled children; look through them.
    const UINT skip = CWP_SKIPINVISIBLE | (allowDisabled ? 0 : CWP_SKIPDISABLED);
    for (;;) {
        POINT client = screen;
        ::ScreenToClient(hwnd, &client);
        HWND child = ChildWindowFromPointEx(hwnd, client, skip);
        if (!child || child == hwnd)
            break;
        hwnd = child;
    }
    TWinControl* control = TWinControl::FromHandle(hwnd);
    if (!control)
        return nullptr;
    TControl* windowless = control->ControlAtPos(control->ScreenToClient(screen), allowDisabled);
    return windowless ? windowless : control;
}

} // namespace quillon
