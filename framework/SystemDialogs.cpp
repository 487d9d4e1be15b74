// The system's common dialogs, folder browser and shell "open".
#include "framework/PlatformDialogs.h"

#include "framework/Application.h"
#include "framework/Callback.h"
#include "framework/Dpi.h"
#include "framework/Graphics.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/TextConvert.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <vector>

namespace quillon {

namespace {

// The dialogs' libraries load on their first use, not at the program's start:
// measured under Wine, loading comdlg32, shell32 and ole32 with the program
// costs more than building and showing the whole main window. A library
// stays loaded until the program ends.
template <class F>
F LibraryProc(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    if (!module)
        module = LoadLibraryW(library);
    const FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    if (!proc)
        throw Exception("Cannot load " + std::string(name) + " of " + WideToUtf8(library));
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

// The entry points used here, with the platform's own signatures.
using TCoInitializeEx = HRESULT(WINAPI*)(LPVOID, DWORD);
using TCoUninitialize = void(WINAPI*)();
using TCoTaskMemFree = void(WINAPI*)(LPVOID);
using TSHGetPathFromIDListW = BOOL(WINAPI*)(LPCITEMIDLIST, LPWSTR);
using TSHBrowseForFolderW = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOW);
using TShellExecuteW = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using TChooseFontW = BOOL(WINAPI*)(LPCHOOSEFONTW);
using TGetSaveFileNameW = BOOL(WINAPI*)(LPOPENFILENAMEW);
using TChooseColorW = BOOL(WINAPI*)(LPCHOOSECOLORW);

// The folder browser and shell extensions need COM on this thread; balanced
// on every path.
class TComScope {
public:
    TComScope()
        : result_(LibraryProc<TCoInitializeEx>(L"ole32.dll", "CoInitializeEx")(nullptr, COINIT_APARTMENTTHREADED))
    {
    }
    ~TComScope()
    {
        if (SUCCEEDED(result_))
            GuardUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    static void GuardUninitialize() noexcept
    {
        try {
            LibraryProc<TCoUninitialize>(L"ole32.dll", "CoUninitialize")();
        } catch (...) {
            // Loaded by the constructor: cannot be missing here.
        }
    }
    HRESULT result_;
};

struct TPidlDeleter {
    void operator()(ITEMIDLIST* pidl) const noexcept
    {
        try {
            LibraryProc<TCoTaskMemFree>(L"ole32.dll", "CoTaskMemFree")(pidl);
        } catch (...) {
            // ole32 made the item list: it is loaded.
        }
    }
};
using TPidl = std::unique_ptr<ITEMIDLIST, TPidlDeleter>;

bool IsExistingFolder(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file-system folder of an item, or an empty text for a virtual one.
std::wstring FolderOf(LPCITEMIDLIST pidl)
{
    wchar_t path[MAX_PATH] = {};
    if (!pidl || !LibraryProc<TSHGetPathFromIDListW>(L"shell32.dll", "SHGetPathFromIDListW")(pidl, path) ||
        !IsExistingFolder(path))
        return std::wstring();
    return path;
}

int CALLBACK FolderBrowserCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) noexcept
{
    try {
        const auto* start = reinterpret_cast<const std::wstring*>(data);
        if (message == BFFM_INITIALIZED && !start->empty() && IsExistingFolder(start->c_str()))
            SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->c_str()));
        else if (message == BFFM_SELCHANGED) {
            // Posted: a browser that runs its own check after this callback
            // (Wine's) must not enable OK again on a folder that is gone.
            const bool usable = !FolderOf(reinterpret_cast<LPCITEMIDLIST>(lParam)).empty();
            PostMessageW(window, BFFM_ENABLEOK, 0, usable ? TRUE : FALSE);
        }
    } catch (...) {
        // Nothing may cross into the shell; the browser goes on as it is.
    }
    return 0;
}

// "Name|*.ext|Name|*.*" as the platform wants it: zero-separated, two zeros at the end.
std::vector<wchar_t> FilterList(const std::string& filter)
{
    std::wstring wide = Utf8ToWide(filter);
    for (wchar_t& c : wide)
        if (c == L'|')
            c = L'\0';
    std::vector<wchar_t> list(wide.begin(), wide.end());
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

// ---- the save dialog's check of the name's length
//
// Measured under Wine: the dialog builds the full name in a buffer of
// MAX_PATH characters of its own, whatever buffer it is given, and a longer
// name typed in its box overruns it and ends the program. So the dialog is
// subclassed, and its OK (button or Enter) is refused, with a message, while
// the name it would build is too long.

constexpr int FileNameBox = 0x47C;    // cmb13, the explorer-style dialog's name box
constexpr int OldFileNameBox = 0x480; // edt1
constexpr wchar_t LimitProperty[] = L"Quillon.MaxFileName";
constexpr wchar_t OldProcProperty[] = L"Quillon.DialogProc";

std::wstring ControlText(HWND control)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The full name the dialog would make of what is typed: the current folder
// in front of a relative name, the default extension after one that has none.
std::wstring FullNameToBe(HWND dialog, const std::wstring& typed, const std::wstring& defaultExt)
{
    std::wstring name = typed;
    const bool absolute = (name.size() >= 2 && name[1] == L':') || (!name.empty() && name[0] == L'\\');
    if (!absolute) {
        std::wstring folder(32768, L'\0');
        const auto got = SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
        folder.resize(got > 0 ? wcslen(folder.c_str()) : 0);
        if (!folder.empty() && folder.back() != L'\\')
            folder += L'\\';
        name = folder + name;
    }
    const size_t lastPart = name.find_last_of(L"\\/");
    std::wstring ext = defaultExt;
    ext.erase(0, std::min(ext.size(), ext.find_first_not_of(L"*.")));
    if (!ext.empty() && name.find(L'.', lastPart == std::wstring::npos ? 0 : lastPart) == std::wstring::npos)
        name += L"." + ext;
    return name;
}

struct TNameCheck {
    int maxLength;
    std::wstring defaultExt;
};

// True when the dialog may go on with its OK; otherwise the user is told why not.
bool NameFits(HWND dialog, const TNameCheck& check)
{
    HWND box = GetDlgItem(dialog, FileNameBox);
    if (!box)
        box = GetDlgItem(dialog, OldFileNameBox);
    if (!box)
        return true;
    const std::wstring typed = ControlText(box);
    if (typed.empty())
        return true;
    const auto length = static_cast<int>(FullNameToBe(dialog, typed, check.defaultExt).size());
    if (length <= check.maxLength)
        return true;
    const std::wstring text = Utf8ToWide(FileNameTooLongText(length, check.maxLength));
    MessageBoxW(dialog, text.c_str(), Application().Title.c_str(), MB_OK | MB_ICONERROR);
    SetFocus(box);
    return false;
}

LRESULT CALLBACK SaveDialogSubclass(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept
{
    const auto old = reinterpret_cast<WNDPROC>(GetPropW(dialog, OldProcProperty));
    const auto* check = reinterpret_cast<const TNameCheck*>(GetPropW(dialog, LimitProperty));
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && check &&
        !GuardCallback(true, [&] { return NameFits(dialog, *check); }))
        return 0;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropW(dialog, OldProcProperty);
        RemovePropW(dialog, LimitProperty);
    }
    return old ? CallWindowProcW(old, dialog, msg, wp, lp) : DefWindowProcW(dialog, msg, wp, lp);
}

// The explorer-style hook dialog is a child of the real one: it only puts
// the subclass in front of that.
UINT_PTR CALLBACK SaveDialogHook(HWND hook, UINT msg, WPARAM, LPARAM lp) noexcept
{
    if (msg == WM_INITDIALOG) {
        HWND dialog = GetParent(hook);
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lp);
        if (dialog && ofn && !GetPropW(dialog, OldProcProperty)) {
            SetPropW(dialog, LimitProperty, reinterpret_cast<HANDLE>(ofn->lCustData));
            SetPropW(dialog, OldProcProperty,
                     reinterpret_cast<HANDLE>(SetWindowLongPtrW(
                         dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SaveDialogSubclass))));
        }
    }
    return 0;
}

