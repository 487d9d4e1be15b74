#pragma once
// What the flat button (windowed) and the flat speed button (windowless)
// share: states, colours, glyph, hover tracking with one class-wide timer per
// kind, press/drag/release, group rules, modal result, and the face painting.
#include "controls/flat/FlatUtils.h"
#include "framework/Forms.h"
#include "framework/Timer.h"

#include <memory>

namespace quillon {

enum class TFlatButtonState : uint8_t { fbsUp, fbsDisabled, fbsDown, fbsExclusive };

inline constexpr int GroupNoticeCode = 0x4642; // value = GroupIndex

template <class Base>
class TFlatButtonCommon : public Base {
public:
    explicit TFlatButtonCommon(TWinControl* parent);
    ~TFlatButtonCommon() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    int ModalResult = 0;

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    // Colours by index: 0 ColorFocused, 1 ColorDown, 2 ColorBorder,
    // 3 ColorHighLight, 4 ColorShadow. Setting always repaints.
    TColor ColorFocused() const { return colors_[0]; }
    TColor ColorDown() const { return colors_[1]; }
    TColor ColorBorder() const { return colors_[2]; }
    TColor ColorHighLight() const { return colors_[3]; }
    TColor ColorShadow() const { return colors_[4]; }
    void SetStateColor(int index, TColor color);
    void SetColorFocused(TColor c) { SetStateColor(0, c); }
    void SetColorDown(TColor c) { SetStateColor(1, c); }
    void SetColorBorder(TColor c) { SetStateColor(2, c); }
    void SetColorHighLight(TColor c) { SetStateColor(3, c); }
    void SetColorShadow(TColor c) { SetStateColor(4, c); }

    // Advanced colours by index: 0 focused, 1 down, 2 border.
    TAdvColors AdvColorFocused() const { return advColors_[0]; }
    TAdvColors AdvColorDown() const { return advColors_[1]; }
    TAdvColors AdvColorBorder() const { return advColors_[2]; }
    void SetAdvColor(int index, TAdvColors value);
    bool UseAdvColors() const { return useAdvColors_; }
    void SetUseAdvColors(bool value);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);

    const TBitmap& Glyph() const { return glyph_; }
    // Copies the image (null empties it) and derives NumGlyphs from its shape.
    void SetGlyph(const TBitmap* glyph);
    TNumGlyphs NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int Margin() const { return margin_; }
    void SetMargin(int value);

    TFlatButtonState ButtonState() const { return state_; }
    bool IsHot() const { return isHot_; }
    bool MouseHeld() const { return mouseHeld_; }
    RECT CaptionRect() const { return captionRect_; }
    POINT GlyphOrigin() const { return glyphOrigin_; }

    // Class-wide hover tracking of this kind of button.
    static TTimer* HoverTimer() { return hoverTimer_.get(); }
    static TFlatButtonCommon* HoverOwner() { return hoverOwner_; }
    static int InstanceCount() { return instanceCount_; }

    void Click() override;
    void Loaded() override { this->Invalidate(); }

protected:
    // The face in `canvas` (origin at the button, font set): everything but
    // what the kind paints beneath it.
    void PaintFace(TCanvas& canvas);
    virtual void PaintBackground(TCanvas& canvas, TColor face) = 0;
    virtual bool TwoRingLook() const { return false; }
    virtual void PressTakesFocus() {}

    void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
    void MouseMove(unsigned shift, int x, int y) override;
    void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;
    void DoubleClick(unsigned shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void ParentColorChanged() override;
    void SysColorChange() override;
    bool Notice(const TNotice& notice) override;

    TColor FaceColor() const;
    void EnterRule();
    void LeaveRule();
    void ReleaseHoverTimer();
    void SyncHoverWithCursor();
    void SetHot(bool hot) { isHot_ = hot; }
    // The glyph image itself, without the shape rule or a repaint.
    TBitmap& GlyphBitmap()
    {
        zoomedGlyph_.Clear();
        return glyph_;
    }
    // The glyph as drawn: a whole multiple of its size at the button's ppi.
    const TBitmap& ShownGlyph();
    void SetButtonState(TFlatButtonState state) { state_ = state; }

private:
    bool PointerIsOverMe() const;
    void HoverEntryRule();
    void HoverTick();
    bool Inside(int x, int y) const { return x >= 0 && x < this->ClientWidth() && y >= 0 && y <= this->ClientHeight(); }
    void SendGroupNotice();
    void RecomputeAdvColors();

    TTransparentMode transparentMode_ = TTransparentMode::tmNone;
    bool useAdvColors_ = false;
    TAdvColors advColors_[3] = {10, 10, 50};
    RECT captionRect_{};
    POINT glyphOrigin_{};
    TNumGlyphs numGlyphs_ = 1;
    TColor colors_[5] = {0x00E1EAEB, 0x00C5D6D9, 0x008396A0, clWhite, clBlack};
    int groupIndex_ = 0;
    TBitmap glyph_;
    TBitmap zoomedGlyph_; // empty until needed, and after the glyph changed
    bool down_ = false;
    bool mouseHeld_ = false;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphTop;
    int spacing_ = 4;
    int margin_ = -1;
    bool isHot_ = false;
    TFlatButtonState state_ = TFlatButtonState::fbsUp;

    static inline std::unique_ptr<TTimer> hoverTimer_;
    static inline TFlatButtonCommon* hoverOwner_ = nullptr;
    static inline int instanceCount_ = 0;
};

extern template class TFlatButtonCommon<TCustomControl>;
extern template class TFlatButtonCommon<TGraphicControl>;

} // namespace quillon
