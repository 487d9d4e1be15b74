#include "app/AboutForm.h"

namespace quillon {

TfrmAbout::TfrmAbout()
{
    Load([this] {
        SetCaption("About...");
        SetClientSize(358, 271);
        Position = TPosition::poScreenCenter;

        lblAppName.SetBounds(24, 24, 310, 40);
        lblAppName.SetCaption("Quillon v0.8\r\nHidden options of the Delphi 5 IDE");

        btnOk.SetBounds(279, 245, 75, 21);
        btnOk.SetCaption("OK");
        btnOk.SetDefault(true);
        btnOk.SetCancel(true);
        btnOk.ModalResult = mrOk;
    });
}

} // namespace quillon