class TSystemDialogs : public IPlatformDialogs {
public:
    std::optional<TFontChoice> PickFont(HWND owner, const TFont& start) override
    {
        LOGFONTW font{};
        // The dialog reads sizes at the screen's scale; the font is given at 96 dpi.
        font.lfHeight = ScaleFromDesign(start.height, SystemPpi());
        font.lfWeight = start.bold ? FW_BOLD : FW_NORMAL;
        font.lfItalic = start.italic;
        font.lfCharSet = start.charset;
        const std::wstring face = Utf8ToWide(start.name);
        wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        CHOOSEFONTW cf{};
        cf.lStructSize = sizeof cf;
        cf.hwndOwner = owner;
        cf.lpLogFont = &font;
        cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT; // no CF_EFFECTS
        if (!LibraryProc<TChooseFontW>(L"comdlg32.dll", "ChooseFontW")(&cf))
            return std::nullopt;
        return TFontChoice{WideToUtf8(font.lfFaceName), (cf.iPointSize + 5) / 10, font.lfWeight >= FW_BOLD,
                           font.lfItalic != 0};
    }

    std::optional<std::string> PickSaveFileName(HWND owner, const TSaveFileRequest& request) override
    {
        const std::vector<wchar_t> filter = FilterList(request.filter);
        const std::wstring title = Utf8ToWide(request.title);
        const std::wstring defaultExt = Utf8ToWide(request.defaultExt);
        std::vector<wchar_t> file(32768, L'\0');
        const std::wstring start = Utf8ToWide(request.fileName);
        start.copy(file.data(), std::min(start.size(), file.size() - 1));
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
        ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
        // The program reads no files: the working folder stays as it is.
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_ENABLEHOOK;
        const TNameCheck check{std::min(request.maxLength, MaxPlatformFileName), defaultExt};
        ofn.lpfnHook = SaveDialogHook;
        ofn.lCustData = reinterpret_cast<LPARAM>(&check);
        if (!LibraryProc<TGetSaveFileNameW>(L"comdlg32.dll", "GetSaveFileNameW")(&ofn))
            return std::nullopt;
        return WideToUtf8(file.data());
    }

