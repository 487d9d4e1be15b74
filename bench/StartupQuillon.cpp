// Quillon as shipped, plus what the start-up benchmark reads: at the end of
// the main window's first WM_PAINT it sets the named event that
// QUILLON_STARTUP_EVENT names, and, when QUILLON_STARTUP_PHASES names a
// file, it writes there when each phase of the start ended, in milliseconds
// since the process was created.
#include "app/MainForm.h"
#include "app/ProgramStart.h"
#include "bench/Phases.h"
#include "framework/Application.h"

#include <commctrl.h>
#include <windows.h>

namespace {

using quillon::bench::MsSinceProcessCreated;
using quillon::bench::WritePhases;

double winMain = 0, built = 0, shown = 0;

LRESULT CALLBACK SignalFirstPaint(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) noexcept
{
    if (msg == WM_SHOWWINDOW && wp && shown == 0)
        shown = MsSinceProcessCreated();
    const LRESULT result = DefSubclassProc(window, msg, wp, lp);
    if (msg == WM_PAINT) {
        RemoveWindowSubclass(window, SignalFirstPaint, id);
        WritePhases(winMain, built, shown, MsSinceProcessCreated());
        quillon::bench::SignalPainted();
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
