#pragma once
// The default error report: a message box with the error's text, the
// application title as caption and the error icon.
#include <windows.h>

#include <string>

namespace quillon {

void ShowErrorReport(HWND owner, const std::wstring& caption, const std::string& message);

} // namespace quillon
