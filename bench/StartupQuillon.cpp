// Quillon as shipped, plus one thing for the start-up benchmark: at the end
// of the main window's first WM_PAINT it sets the named event that
// QUILLON_STARTUP_EVENT names.
#include "app/MainForm.h"
#include "app/ProgramStart.h"
#include "framework/Application.h"

#include <commctrl.h>
#include <windows.h>

namespace {

LRESULT CALLBACK SignalFirstPaint(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) noexcept
{
    const LRESULT result = DefSubclassProc(window, msg, wp, lp);
    if (msg == WM_PAINT) {
        RemoveWindowSubclass(window, SignalFirstPaint, id);
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
    try {
        quillon::RunProgram([](quillon::TfrmMain& main) { SetWindowSubclass(main.Handle(), SignalFirstPaint, 1, 0); });
    } catch (const std::exception& error) {
        quillon::Application().HandleException(error);
    }
    return 0;
}