    std::optional<std::string> PickFolder(HWND owner, const std::string& prompt,
                                               const std::string& startFolder) override
    {
        TComScope com;
        const std::wstring title = Utf8ToWide(prompt);
        const std::wstring start = Utf8ToWide(startFolder);
        wchar_t displayName[MAX_PATH] = {};
        BROWSEINFOW bi{};
        bi.hwndOwner = owner;
        bi.pidlRoot = nullptr; // the desktop
        bi.pszDisplayName = displayName;
        bi.lpszTitle = title.c_str();
        bi.ulFlags = BIF_RETURNONLYFSDIRS;
        bi.lpfn = FolderBrowserCallback;
        bi.lParam = reinterpret_cast<LPARAM>(&start);
        const TPidl chosen(LibraryProc<TSHBrowseForFolderW>(L"shell32.dll", "SHBrowseForFolderW")(&bi));
        if (!chosen)
            return std::nullopt;
        const std::wstring path = FolderOf(chosen.get());
        if (path.empty())
            return std::nullopt;
        return WideToUtf8(path);
    }

    std::optional<TColor> PickColor(HWND owner, TColor start) override
    {
        CHOOSECOLORW cc{};
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = owner;
        cc.rgbResult = static_cast<COLORREF>(ColorToRGB(start));
        cc.lpCustColors = customColors_;
        cc.Flags = CC_RGBINIT;
        if (!LibraryProc<TChooseColorW>(L"comdlg32.dll", "ChooseColorW")(&cc))
            return std::nullopt;
        return static_cast<TColor>(cc.rgbResult & 0x00FFFFFF);
    }

    void ShellOpen(const std::string& target) override
    {
        TComScope com;
        const std::wstring wide = Utf8ToWide(target);
        LibraryProc<TShellExecuteW>(L"shell32.dll", "ShellExecuteW")(GetDesktopWindow(), L"open", wide.c_str(), nullptr,
                                                                     nullptr, SW_SHOWNORMAL);
    }

private:
    // The user's custom colours, kept for the next use as the dialog expects.
    COLORREF customColors_[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                  0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

} // namespace

std::string FileNameTooLongText(int length, int maxLength)
{
    return Format("The file name is too long: with its folder and extension it has %d characters, and at most %d "
                  "are possible.",
                  length, maxLength);
}

IPlatformDialogs& SystemDialogs()
{
    static TSystemDialogs system;
    return system;
}

} // namespace quillon
