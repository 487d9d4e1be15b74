#include "app/ConfirmForm.h"

#include "app/HideTitleBar.h"

namespace quillon {

TfrmConfirm::TfrmConfirm()
{
    Load([this] {
        SetCaption("Save Changes ???");
        SetBorderStyle(TFormBorderStyle::bsSizeable);
        SetBounds(Left(), Top(), 304, 186);
        SetColor(clWhite);
        // Its owner is the application: the main window is the reference.
        Position = TPosition::poMainFormCenter;

        Label1.SetBounds(26, 10, 100, 13);
        Label1.SetCaption("Save Changes ???");
        TFont bold = Font();
        bold.bold = true;
        Label1.SetFont(bold);

        Label2.SetBounds(52, 40, 201, 78);
        Label2.SetCaption("One or more settings have changed\r\n"
                          "do you want to save them ?\r\n"
                          "\r\n"
                          "Click \"Save\" to update your configuration,\r\n"
                          "you'll see the settings changed next time\r\n"
                          "you run Delphi");

        btnOk.SetBounds(125, 126, 75, 21);
        btnOk.SetCaption("Save");
        btnOk.ModalResult = 1;

        btnCancel.SetBounds(205, 126, 75, 21);
        btnCancel.SetCaption("Don't Save");
        btnCancel.ModalResult = 2;
    });
}

// The window is made on first showing, not at the program's start: a second
// top-level window costs the start-up a sixth of its time under Wine.
void TfrmConfirm::HandleCreated()
{
    TForm::HandleCreated();
    RunCreateEvent([this] { FormCreate(); });
}

void TfrmConfirm::FormCreate()
{
    HideTitleBar(*this);
}

} // namespace quillon
