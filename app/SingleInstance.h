#pragma once
// One Quillon per user session (under Wine: per prefix). Two would each
// write all fourteen settings from their own copy and undo each other, so a
// second start brings the running window to the front and ends. The first
// start holds a named mutex for as long as it runs; the name carries the
// user's SID, so another user in the same session has a Quillon of his own.
#include "app/Version.h"

#include <windows.h>

namespace quillon {

// The caption by which a later start finds the running main window.
inline constexpr wchar_t MainWindowCaption[] = L"Quillon v" QUILLON_VERSION;

class TSingleInstance {
public:
    TSingleInstance();
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // No other Quillon of this user runs in this session.
    bool First() const { return first_; }

private:
    HANDLE mutex_ = nullptr;
    bool first_ = true;
};

// Brings the running instance's main window (or the dialog it shows) to the
// front, restored if minimised. The first instance may still be loading:
// waits at most `timeoutMs` for its window. False when none appeared.
bool ShowRunningInstance(DWORD timeoutMs);

} // namespace quillon
