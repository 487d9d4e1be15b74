#pragma once
// The background brush of a native control (its answer to WM_CTLCOLOR*), in
// the control's colour. System colours use the system's own brushes, which
// follow a change of the colour scheme; a plain colour gets one brush of its
// own, deleted when the colour changes and when the owner goes.
#include "framework/GdiObjects.h"

namespace quillon {

class TControlBrush {
public:
    HBRUSH Get(TColor color);
    void Reset();

private:
    TGdiObject<HBRUSH> owned_;
    TColor ownedColor_ = 0;
};

// Answers WM_CTLCOLOR*: the text and background colours go into the DC, the
// brush is the message result.
LRESULT AnswerControlColor(HDC dc, TColor text, TColor back, TControlBrush& brush);

} // namespace quillon
