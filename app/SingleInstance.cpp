#include "app/SingleInstance.h"

#include <sddl.h>

#include <string>
#include <vector>

namespace quillon {

namespace {

// The SID of the user this process runs as, as text; empty if the system
// will not say (the mutex is then per session only).
std::wstring UserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    std::wstring text;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t* sid = nullptr;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

HWND FindRunningMainWindow()
{
    // The program's forms share the framework's one window class for forms;
    // the main one is told by its caption.
    HWND found = FindWindowW(L"QuillonForm", MainWindowCaption);
    return found && IsWindowVisible(found) ? found : nullptr;
}

// While the main window shows a dialog (about box, question, picker) it is
// disabled: the dialog it owns is the one to come forward.
BOOL CALLBACK FindEnabledOwned(HWND window, LPARAM found) noexcept
{
    auto* target = reinterpret_cast<HWND*>(found);
    if (GetWindow(window, GW_OWNER) == *target && IsWindowVisible(window) && IsWindowEnabled(window)) {
        *target = window;
        return FALSE;
    }
    return TRUE;
}

HWND WindowToShow(HWND main)
{
    HWND target = main;
    if (!IsWindowEnabled(main))
        EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), FindEnabledOwned, reinterpret_cast<LPARAM>(&target));
    return target;
}

} // namespace

TSingleInstance::TSingleInstance()
{
    // "Local\": this session's namespace.
    const std::wstring name = L"Local\\Quillon.SingleInstance." + UserSid();
    mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
    first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

TSingleInstance::~TSingleInstance()
{
    if (mutex_)
        CloseHandle(mutex_);
}

bool ShowRunningInstance(DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND main = FindRunningMainWindow();
    while (!main && GetTickCount64() < deadline) {
        Sleep(50);
        main = FindRunningMainWindow();
    }
    if (!main)
        return false;
    if (IsIconic(main))
        ShowWindow(main, SW_RESTORE);
    SetForegroundWindow(WindowToShow(main));
    return true;
}

} // namespace quillon
