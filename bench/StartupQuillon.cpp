// Quillon as shipped, plus what the start-up benchmark reads: at the end of
// the main window's first WM_PAINT it sets the named event that
// QUILLON_STARTUP_EVENT names, and, when QUILLON_STARTUP_PHASES names a
// file, it writes there when each phase of the start ended, in milliseconds
// since the process was created.
#include "app/MainForm.h"
#include "app/ProgramStart.h"
#include "framework/Application.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>

namespace {

double MsSinceProcessCreated()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

double winMain = 0, built = 0, shown = 0;

void WritePhases(double painted)
{
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUILLON_STARTUP_PHASES", path, MAX_PATH))
        return;
    if (FILE* file = _wfopen(path, L"w")) {
        std::fprintf(file, "%.2f %.2f %.2f %.2f\n", winMain, built, shown, painted);
        std::fclose(file);
    }
}

LRESULT CALLBACK SignalFirstPaint(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) noexcept
{
    if (msg == WM_SHOWWINDOW && wp && shown == 0)
        shown = MsSinceProcessCreated();
    const LRESULT result = DefSubclassProc(window, msg, wp, lp);
    if (msg == WM_PAINT) {
        RemoveWindowSubclass(window, SignalFirstPaint, id);
        WritePhases(MsSinceProcessCreated());
        wchar_t name[128] = {};
        if (GetEnvironmentVariableW(L"QUILLON_STARTUP_EVENT", name, 128))
            if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
                SetEvent(event);
                CloseHandle(event);
            }
    }
    return result;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    winMain = MsSinceProcessCreated();
    try {
        quillon::RunProgram([](quillon::TfrmMain& main) {
            built = MsSinceProcessCreated();
            SetWindowSubclass(main.Handle(), SignalFirstPaint, 1, 0);
        });
    } catch (const std::exception& error) {
        quillon::Application().HandleException(error);
    }
    return 0;
}
