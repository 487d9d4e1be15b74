#pragma once
// TImage: a bitmap drawn by the parent (no window of its own): at the
// top-left or centred, opaque or leaving out its transparent colour (the
// bottom-left pixel unless the picture fixes one), optionally sized to the
// picture. At another scale than 96 dpi the picture is shown at its scaled
// size, smoothed. Clicks, cursor and hint as any control.
#include "framework/GraphicControl.h"

namespace quillon {

class TImage : public TGraphicControl {
public:
    explicit TImage(TWinControl* parent);

    const TBitmap& Picture() const { return picture_; }
    // Copies the picture.
    void SetPicture(const TBitmap& picture);
    void LoadFromResourceName(const std::string& name);

    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Sized to the picture now and whenever the picture changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    void Paint(TCanvas& canvas) override;

private:
    void PictureChanged();
    // The picture at its size at the control's ppi, alpha premultiplied.
    const TBitmap& ScaledPicture();

    TBitmap picture_;
    TBitmap scaled_;
    bool scaledTransparent_ = false;
    bool center_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

} // namespace quillon
