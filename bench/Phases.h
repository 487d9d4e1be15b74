#pragma once
// What a program started by the start-up benchmark tells it: that it has
// painted (the named event QUILLON_STARTUP_EVENT names), and when each phase
// of its start ended, in milliseconds since its process was created (to the
// file QUILLON_STARTUP_PHASES names).
#include <windows.h>

#include <cstdio>

namespace quillon::bench {

inline double MsSinceProcessCreated()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// WinMain entered, windows' objects built, main window shown, first paint.
inline void WritePhases(double winMain, double built, double shown, double painted)
{
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUILLON_STARTUP_PHASES", path, MAX_PATH))
        return;
    if (FILE* file = _wfopen(path, L"w")) {
        std::fprintf(file, "%.2f %.2f %.2f %.2f\n", winMain, built, shown, painted);
        std::fclose(file);
    }
}

inline void SignalPainted()
{
    wchar_t name[128] = {};
    if (!GetEnvironmentVariableW(L"QUILLON_STARTUP_EVENT", name, 128))
        return;
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

} // namespace quillon::bench
