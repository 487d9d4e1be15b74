#include "app/ProgramStart.h"

#include "app/AboutForm.h"
#include "app/ConfirmForm.h"
#include "app/MainForm.h"
#include "app/SingleInstance.h"
#include "framework/Application.h"

#include <memory>

namespace quillon {

namespace {
// How long a second start waits for the first one's window (it may be loading).
constexpr DWORD FindRunningWindowMs = 5000;

template <class TDialog>
TDialog& Built(std::unique_ptr<TDialog>& dialog)
{
    if (!dialog)
        dialog = std::make_unique<TDialog>();
    return *dialog;
}
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
    // The dialogs are built when first shown: most runs never show them.
    std::unique_ptr<TfrmAbout> frmAbout;
    std::unique_ptr<TfrmConfirm> frmConfirm;
    frmMain.SetDialogs([&]() -> TForm& { return Built(frmAbout); }, [&]() -> TForm& { return Built(frmConfirm); });
    if (beforeRun)
        beforeRun(frmMain);
    Application().Run(frmMain);
}

} // namespace quillon
