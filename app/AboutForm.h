#pragma once
// TfrmAbout: a plain about box until the real one arrives: the program's
// name and version, and a button that closes it.
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/Label.h"

namespace quillon {

class TfrmAbout : public TForm {
public:
    TfrmAbout();

    TLabel lblAppName{this};
    TButton btnOk{this};
};

} // namespace quillon
