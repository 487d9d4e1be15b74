// The system's common dialogs, folder browser and shell "open".
#include "framework/PlatformDialogs.h"

#include "framework/Graphics.h"

#include "base/Exceptions.h"
#include "base/TextConvert.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

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

class TSystemDialogs : public IPlatformDialogs {
public:
    std::optional<TFontChoice> PickFont(HWND owner, const TFont& start) override
    {
        LOGFONTW font{};
        font.lfHeight = start.height;
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
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
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

IPlatformDialogs& SystemDialogs()
{
    static TSystemDialogs system;
    return system;
}

} // namespace quillon
