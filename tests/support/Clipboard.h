#pragma once
// Putting text on the clipboard, for the tests and the benchmarks (the
// program itself only reads it).
#include <windows.h>

#include <cstring>
#include <string>

namespace quillon::test {

// False when the system refused.
inline bool SetClipboardText(HWND owner, const std::wstring& text)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool done = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!done)
            GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

} // namespace quillon::test
