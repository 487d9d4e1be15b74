#pragma once
// TFlatSpeedButton: the windowless flat button. Same looks and rules as the
// flat button, painted over its parent's picture, never focused.
#include "controls/flat/FlatButtonCommon.h"
#include "framework/GdiObjects.h"

namespace quillon {

class TFlatSpeedButton : public TFlatButtonCommon<TGraphicControl> {
public:
    explicit TFlatSpeedButton(TWinControl* parent) : TFlatButtonCommon<TGraphicControl>(parent) {}

    void Paint(TCanvas& canvas) override;

    // After the framework's handling, an empty glyph takes the action's image
    // on a fuchsia ground.
    void ActionChange(TBasicAction& sender) override;

protected:
    void PaintBackground(TCanvas& canvas, TColor face) override;
    bool DialogChar(wchar_t ch) override;

private:
    TPaintBuffer buffer_;
};

} // namespace quillon
