#include "framework/Forms.h"

#include "base/TextConvert.h"
#include "framework/ErrorReport.h"

namespace quillon {

namespace {

constexpr wchar_t FormClass[] = L"QuillonForm";

// Every control of a form, depth first in creation order.
template <typename F>
bool ForEachControl(TWinControl& parent, F&& visit)
{
    for (TControl* child : std::vector<TControl*>(parent.Controls())) {
        if (visit(*child))
            return true;
        if (child->IsWindowed() && ForEachControl(*static_cast<TWinControl*>(child), visit))
            return true;
    }
    return false;
}

BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM list)
{
    if (IsWindowVisible(w) && IsWindowEnabled(w))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

} // namespace

TForm::TForm() : TWinControl(nullptr)
{
    SetVisible(false);
    SetColor(clBtnFace);
    if (!Application().MainForm)
        Application().MainForm = this;
}

TForm::~TForm()
{
    if (Application().MainForm == this)
        Application().MainForm = nullptr;
}

const wchar_t* TForm::WindowClassName() const
{
    return FormClass;
}

void TForm::CreateParams(DWORD& style, DWORD& exStyle)
{
    style = WS_CLIPCHILDREN;
    exStyle = 0;
    switch (BorderStyle) {
    case TFormBorderStyle::bsDialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TFormBorderStyle::bsSizeable:
        style |= WS_OVERLAPPEDWINDOW;
        break;
    case TFormBorderStyle::bsNone:
        style |= WS_POPUP;
        break;
    }
}

void TForm::SetClientSize(int width, int height)
{
    DWORD style = 0, exStyle = 0;
    CreateParams(style, exStyle);
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    int left = Left(), top = Top();
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (CenterOnScreen) {
        left = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    }
    SetBounds(left, top, w, h);
}

void TForm::Show()
{
    Handle();
    SetVisible(true);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    UpdateWindow(Handle());
}

int TForm::ShowModal()
{
    modalResult_ = mrNone;
    modal_ = true;
    // Disable the other windows of the thread, as a modal dialog does.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND w : disabled)
        EnableWindow(w, FALSE);
    Show();
    while (modalResult_ == mrNone && Application().HandleMessage()) {
    }
    for (HWND w : disabled)
        EnableWindow(w, TRUE);
    Hide();
    modal_ = false;
    if (Application().Terminated())
        PostQuitMessage(0);
    return modalResult_;
}

void TForm::Close()
{
    if (OnCloseQuery && !OnCloseQuery())
        return;
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
    } else if (Application().MainForm == this) {
        DestroyHandle();
    } else {
        Hide();
    }
}

void TForm::RunCreateEvent(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TForm::ControlRemoved(TControl* control)
{
    if (activeControl_ == control)
        activeControl_ = nullptr;
    if (DefaultControl == control)
        DefaultControl = nullptr;
    if (CancelControl == control)
        CancelControl = nullptr;
}

void TForm::ActiveControlChanged(TWinControl* control)
{
    activeControl_ = control;
    FocusChangedNotice();
}

void TForm::FocusChangedNotice()
{
    ForEachControl(*this, [&](TControl& c) {
        c.FocusChanged(activeControl_);
        return false;
    });
}

bool TForm::DialogCharToControls(wchar_t ch)
{
    return ForEachControl(*this, [&](TControl& c) {
        return c.Visible() && c.EffectivelyEnabled() && c.DialogChar(ch);
    });
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        if (Application().MainForm == this)
            PostQuitMessage(0);
        break;
    case WM_COMMAND:
        if (lp == 0 && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
            TControl* target = LOWORD(wp) == IDOK ? DefaultControl : CancelControl;
            if (target && target->Visible() && target->EffectivelyEnabled())
                target->Click();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && activeControl_ && activeControl_->HandleAllocated()) {
            ::SetFocus(activeControl_->Handle());
            return 0;
        }
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---- TApplication

TApplication& Application()
{
    static TApplication application;
    return application;
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
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
    if (form && (msg.message == WM_SYSCHAR || msg.message == WM_CHAR)) {
        // Accelerators: Alt+key always, a plain key where the focused control
        // does not take characters itself.
        const bool wantsChars =
            msg.message == WM_CHAR &&
            (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS);
        bool handled = false;
        if (!wantsChars) {
            try {
                handled = form->DialogCharToControls(static_cast<wchar_t>(msg.wParam));
            } catch (const std::exception& e) {
                HandleException(e);
                handled = true;
            }
        }
        if (handled)
            return;
    }
    if (form && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void TApplication::HandleException(const std::exception& error)
{
    if (OnException) {
        OnException(error);
        return;
    }
    ShowErrorReport(GetActiveWindow(), Title, error.what());
}

bool TApplication::Active() const
{
    return GetActiveWindow() != nullptr;
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
