#include "app/ProgramStart.h"

#include "app/AboutForm.h"
#include "app/ConfirmForm.h"
#include "app/MainForm.h"
#include "framework/Application.h"

namespace quillon {

void RunProgram(const std::function<void(TfrmMain&)>& beforeRun)
{
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
