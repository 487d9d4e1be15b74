#pragma once
// The three groups of settings that the gradient caption label owns: its
// gradient (and the gradient image), its glyph and its sub-caption. Each
// keeps a reference to the label and makes it repaint when a setting that
// shows changes; nothing is drawn at once.
#include "controls/label/GradientMath.h"
#include "framework/Controls.h"
#include "framework/ImageList.h"

#include <cstdint>
#include <string>

namespace quillon {

enum class TAlphaMode : uint8_t { amAuto, amManual };
enum class TDisplayAlign : uint8_t { daLeft, daRight };
enum class TGlyphLayout : uint8_t { glTop, glCenter, glBottom };

class TGradient {
public:
    explicit TGradient(TControl& owner);
    virtual ~TGradient() = default;
    TGradient(const TGradient&) = delete;
    TGradient& operator=(const TGradient&) = delete;

    bool Dithered() const { return dithered_; }
    virtual void SetDithered(bool value);
    // 2..255; other values are clamped.
    int ColorSteps() const { return colorSteps_; }
    virtual void SetColorSteps(int value);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    TColor EndColor() const { return endColor_; }
    virtual void SetEndColor(TColor value);
    TGradientStyle Style() const { return style_; }
    virtual void SetStyle(TGradientStyle value);
    TColor StartColor() const { return startColor_; }
    virtual void SetStartColor(TColor value);

    // Regenerates the image at the label's outer size, with draws from the
    // process-wide generator.
    virtual void RebuildBitmap();
    // What the last rebuild made (empty before the first).
    const TBitmap& Bitmap() const { return bitmap_; }

private:
    void Changed();

    TControl& owner_;
    TBitmap bitmap_;
    int colorSteps_ = 16;
    bool dithered_ = true;
    bool enabled_ = true;
    TColor endColor_ = 0x808080;   // clGray
    TColor startColor_ = 0xC0C0C0; // clSilver
    TGradientStyle style_ = TGradientStyle::gsLeft;
};

class TGlyph {
public:
    explicit TGlyph(TControl& owner);
    virtual ~TGlyph() = default;
    TGlyph(const TGlyph&) = delete;
    TGlyph& operator=(const TGlyph&) = delete;

    // The transparent colour in manual mode.
    TColor AlphaColor() const { return alphaColor_; }
    virtual void SetAlphaColor(TColor value);
    // Grey while the label is disabled.
    bool AllowGrayed() const { return allowGrayed_; }
    virtual void SetAllowGrayed(bool value);
    TAlphaMode AlphaMode() const { return alphaMode_; }
    virtual void SetAlphaMode(TAlphaMode value);
    // Copies the picture (null clears it), takes the automatic transparent
    // colour in amAuto and derives NumGlyphs from the shape.
    const TBitmap& Bitmap() const { return bitmap_; }
    virtual void SetBitmap(const TBitmap* picture);
    TDisplayAlign DisplayAlign() const { return displayAlign_; }
    virtual void SetDisplayAlign(TDisplayAlign value);
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value);
    // Takes precedence over Bitmap. The label forgets a list that goes away.
    TImageList* ImageList() const { return imageList_; }
    virtual void SetImageList(TImageList* value);
    TGlyphLayout Layout() const { return layout_; }
    virtual void SetLayout(TGlyphLayout value);
    int Margin() const { return margin_; }
    virtual void SetMargin(int value);
    // Cells side by side in Bitmap; only the first is shown. At least 1; a
    // strip of many square cells keeps its count (the cell stays square).
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int value);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);

private:
    TControl& owner_;
    TColor alphaColor_ = 0x008080; // clOlive
    bool allowGrayed_ = true;
    TAlphaMode alphaMode_ = TAlphaMode::amAuto;
    TBitmap bitmap_;
    TDisplayAlign displayAlign_ = TDisplayAlign::daLeft;
    int imageIndex_ = -1;
    TImageList* imageList_ = nullptr;
    TGlyphLayout layout_ = TGlyphLayout::glCenter;
    int margin_ = 5;
    int numGlyphs_ = 1;
    bool visible_ = true;
};

class TSubCaption {
public:
    explicit TSubCaption(TControl& owner);
    virtual ~TSubCaption() = default;
    TSubCaption(const TSubCaption&) = delete;
    TSubCaption& operator=(const TSubCaption&) = delete;

    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& value);
    // Copies the attributes and repaints, equal or not.
    const TFont& Font() const { return font_; }
    virtual void SetFont(const TFont& value);
    int Margin() const { return margin_; }
    virtual void SetMargin(int value);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);

    // Changes the colours under the pointer; writing it does nothing else.
    bool HotTrack = false;
    // The font colour the label puts back when the pointer leaves.
    TColor SavedColor = 0;

private:
    TControl& owner_;
    std::string caption_;
    TFont font_;
    int margin_ = 5;
    bool visible_ = true;
};

} // namespace quillon
