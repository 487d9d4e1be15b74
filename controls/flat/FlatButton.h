#pragma once
// TFlatButton: a windowed, focusable flat push button. A one-pixel border
// that turns raised while hot or focused and sunken while pressed; paints
// through an off-screen bitmap.
#include "controls/flat/FlatButtonCommon.h"
#include "framework/GdiObjects.h"

namespace quillon {

class TFlatButton : public TFlatButtonCommon<TCustomControl> {
public:
    explicit TFlatButton(TWinControl* parent);

    bool Default() const { return default_; }
    void SetDefault(bool value);

    // Renders the button as it would appear, for off-screen use.
    void Paint(TCanvas& canvas) override;

protected:
    void PaintBackground(TCanvas& canvas, TColor face) override;
    bool TwoRingLook() const override { return default_; }
    void PressTakesFocus() override;
    void FocusReceived() override;
    void FocusLost() override;
    bool KeyDown(WORD key, unsigned shift) override;
    bool KeyUp(WORD key, unsigned shift) override;
    bool DialogChar(wchar_t ch) override;
    void BoundsChanged() override;

private:
    bool default_ = false;
    TPaintBuffer buffer_;

};

} // namespace quillon
