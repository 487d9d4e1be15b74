#pragma once
// What a window is created with: the arguments of CreateWindowEx and the
// class to register, filled by a control's CreateParams before the window
// exists.
#include <windows.h>

#include <string>

namespace quillon {

struct TCreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT classStyle = 0;
    HWND parent = nullptr; // the parent window, or the owner of a top-level one
    int x = 0, y = 0, width = 0, height = 0;
    std::wstring className;
    // A system class (L"EDIT", L"BUTTON", L"SysTabControl32") this class
    // copies: its window procedure is kept and DefaultHandler calls it.
    const wchar_t* superclassOf = nullptr;
};

} // namespace quillon
