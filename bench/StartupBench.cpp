// Time from process start to the first paint of the loaded main window,
// against a bare Win32 window program started the same way in the same run.
// Both programs set a named event at the end of their first WM_PAINT; each
// start is timed from CreateProcess to that event, the two in alternation,
// and the medians compared. Goals: at most 1.25x the bare window that loads
// the common controls (the tab control needs that library: the honest floor),
// at most 1.4x the plain bare window. Also the memory of each program at its
// first paint, and how many windows Quillon has made by then.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int Rounds = 21;
// A started program is ended before the next start; the system finishes
// tearing it down meanwhile, and the next start must not pay for that.
constexpr DWORD SettleMs = 150;
constexpr DWORD StartTimeoutMs = 30000;
constexpr double Goal = 1.25;      // against the bare window with the common controls
constexpr double GoalBare = 1.4;   // against the plain bare window
constexpr double MemoryGoal = 1.2; // against the bare window with the common controls

struct TStart {
    // When the program's start phases ended, ms since its process was created
    // (Quillon writes them): runtime up to WinMain, windows' objects built,
    // main window shown, first paint.
    double winMain = 0, built = 0, shown = 0, painted = 0;
    double ms = 0;
    double privateKb = 0;
    double workingSetKb = 0;
    int windows = 0;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) noexcept
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct TProcessWindows {
    DWORD process;
    int count;
};

// Top-level windows of the process and all their descendants.
BOOL CALLBACK CountProcessWindows(HWND window, LPARAM data) noexcept
{
    auto& search = *reinterpret_cast<TProcessWindows*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process) {
        ++search.count;
        EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&search.count));
    }
    return TRUE;
}

std::wstring ProgramBeside(const wchar_t* name)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.erase(path.find_last_of(L'\\') + 1);
    return path + name;
}

// Milliseconds from CreateProcess to the program's first paint, and what the
// program holds then; the program is ended afterwards, outside the measured
// time.
TStart TimedStart(const std::wstring& program)
{
    static int run = 0;
    const std::wstring eventName = L"QuillonStartupBench" + std::to_wstring(GetCurrentProcessId()) + L"." +
                                   std::to_wstring(++run);
    HANDLE painted = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    SetEnvironmentVariableW(L"QUILLON_STARTUP_EVENT", eventName.c_str());
    wchar_t phases[MAX_PATH] = {}, folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"qph", 0, phases);
    SetEnvironmentVariableW(L"QUILLON_STARTUP_PHASES", phases);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        CloseHandle(painted);
        throw std::runtime_error("cannot start a program of the benchmark");
    }
    const DWORD waited = WaitForSingleObject(painted, StartTimeoutMs);
    TStart result;
    result.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        // Wine leaves PrivateUsage at zero; the commit charge is the same
        // figure on Windows.
        result.privateKb = (memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / 1024.0;
        result.workingSetKb = memory.WorkingSetSize / 1024.0;
    }
    TProcessWindows windows{pi.dwProcessId, 0};
    EnumWindows(CountProcessWindows, reinterpret_cast<LPARAM>(&windows));
    result.windows = windows.count;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, StartTimeoutMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(painted);
    if (FILE* file = _wfopen(phases, L"r")) {
        if (std::fscanf(file, "%lf %lf %lf %lf", &result.winMain, &result.built, &result.shown, &result.painted) != 4)
            result.painted = 0;
        std::fclose(file);
    }
    DeleteFileW(phases);
    if (waited != WAIT_OBJECT_0)
        throw std::runtime_error("a program of the benchmark never painted");
    Sleep(SettleMs);
    return result;
}

double Median(const std::vector<TStart>& starts, double TStart::*field)
{
    std::vector<double> v;
    for (const TStart& s : starts)
        v.push_back(s.*field);
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

const char* Verdict(double ratio, double goal)
{
    return ratio <= goal ? "" : "  ** above the goal **";
}

} // namespace

int main()
{
    try {
        // The pointer rests outside the centred windows: its first move over
        // a hinted control would time the tooltip, not the start-up.
        SetCursorPos(0, 0);
        // Quillon, the bare window, and the bare window with the common
        // controls' library (which Quillon's tab control needs): under Wine
        // that library alone costs a bare window a sixth of its start-up.
        const std::wstring programs[] = {ProgramBeside(L"startup_quillon.exe"), ProgramBeside(L"bare_window.exe"),
                                         ProgramBeside(L"bare_window_comctl.exe")};
        constexpr int Count = 3;
        std::vector<TStart> starts[Count];
        for (const std::wstring& program : programs)
            TimedStart(program); // the first start of each loads what later ones find cached
        // Alternating, the order rotated every round: no program always
        // follows the same one.
        for (int round = 0; round < Rounds; ++round)
            for (int i = 0; i < Count; ++i) {
                const int which = (round + i) % Count;
                starts[which].push_back(TimedStart(programs[which]));
            }
        const double q = Median(starts[0], &TStart::ms), b = Median(starts[1], &TStart::ms),
                     c = Median(starts[2], &TStart::ms);
        std::printf("start-up to the first paint of the loaded main window: %.1f ms (%d windows by then)\n", q,
                    starts[0].front().windows);
        std::printf("  bare window with the common controls' library: %.1f ms, ratio %.2fx (goal at most %.2fx)%s\n",
                    c, q / c, Goal, Verdict(q / c, Goal));
        std::printf("  bare window: %.1f ms, ratio %.2fx (goal at most %.2fx)%s\n", b, q / b, GoalBare,
                    Verdict(q / b, GoalBare));
        const char* names[Count] = {"Quillon", "bare window", "bare window with the common controls"};
        std::printf("  phases, ms since the process was created (median): WinMain, windows' objects built, main "
                    "window shown, first paint\n");
        for (int i = 0; i < Count; ++i)
            std::printf("    %-38s %6.1f %6.1f %6.1f %6.1f\n", names[i], Median(starts[i], &TStart::winMain),
                        Median(starts[i], &TStart::built), Median(starts[i], &TStart::shown),
                        Median(starts[i], &TStart::painted));
        for (const auto& [name, field] : {std::pair{"private bytes", &TStart::privateKb},
                                          std::pair{"working set", &TStart::workingSetKb}}) {
            const double mq = Median(starts[0], field), mb = Median(starts[1], field),
                         mc = Median(starts[2], field);
            std::printf("memory at the first paint, %s: %.0f KB, bare window %.0f KB, with the common controls "
                        "%.0f KB, ratio to it %.2fx (goal at most %.2fx)%s\n",
                        name, mq, mb, mc, mq / mc, MemoryGoal, Verdict(mq / mc, MemoryGoal));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup benchmark: %s\n", error.what());
        return 1;
    }
    return 0;
}
