#pragma once
// TFlatPanel: a flat container: a face in its colour (or the parent's image),
// a one-pixel frame in two colours and an optional single-line caption,
// embossed when disabled. Paints through an off-screen bitmap.
#include "controls/flat/FlatUtils.h"
#include "framework/GdiObjects.h"

namespace quillon {

class TFlatPanel : public TCustomControl {
public:
    explicit TFlatPanel(TWinControl* parent);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Index 0 ColorHighLight, 1 ColorShadow; setting always repaints.
    TColor ColorHighLight() const { return colors_[0]; }
    TColor ColorShadow() const { return colors_[1]; }
    void SetFrameColor(int index, TColor color);
    void SetColorHighLight(TColor c) { SetFrameColor(0, c); }
    void SetColorShadow(TColor c) { SetFrameColor(1, c); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    void Paint(TCanvas& canvas) override;

private:
    bool transparent_ = false;
    TColor colors_[2] = {0x008396A0, 0x008396A0};
    TAlignment alignment_ = TAlignment::taCenter;
    TPaintBuffer buffer_;
};

} // namespace quillon
