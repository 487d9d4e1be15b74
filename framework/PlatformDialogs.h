#pragma once
// The platform's modal dialogs and the shell behind one small interface. A
// modal dialog blocks and the shell starts other programs, so tests put a
// stand-in in place; everything else calls the system for real.
#include "framework/Color.h"

#include <windows.h>

#include <optional>
#include <string>

namespace quillon {

struct TFont;

// What the font dialog gives back; it offers no effects (underline,
// strike-out, colour).
struct TFontChoice {
    std::string name;
    int size = 0; // points
    bool bold = false;
    bool italic = false;
};

// The longest full file name the platform's file names take (MAX_PATH
// less its terminating zero).
inline constexpr int MaxPlatformFileName = MAX_PATH - 1;

struct TSaveFileRequest {
    std::string title;
    std::string filter;     // "Name|*.ext|Name|*.*"; the first entry is selected
    std::string defaultExt; // passed to the platform as given
    std::string fileName;   // the name the dialog starts with
    // The dialog refuses a longer full name (in characters) and stays open;
    // never more than MaxPlatformFileName.
    int maxLength = MaxPlatformFileName;
};

// What the user is told about a file name of `length` characters when at
// most `maxLength` are allowed.
std::string FileNameTooLongText(int length, int maxLength);

// Each dialog is modal to `owner`, which stays disabled while it is open, and
// gives nothing back when the user cancels.
class IPlatformDialogs {
public:
    virtual ~IPlatformDialogs() = default;
    virtual std::optional<TFontChoice> PickFont(HWND owner, const TFont& start) = 0;
    // The full file name.
    virtual std::optional<std::string> PickSaveFileName(HWND owner, const TSaveFileRequest& request) = 0;
    // An existing file-system folder, chosen below the desktop; `startFolder`
    // is preselected when it exists.
    virtual std::optional<std::string> PickFolder(HWND owner, const std::string& prompt,
                                                       const std::string& startFolder) = 0;
    virtual std::optional<TColor> PickColor(HWND owner, TColor start) = 0;
    // Asks the shell to open `target` (a file, a web page, a mail link); what
    // the shell makes of it is not examined.
    virtual void ShellOpen(const std::string& target) = 0;
};

// The dialogs in use: the system's, unless a stand-in is in place.
IPlatformDialogs& PlatformDialogs();
// The system's own, whatever is in place.
IPlatformDialogs& SystemDialogs();

// Puts a stand-in in place while it lives, then the previous one back.
class TPlatformDialogsScope {
public:
    explicit TPlatformDialogsScope(IPlatformDialogs& replacement);
    ~TPlatformDialogsScope();
    TPlatformDialogsScope(const TPlatformDialogsScope&) = delete;
    TPlatformDialogsScope& operator=(const TPlatformDialogsScope&) = delete;

private:
    IPlatformDialogs* previous_;
};

} // namespace quillon
