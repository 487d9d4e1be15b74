#pragma once
// The default error report: a message box with the error's text, the
// application title as caption and the error icon. Guarded() is the one way
// code runs inside a window procedure or callback: no exception may cross it.
#include <windows.h>

#include <exception>
#include <string>

namespace quillon {

inline constexpr const wchar_t* ApplicationTitle = L"Quillon";

void ShowErrorReport(HWND owner, const std::string& message);
void ShowErrorReport(HWND owner, const std::exception& error);

template <typename F>
bool Guarded(HWND owner, F&& action) noexcept
{
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        ShowErrorReport(owner, e);
    } catch (...) {
        ShowErrorReport(owner, std::string("Unexpected error"));
    }
    return false;
}

} // namespace quillon
