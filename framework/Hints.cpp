#include "framework/Hints.h"

#include "base/TextConvert.h"
#include "framework/WinControl.h"

#include <commctrl.h>
#include <windowsx.h>

namespace quillon {

namespace {

// The control under a client point of `window`: a disabled child window
// (which got no message of its own) or a windowless child, innermost first.
// `bounds` gets its rectangle in `window`'s client coordinates.
TControl* HintTarget(TWinControl& window, POINT point, RECT& bounds)
{
    TWinControl* container = &window;
    POINT p = point;
    for (;;) {
        HWND child = ChildWindowFromPointEx(container->Handle(), p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        TWinControl* inner = child && child != container->Handle() ? TWinControl::FromHandle(child) : nullptr;
        if (!inner)
            break;
        MapWindowPoints(container->Handle(), inner->Handle(), &p, 1);
        container = inner;
    }
    TControl* target = container;
    RECT r = container->ClientRect();
    if (TControl* windowless = container->ControlAtPos(p, true)) {
        target = windowless;
        r = windowless->BoundsRect();
    }
    MapWindowPoints(container->Handle(), window.Handle(), reinterpret_cast<POINT*>(&r), 2);
    bounds = r;
    return target;
}

class THintWindow {
public:
    ~THintWindow()
    {
        if (hwnd_)
            DestroyWindow(hwnd_);
    }

    HWND Handle() const { return hwnd_; }

    void Relay(TWinControl& window, UINT msg, WPARAM wp, LPARAM lp, const THintSettings& settings)
    {
        POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT bounds{};
        TControl* target = HintTarget(window, point, bounds);
        const std::string text = HintShown(*target) ? HintText(*target) : std::string();
        if (window.Handle() != toolWindow_ || target != toolControl_ || text != toolText_ ||
            !EqualRect(&bounds, &toolRect_)) {
            DropTool();
            if (!text.empty())
                AddTool(window.Handle(), target, bounds, text, settings);
        }
        if (!hwnd_ || !toolWindow_)
            return;
        MSG relayed{window.Handle(), msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&relayed.pt);
        SendMessageW(hwnd_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }

    void Forget(const TControl* control)
    {
        if (control && control == toolControl_)
            DropTool();
    }

    bool Notified(const NMHDR& header)
    {
        if (!hwnd_ || header.hwndFrom != hwnd_)
            return false;
        if (header.code == static_cast<UINT>(TTN_POP))
            SendToBack();
        return true;
    }

private:
    bool Create()
    {
        if (hwnd_)
            return true;
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&init);
        hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (hwnd_)
            SendToBack();
        return hwnd_ != nullptr;
    }

    // Measured under Wine: a click that passes a popup answering
    // HTTRANSPARENT (an error balloon) goes to the next window in z-order even
    // when that one is hidden, so the hidden tooltip waits at the bottom. It
    // puts itself on top when it shows.
    void SendToBack()
    {
        SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }

    void AddTool(HWND window, const TControl* control, const RECT& bounds, const std::string& text,
                 const THintSettings& settings)
    {
        if (!Create())
            return;
        SendMessageW(hwnd_, TTM_SETTIPBKCOLOR, static_cast<WPARAM>(ColorToRGB(settings.color)), 0);
        SendMessageW(hwnd_, TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(ColorToRGB(clInfoText)), 0);
        SendMessageW(hwnd_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(settings.pause, 0));
        SendMessageW(hwnd_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(settings.hidePause, 0));
        SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN)); // keeps \r\n line breaks
        std::wstring wide = Utf8ToWide(text);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = window;
        tool.uId = 1;
        tool.rect = bounds;
        tool.lpszText = wide.data();
        if (!SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
            return;
        toolWindow_ = window;
        toolControl_ = control;
        toolText_ = text;
        toolRect_ = bounds;
    }

    void DropTool()
    {
        if (hwnd_ && toolWindow_) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.hwnd = toolWindow_;
            tool.uId = 1;
            SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        toolWindow_ = nullptr;
        toolControl_ = nullptr;
        toolText_.clear();
        toolRect_ = RECT{};
    }

    HWND hwnd_ = nullptr;
    // The one tool: the control under the pointer.
    HWND toolWindow_ = nullptr;
    const TControl* toolControl_ = nullptr;
    std::string toolText_;
    RECT toolRect_{};
};

THintWindow& HintWindow()
{
    static THintWindow window;
    return window;
}

} // namespace

bool HintShown(const TControl& control)
{
    for (const TControl* c = &control; c; c = c->Parent()) {
        if (c->ShowHint)
            return true;
        if (!c->ParentShowHint)
            return false;
    }
    return false;
}

std::string HintText(const TControl& control)
{
    for (const TControl* c = &control; c; c = c->Parent())
        if (!c->Hint.empty())
            return c->Hint;
    return {};
}

void RelayHintMouse(TWinControl& window, UINT msg, WPARAM wp, LPARAM lp, const THintSettings& settings)
{
    HintWindow().Relay(window, msg, wp, lp, settings);
}

void ForgetHintControl(const TControl* control)
{
    HintWindow().Forget(control);
}

bool HintWindowNotified(const NMHDR& header)
{
    return HintWindow().Notified(header);
}

HWND HintWindowHandle()
{
    return HintWindow().Handle();
}

} // namespace quillon
