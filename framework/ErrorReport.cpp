#include "framework/ErrorReport.h"

#include "base/TextConvert.h"

namespace quillon {

void ShowErrorReport(HWND owner, const std::wstring& caption, const std::string& message)
{
    std::wstring text;
    try {
        text = Utf8ToWide(message);
    } catch (...) {
        text = L"Unexpected error";
    }
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

} // namespace quillon
