// The floor of the start-up benchmark: the least a Win32 window program does
// before its first paint (a class, a window, a fill). At the end of its first
// WM_PAINT it sets the named event that QUILLON_STARTUP_EVENT names, and
// writes the times of its phases where QUILLON_STARTUP_PHASES says, as
// Quillon's benchmark build does.
#include <windows.h>

#include <cstdio>
#ifdef QUILLON_BARE_WITH_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

bool painted = false;
double winMain = 0;

double MsSinceProcessCreated()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

void WritePhases()
{
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUILLON_STARTUP_PHASES", path, MAX_PATH))
        return;
    if (FILE* file = _wfopen(path, L"w")) {
        const double now = MsSinceProcessCreated();
        std::fprintf(file, "%.2f %.2f %.2f %.2f\n", winMain, winMain, winMain, now);
        std::fclose(file);
    }
}

void SignalStartup()
{
    wchar_t name[128] = {};
    if (!GetEnvironmentVariableW(L"QUILLON_STARTUP_EVENT", name, 128))
        return;
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

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
            WritePhases();
            SignalStartup();
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
    winMain = MsSinceProcessCreated();
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
