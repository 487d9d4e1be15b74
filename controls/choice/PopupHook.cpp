#include "controls/choice/PopupHook.h"

#include "controls/choice/ErrorPopup.h"
#include "framework/Application.h"
#include "framework/Callback.h"

namespace quillon {

namespace {

HHOOK hook = nullptr;
HWND hookTarget = nullptr;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp)
{
    GuardCallback([&] {
        if (code != HC_ACTION || wp != PM_REMOVE || !lp)
            return;
        const auto* msg = reinterpret_cast<const MSG*>(lp);
        // Posted, never handled here: the edit hides and frees the balloon.
        if (HidesPopup(msg->message) && hookTarget && IsWindow(hookTarget))
            PostMessageW(hookTarget, HideErrorMessage(), 0, 0);
    });
    return CallNextHookEx(nullptr, code, wp, lp);
}

} // namespace

bool HidesPopup(UINT message)
{
    switch (message) {
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
        return true;
    }
    // Another program took the activation, or ours took it back.
    return message == AppActivateNotice() || message == AppDeactivateNotice();
}

void InstallPopupHook(HWND target)
{
    hookTarget = target;
    if (hook)
        return;
    hook = SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, GetCurrentThreadId());
}

void RemovePopupHook()
{
    hookTarget = nullptr;
    if (!hook)
        return;
    UnhookWindowsHookEx(hook);
    hook = nullptr;
}

bool PopupHookInstalled()
{
    return hook != nullptr;
}

} // namespace quillon
