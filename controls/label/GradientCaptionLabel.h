#pragma once
// TGradientCaptionLabel: a banner strip on a gradient (or plain) background
// with panel bevels, bound lines, a glyph at one end, a caption and a
// right-aligned sub-caption. It can hot-track its texts, report glyph
// clicks, stand in for the title bar of a borderless form, and focus a
// partner control by its accelerator. Painted through an off-screen bitmap.
#include "controls/label/LabelSettings.h"
#include "framework/GdiObjects.h"

#include <memory>

namespace quillon {

enum class TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum class TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// Which edge lines to draw: a set of bits.
enum TBoundLine : uint8_t { blLeft = 1, blTop = 2, blRight = 4, blBottom = 8 };
using TBoundLines = uint8_t;

enum TLabelOption : uint8_t {
    loEmulateFormCaption = 1, // the label is the title bar of its form
    loReplyFormDragClick = 2, // a drag of the form ends in a click
    loReplyGlyphClick = 4,    // a glyph click is also a click
    loReplyGlyphDblClick = 8, // a glyph double click is also a double click
};
using TLabelOptions = uint8_t;

// Text drawing flags: single line, expanded tabs, end ellipsis.
inline constexpr UINT CaptionDrawFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;

// `width` one-pixel rings from the outside in, shrinking `rect` by `width` on
// every side (nothing for width <= 0). Top-left colour on the top row and
// left column; the bottom-right colour after it on the right column and
// bottom row, so the top-right and bottom-left corners take that colour.
void DrawInsetFrame(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width);

class TCustomGradientCaptionLabel : public TCustomControl {
public:
    explicit TCustomGradientCaptionLabel(TWinControl* parent);
    ~TCustomGradientCaptionLabel() override;

    static constexpr const char* VersionText = "Version 1.05e-Build 1129";

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    // Rings per bevel, 1 at least.
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    // Re-creates the window.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Rings in Color between the bevels.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // With a single border: a sunken client edge instead of a plain border.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);

    TColor BoundColor() const { return boundColor_; }
    virtual void SetBoundColor(TColor value);
    TBoundLines BoundLines() const { return boundLines_; }
    virtual void SetBoundLines(TBoundLines value);
    // A colour other than the parent's clears ParentColor.
    virtual void SetColor(TColor value);
    // The framework's enabled state first, then the label's own copy.
    void SetEnabled(bool value) override;
    TWinControl* FocusControl() const { return focusControl_; }
    virtual void SetFocusControl(TWinControl* value);
    TTextLayout Layout() const { return layout_; }
    virtual void SetLayout(TTextLayout value);
    // Left inset of the caption and least gap before the sub-caption.
    int Margin() const { return margin_; }
    virtual void SetMargin(int value);
    // Setting loEmulateFormCaption aligns the label to the top.
    TLabelOptions Options() const { return options_; }
    virtual void SetOptions(TLabelOptions value);
    bool ShowAccelChar() const { return showAccelChar_; }
    virtual void SetShowAccelChar(bool value);
    // Always VersionText; writes are ignored.
    std::string Version() const { return VersionText; }
    virtual void SetVersion(const std::string& value);

    TGradient& Gradient() { return *gradient_; }
    const TGradient& Gradient() const { return *gradient_; }
    TGlyph& Glyph() { return *glyph_; }
    const TGlyph& Glyph() const { return *glyph_; }
    TSubCaption& SubCaption() { return *subCaption_; }
    const TSubCaption& SubCaption() const { return *subCaption_; }

    bool HotTrack = false;
    TColor HotTrackColor = 0x800000; // clNavy
    TNotifyEvent OnGlyphClick;
    TNotifyEvent OnGlyphDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The glyph picture as drawn and hit-tested (the caller owns it), or
    // null: the image list's entry, else the first cell of Bitmap.
    virtual std::unique_ptr<TBitmap> BuildGlyphImage() const;
    // Top-left corner of `image` in client coordinates.
    virtual POINT GetGlyphPosition(const TBitmap& image) const;
    // Rebuilds the gradient image and repaints; runs on every size change.
    virtual void LabelResize();

    // Draws (or, with DT_CALCRECT, measures into `rect`) one text in `font`;
    // embossed when the label is disabled.
    void DrawCaptionText(const std::string& text, TCanvas& canvas, UINT flags, RECT& rect, const TFont& font);

    void Paint(TCanvas& canvas) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Resize() override;
    void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
    void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;
    void DoubleClick(unsigned shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DialogChar(wchar_t ch) override;
    // Palette-based displays get the plain colour instead of the gradient.
    virtual bool DisplayHasPalette();

private:
    bool GlyphHit();
    TWinControl* DragTarget();
    LRESULT LeftButtonDown(WPARAM wp, LPARAM lp);
    void BeginDrag();
    void DragTo();
    void EndDrag();
    LRESULT LeftButtonDoubleClick(WPARAM wp, LPARAM lp);
    int PaintGlyph(TCanvas& canvas); // the glyph's extent E
    int PaintSubCaption(TCanvas& canvas, int glyphExtent);
    void PaintCaption(TCanvas& canvas, int glyphExtent, int subCaptionExtent);
    void PaintFormFrame();

    std::unique_ptr<TGlyph> glyph_;
    std::unique_ptr<TGradient> gradient_;
    std::unique_ptr<TSubCaption> subCaption_;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
    int borderWidth_ = 0;
    bool ctl3D_ = true;
    TColor boundColor_ = 0x808080; // clGray
    TBoundLines boundLines_ = 0;
    bool enabled_ = true;
    TWinControl* focusControl_ = nullptr;
    TTextLayout layout_ = TTextLayout::tlCenter;
    int margin_ = 5;
    TLabelOptions options_ = 0;
    bool showAccelChar_ = true;
    TColor savedCaptionColor_ = 0;
    // Hot tracking changed the colour: only then does a leave put it back.
    bool captionHot_ = false;
    bool subCaptionHot_ = false;
    bool resizeHooked_ = false;
    bool pressed_ = false; // an ordinary left press: its release over the label clicks
    bool dragging_ = false; // the form follows the pointer
    POINT dragStart_{};     // pointer, screen
    POINT dragOrigin_{};    // the form's top-left corner when the drag began
    TPaintBuffer buffer_;
};

class TGradientCaptionLabel : public TCustomGradientCaptionLabel {
public:
    using TCustomGradientCaptionLabel::TCustomGradientCaptionLabel;
};

} // namespace quillon
