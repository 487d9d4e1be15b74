#pragma once
// Removes a form's title bar and shrinks the form by the caption height, so
// its client area keeps its size (the confirmation and about dialogs).
#include "framework/Forms.h"

namespace quillon {

void HideTitleBar(TForm& form);

} // namespace quillon
