#include "framework/Image.h"

#include "framework/Resample.h"

namespace quillon {

TImage::TImage(TWinControl* parent) : TGraphicControl(parent)
{
    SetBounds(Left(), Top(), 105, 105);
    SetControlStyle(ControlStyle() | csClickEvents | csCaptureMouse);
}

void TImage::SetPicture(const TBitmap& picture)
{
    picture_.Assign(picture);
    PictureChanged();
}

void TImage::LoadFromResourceName(const std::string& name)
{
    picture_.LoadFromResourceName(name);
    PictureChanged();
}

void TImage::PictureChanged()
{
    scaled_.Clear();
    if (autoSize_ && !picture_.Empty())
        SetBounds(Left(), Top(), Scale(picture_.Width()), Scale(picture_.Height()));
    Invalidate();
}

void TImage::Paint(TCanvas& canvas)
{
    if (picture_.Empty())
        return;
    const int w = Scale(picture_.Width()), h = Scale(picture_.Height());
    int x = 0, y = 0;
    if (center_) {
        x = (Width() - w) / 2;
        y = (Height() - h) / 2;
    }
    if (w == picture_.Width() && h == picture_.Height()) {
        picture_.Transparent = transparent_;
        canvas.Draw(x, y, picture_);
    } else {
        canvas.DrawBlended(x, y, ScaledPicture());
    }
}

const TBitmap& TImage::ScaledPicture()
{
    const int w = Scale(picture_.Width()), h = Scale(picture_.Height());
    if (scaled_.Width() == w && scaled_.Height() == h && scaledTransparent_ == transparent_)
        return scaled_;
    const int sw = picture_.Width(), sh = picture_.Height();
    const uint32_t* bits = picture_.Bits();
    std::vector<uint32_t> source(bits, bits + static_cast<size_t>(sw) * static_cast<size_t>(sh));
    // The transparent colour's pixels take no part; the rest are opaque.
    const TColor key = ColorToRGB(picture_.TransparentColor());
    const uint32_t keyBits = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
    for (uint32_t& p : source)
        p = transparent_ && (p & 0xFFFFFF) == keyBits ? 0 : (p | 0xFF000000);
    const std::vector<uint32_t> scaled = ResampleArea(source, sw, sh, w, h);
    scaled_.SetSize(w, h);
    std::copy(scaled.begin(), scaled.end(), scaled_.Bits());
    scaledTransparent_ = transparent_;
    return scaled_;
}

void TImage::SetCenter(bool value)
{
    if (value == center_)
        return;
    center_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    PictureChanged();
}

} // namespace quillon
