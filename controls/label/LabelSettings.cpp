#include "controls/label/LabelSettings.h"

#include <algorithm>
#include <vector>

namespace quillon {

// ---- TGradient

TGradient::TGradient(TControl& owner) : owner_(owner) {}

void TGradient::Changed()
{
    if (enabled_)
        RebuildBitmap();
    owner_.Invalidate();
}

void TGradient::SetDithered(bool value)
{
    if (value == dithered_)
        return;
    dithered_ = value;
    Changed();
}

void TGradient::SetColorSteps(int value)
{
    value = std::clamp(value, MinColorSteps, MaxColorSteps);
    if (value == colorSteps_)
        return;
    colorSteps_ = value;
    Changed();
}

void TGradient::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Changed();
}

void TGradient::SetEndColor(TColor value)
{
    if (value == endColor_)
        return;
    endColor_ = value;
    Changed();
}

void TGradient::SetStyle(TGradientStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Changed();
}

void TGradient::SetStartColor(TColor value)
{
    if (value == startColor_)
        return;
    startColor_ = value;
    Changed();
}

void TGradient::RebuildBitmap()
{
    const GradientImage image = RenderGradient(owner_.Width(), owner_.Height(), ColorToRGB(startColor_),
                                               ColorToRGB(endColor_), colorSteps_, style_, dithered_,
                                               GradientRandom());
    bitmap_.SetSize(image.width, image.height);
    if (bitmap_.Empty())
        return;
    // One transfer instead of a pixel call each: DIB pixels are 0x00RRGGBB.
    std::vector<uint32_t> bits(image.pixels.size());
    std::transform(image.pixels.begin(), image.pixels.end(), bits.begin(), [](int32_t c) {
        const auto u = static_cast<uint32_t>(c);
        return ((u & 0xFFu) << 16) | (u & 0xFF00u) | ((u >> 16) & 0xFFu);
    });
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(bitmap_.Canvas().Handle(), 0, 0, image.width, image.height, 0, 0, image.width, image.height,
                  bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

// ---- TGlyph

TGlyph::TGlyph(TControl& owner) : owner_(owner) {}

void TGlyph::SetAlphaColor(TColor value)
{
    if (value == alphaColor_)
        return;
    alphaColor_ = value;
    // Choosing the colour by hand switches to manual mode.
    if (!bitmap_.Empty() && bitmap_.TransparentColor() != alphaColor_ && alphaMode_ == TAlphaMode::amAuto)
        SetAlphaMode(TAlphaMode::amManual);
    else
        owner_.Invalidate();
}

void TGlyph::SetAllowGrayed(bool value)
{
    if (value == allowGrayed_)
        return;
    allowGrayed_ = value;
    owner_.Invalidate();
}

void TGlyph::SetAlphaMode(TAlphaMode value)
{
    if (value == alphaMode_)
        return;
    alphaMode_ = value;
    // Back to automatic: the colour comes from the bitmap again.
    if (!bitmap_.Empty() && bitmap_.TransparentColor() != alphaColor_ && value == TAlphaMode::amAuto)
        SetAlphaColor(bitmap_.TransparentColor());
    else
        owner_.Invalidate();
}

void TGlyph::SetBitmap(const TBitmap* picture)
{
    if (picture == &bitmap_)
        return;
    if (picture)
        bitmap_.Assign(*picture);
    else
        bitmap_.Clear();
    if (alphaMode_ == TAlphaMode::amAuto) {
        bitmap_.Transparent = true;
        if (!bitmap_.Empty()) // no picture, no colour to take
            alphaColor_ = bitmap_.TransparentColor();
    }
    const bool squareCells = !bitmap_.Empty() && bitmap_.Width() % bitmap_.Height() == 0;
    SetNumGlyphs(squareCells ? bitmap_.Width() / bitmap_.Height() : 1);
}

void TGlyph::SetDisplayAlign(TDisplayAlign value)
{
    if (value == displayAlign_)
        return;
    displayAlign_ = value;
    owner_.Invalidate();
}

void TGlyph::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    owner_.Invalidate();
}

void TGlyph::SetImageList(TImageList* value)
{
    if (value == imageList_)
        return;
    if (imageList_)
        imageList_->RemoveFreeNotification(&owner_);
    imageList_ = value;
    if (imageList_)
        imageList_->FreeNotification(&owner_);
    owner_.Invalidate();
}

void TGlyph::SetLayout(TGlyphLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    owner_.Invalidate();
}

void TGlyph::SetMargin(int value)
{
    value = std::max(value, 0);
    if (value == margin_)
        return;
    margin_ = value;
    owner_.Invalidate();
}

void TGlyph::SetNumGlyphs(int value)
{
    numGlyphs_ = std::max(value, 1); // never a division by zero
    owner_.Invalidate();
}

void TGlyph::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    owner_.Invalidate();
}

// ---- TSubCaption

TSubCaption::TSubCaption(TControl& owner) : owner_(owner) {}

void TSubCaption::SetCaption(const std::string& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    owner_.Invalidate();
}

void TSubCaption::SetFont(const TFont& value)
{
    font_ = value;
    owner_.Invalidate();
}

void TSubCaption::SetMargin(int value)
{
    value = std::max(value, 0);
    if (value == margin_)
        return;
    margin_ = value;
    owner_.Invalidate();
}

void TSubCaption::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    owner_.Invalidate();
}

} // namespace quillon
