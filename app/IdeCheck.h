#pragma once
// The IDE keeps its settings in memory and writes them back when it closes,
// so whatever is written while it runs is undone at its exit. Before a write
// the main window asks whether to go ahead while it runs. The process check
// is a platform query behind a small interface, so tests decide what it finds.
#include <windows.h>

namespace quillon {

class IIdeCheck {
public:
    virtual ~IIdeCheck() = default;
    // True when a process of this user's session runs delphi32.exe (case ignored).
    virtual bool IsIdeRunning() = 0;
};

// The check in use: the system's, unless a stand-in is in place.
IIdeCheck& IdeCheck();
// A Toolhelp32 process snapshot; a snapshot that fails finds nothing, so a
// failed check never stands in the user's way.
IIdeCheck& SystemIdeCheck();

// Puts a stand-in in place while it lives, then the previous one back.
class TIdeCheckScope {
public:
    explicit TIdeCheckScope(IIdeCheck& replacement);
    ~TIdeCheckScope();
    TIdeCheckScope(const TIdeCheckScope&) = delete;
    TIdeCheckScope& operator=(const TIdeCheckScope&) = delete;

private:
    IIdeCheck* previous_;
};

// True when the settings may be written now: the IDE does not run, or the
// user answers Yes to the warning, a message box owned by `owner`.
bool MayWriteWhileIdeRuns(HWND owner);

} // namespace quillon
