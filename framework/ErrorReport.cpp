#include "framework/ErrorReport.h"

#include "base/TextConvert.h"

namespace quillon {

void ShowErrorReport(HWND owner, const std::string& message)
{
    std::wstring text;
    try {
        text = Utf8ToWide(message);
    } catch (...) {
        text = L"Unexpected error";
    }
    MessageBoxW(owner, text.c_str(), ApplicationTitle, MB_OK | MB_ICONERROR);
}

void ShowErrorReport(HWND owner, const std::exception& error)
{
    ShowErrorReport(owner, std::string(error.what()));
}

} // namespace quillon
