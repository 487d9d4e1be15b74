#pragma once
// A white dialog with the program's "Save" and "Don't Save" speed buttons.
#include "controls/flat/FlatSpeedButton.h"
#include "tests/support/GuiHelpers.h"

namespace quillon::test {

class TSaveDialogForm : public TTestForm {
public:
    TSaveDialogForm() : TTestForm(200, 60, clWhite)
    {
        save.SetBounds(10, 20, 75, 21);
        save.SetCaption("Save");
        save.ModalResult = 1;
        dontSave.SetBounds(100, 20, 75, 21);
        dontSave.SetCaption("Don't Save");
        dontSave.ModalResult = 2;
    }

    TFlatSpeedButton save{this};
    TFlatSpeedButton dontSave{this};
};

} // namespace quillon::test
