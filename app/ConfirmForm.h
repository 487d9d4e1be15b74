#pragma once
// TfrmConfirm: asked when the main window closes with unsaved changes.
// "Save" ends it with 1, "Don't Save" and any other close (Alt+F4) with 2.
// It has no title bar, keeps its sizing frame and is white; its two flat
// speed buttons take no focus, so Enter and Escape do nothing.
#include "controls/flat/FlatSpeedButton.h"
#include "framework/Forms.h"
#include "framework/Label.h"

namespace quillon {

class TfrmConfirm : public TForm {
public:
    TfrmConfirm();

    TLabel Label1{this};
    TLabel Label2{this};
    TFlatSpeedButton btnOk{this};
    TFlatSpeedButton btnCancel{this};

    void FormCreate();

protected:
    void HandleCreated() override;
};

} // namespace quillon
