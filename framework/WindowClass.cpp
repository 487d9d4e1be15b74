#include "framework/WindowClass.h"

#include "base/Exceptions.h"
#include "base/TextConvert.h"

#include <map>
#include <utility>

namespace quillon {

namespace {

struct TRegistered {
    std::wstring name; // as registered
    ATOM atom;
    WNDPROC kept;
};

// By requested name and class style.
std::map<std::pair<std::wstring, UINT>, TRegistered>& Classes()
{
    static std::map<std::pair<std::wstring, UINT>, TRegistered> classes;
    return classes;
}

std::map<ATOM, WNDPROC>& KeptByAtom()
{
    static std::map<ATOM, WNDPROC> kept;
    return kept;
}

// The same name with another class style gets a name of its own, so one
// class never serves two styles.
std::wstring NameFor(const std::wstring& requested, UINT style)
{
    for (const auto& [key, registered] : Classes())
        if (key.first == requested && key.second != style)
            return requested + L"." + Utf8ToWide(std::to_string(style));
    return requested;
}

} // namespace

WNDPROC RegisterWindowClass(TCreateParams& params, WNDPROC ourProc)
{
    const auto key = std::make_pair(params.className, params.classStyle);
    if (const auto it = Classes().find(key); it != Classes().end()) {
        params.className = it->second.name;
        return it->second.kept;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC kept = nullptr;
    if (params.superclassOf) {
        if (!GetClassInfoExW(nullptr, params.superclassOf, &wc))
            throw Exception("Window class " + WideToUtf8(params.superclassOf) + " not found");
        kept = wc.lpfnWndProc;
        // Double-clicks as this control asks; the system class's other bits stay.
        wc.style = (wc.style & ~static_cast<UINT>(CS_GLOBALCLASS | CS_DBLCLKS)) | params.classStyle;
    } else {
        wc.style = params.classStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        // The program's icon when it has one (title bar, task bar, Alt+Tab).
        wc.hIcon = LoadIconW(instance, L"MAINICON");
        wc.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    const std::wstring name = NameFor(params.className, params.classStyle);
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ourProc;
    wc.hInstance = instance;
    wc.lpszClassName = name.c_str();
    const ATOM atom = RegisterClassExW(&wc);
    if (!atom)
        throw Exception("Window class " + WideToUtf8(name) + " cannot be registered");
    Classes()[key] = TRegistered{name, atom, kept};
    if (kept)
        KeptByAtom()[atom] = kept;
    params.className = name;
    return kept;
}

WNDPROC KeptWindowProc(HWND hwnd)
{
    const auto atom = static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM));
    const auto it = KeptByAtom().find(atom);
    return it == KeptByAtom().end() ? nullptr : it->second;
}

} // namespace quillon
