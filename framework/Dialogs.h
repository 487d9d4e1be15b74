#pragma once
// The dialog components the forms use and the folder chooser, over the
// platform dialogs (PlatformDialogs.h). A null owner stands for the active
// window of this thread.
#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/PlatformDialogs.h"

#include <windows.h>

#include <optional>
#include <string>

namespace quillon {

class TFontDialog : public TComponent {
public:
    TFont Font;
    // Starts with Font; on OK its name, size, bold and italic become the
    // chosen ones, the rest stays.
    bool Execute(HWND owner = nullptr);
};

class TSaveDialog : public TComponent {
public:
    std::string Title;
    std::string Filter; // "Name|*.ext|Name|*.*"
    std::string DefaultExt;
    // The chosen name; the next use starts with it.
    std::string FileName;
    // The longest full name (in characters) that is accepted; the dialog
    // refuses longer ones, and one that comes back anyway is an error.
    int MaxFileNameLength = MaxPlatformFileName;
    bool Execute(HWND owner = nullptr);
};

class TColorDialog : public TComponent {
public:
    TColor Color = clBlack;
    // On OK, Color becomes the chosen colour; on cancel it stays.
    bool Execute(HWND owner = nullptr);
};

// An existing folder's full path, without a trailing backslash except for a
// drive root; nothing when cancelled.
std::optional<std::string> ChooseFolder(HWND owner, const std::string& prompt, const std::string& startFolder);

// The shell's "open" of a file, web page or mail link; failures are not reported.
void ShellOpen(const std::string& target);

// "C:\Windows\" -> "C:\Windows"; a drive root keeps (or gets) its backslash: "C:\".
std::string FolderPathWithoutTrailingBackslash(std::string path);

} // namespace quillon
