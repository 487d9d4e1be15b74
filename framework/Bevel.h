#pragma once
// TBevel: a sunken or raised line or frame drawn by the parent, in the
// system's shadow and highlight colours. A lowered line is etched: shadow
// above (left of) highlight.
#include "framework/GraphicControl.h"

namespace quillon {

enum class TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle : uint8_t { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TWinControl* parent);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

    void Paint(TCanvas& canvas) override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

} // namespace quillon
