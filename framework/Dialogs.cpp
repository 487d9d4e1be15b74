#include "framework/Dialogs.h"

#include "base/Exceptions.h"
#include "base/TextConvert.h"

#include <algorithm>

namespace quillon {

namespace {

HWND OwnerOrActive(HWND owner)
{
    return owner ? owner : GetActiveWindow();
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool TFontDialog::Execute(HWND owner)
{
    const std::optional<TFontChoice> choice = PlatformDialogs().PickFont(OwnerOrActive(owner), Font);
    if (!choice)
        return false;
    Font.name = choice->name;
    Font.SetSize(choice->size);
    Font.bold = choice->bold;
    Font.italic = choice->italic;
    return true;
}

bool TSaveDialog::Execute(HWND owner)
{
    const int maxLength = std::min(MaxFileNameLength, MaxPlatformFileName);
    const std::optional<std::string> chosen = PlatformDialogs().PickSaveFileName(
        OwnerOrActive(owner), TSaveFileRequest{Title, Filter, DefaultExt, FileName, maxLength});
    if (!chosen)
        return false;
    if (const auto length = static_cast<int>(Utf8ToWide(*chosen).size()); length > maxLength)
        throw Exception(FileNameTooLongText(length, maxLength));
    FileName = *chosen;
    return true;
}

bool TColorDialog::Execute(HWND owner)
{
    const std::optional<TColor> chosen = PlatformDialogs().PickColor(OwnerOrActive(owner), Color);
    if (!chosen)
        return false;
    Color = *chosen;
    return true;
}

std::optional<std::string> ChooseFolder(HWND owner, const std::string& prompt, const std::string& startFolder)
{
    std::optional<std::string> chosen =
        PlatformDialogs().PickFolder(OwnerOrActive(owner), prompt, FolderPathWithoutTrailingBackslash(startFolder));
    if (chosen)
        *chosen = FolderPathWithoutTrailingBackslash(*chosen);
    return chosen;
}

void ShellOpen(const std::string& target)
{
    PlatformDialogs().ShellOpen(target);
}

std::string FolderPathWithoutTrailingBackslash(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (path.size() == 2 && path[1] == ':' && IsDriveLetter(path[0]))
        path += '\\';
    return path;
}

} // namespace quillon
