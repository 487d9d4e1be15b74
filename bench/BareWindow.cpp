// The floor of the start-up benchmark: the least a Win32 window program does
// before its first paint (a class, a window, a fill). At the end of its first
// WM_PAINT it sets the named event that QUILLON_STARTUP_EVENT names, and
// writes the times of its phases where QUILLON_STARTUP_PHASES says, as
// Quillon's benchmark build does.
#include "bench/Phases.h"

#include <windows.h>
#ifdef QUILLON_BARE_WITH_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

bool painted = false;
double winMain = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(window, &ps);
        if (!painted) {
            painted = true;
            const double now = quillon::bench::MsSinceProcessCreated();
            quillon::bench::WritePhases(winMain, winMain, winMain, now);
            quillon::bench::SignalPainted();
        }
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    winMain = quillon::bench::MsSinceProcessCreated();
#ifdef QUILLON_BARE_WITH_COMMON_CONTROLS
    // The floor of a program with the platform's tab control: its library
    // loads with the program.
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"QuillonBareWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, wc.lpszClassName, L"Bare window",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 289, 336,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
