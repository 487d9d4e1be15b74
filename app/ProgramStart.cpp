#include "app/ProgramStart.h"

#include "app/AboutForm.h"
#include "app/ConfirmForm.h"
#include "app/MainForm.h"
#include "app/SingleInstance.h"
#include "framework/Application.h"

namespace quillon {

namespace {
// How long a second start waits for the first one's window (it may be loading).
constexpr DWORD FindRunningWindowMs = 5000;
} // namespace

void RunProgram(const std::function<void(TfrmMain&)>& beforeRun)
{
    const TSingleInstance instance;
    if (!instance.First()) {
        ShowRunningInstance(FindRunningWindowMs);
        return;
    }
    Application().Title = L"Quillon";
    TfrmMain frmMain;
    TfrmAbout frmAbout;
    TfrmConfirm frmConfirm;
    frmMain.SetDialogs(&frmAbout, &frmConfirm);
    if (beforeRun)
        beforeRun(frmMain);
    Application().Run(frmMain);
}

} // namespace quillon
