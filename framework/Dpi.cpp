#include "framework/Dpi.h"

namespace quillon {

namespace {

template <class F>
F User32Proc(const char* name)
{
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TGetDpiForSystem = UINT(WINAPI*)();
using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
using TAdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

int ScreenLogPixels()
{
    HDC screen = GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DesignPpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : DesignPpi;
}

int PlatformPpi(HWND hwnd)
{
    static const auto forWindow = User32Proc<TGetDpiForWindow>("GetDpiForWindow");
    if (hwnd && forWindow)
        if (const UINT ppi = forWindow(hwnd))
            return static_cast<int>(ppi);
    return SystemPpi();
}

TPpiSource ppiSource = nullptr;

} // namespace

int SystemPpi()
{
    static const auto forSystem = User32Proc<TGetDpiForSystem>("GetDpiForSystem");
    if (forSystem)
        if (const UINT ppi = forSystem())
            return static_cast<int>(ppi);
    return ScreenLogPixels();
}

int WindowPpi(HWND hwnd)
{
    return ppiSource ? ppiSource(hwnd) : PlatformPpi(hwnd);
}

void SetPpiSource(TPpiSource source)
{
    ppiSource = source;
}

int SystemMetricForPpi(int index, int ppi)
{
    static const auto forDpi = User32Proc<TGetSystemMetricsForDpi>("GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, static_cast<UINT>(ppi));
    const int system = SystemPpi();
    const int value = GetSystemMetrics(index);
    return ppi == system ? value : MulDiv(value, ppi, system);
}

SIZE FrameSizeForPpi(DWORD style, DWORD exStyle, int ppi)
{
    static const auto forDpi = User32Proc<TAdjustWindowRectExForDpi>("AdjustWindowRectExForDpi");
    RECT r{0, 0, 0, 0};
    if (!forDpi || !forDpi(&r, style, FALSE, exStyle, static_cast<UINT>(ppi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace quillon
