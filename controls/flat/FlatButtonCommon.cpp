#include "controls/flat/FlatButtonCommon.h"
#include "framework/Application.h"

namespace quillon {

template <class Base>
TFlatButtonCommon<Base>::TFlatButtonCommon(TWinControl* parent) : Base(parent)
{
    if (!hoverTimer_) {
        hoverTimer_ = std::make_unique<TTimer>(100);
    }
    this->SetBounds(0, 0, 25, 25);
    this->SetControlStyle(csCaptureMouse | csDoubleClicks);
    this->SetParentFont(true);
    this->SetParentColor(true);
    ++instanceCount_;
}

template <class Base>
TFlatButtonCommon<Base>::~TFlatButtonCommon()
{
    ReleaseHoverTimer();
    if (--instanceCount_ == 0)
        hoverTimer_.reset();
}

// ---- setters

template <class Base>
void TFlatButtonCommon<Base>::SetTransparentMode(TTransparentMode mode)
{
    transparentMode_ = mode;
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SetStateColor(int index, TColor color)
{
    if (index < 0 || index > 4)
        return;
    colors_[index] = color;
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SetAdvColor(int index, TAdvColors value)
{
    if (index < 0 || index > 2)
        return;
    advColors_[index] = value > 100 ? 100 : value;
    RecomputeAdvColors();
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SetUseAdvColors(bool value)
{
    if (value == useAdvColors_)
        return;
    useAdvColors_ = value;
    this->SetParentColor(value);
    RecomputeAdvColors();
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::RecomputeAdvColors()
{
    if (!useAdvColors_)
        return;
    colors_[0] = AdjustLightness(this->Color(), colors_[0], advColors_[0], false);
    colors_[1] = AdjustLightness(this->Color(), colors_[1], advColors_[1], true);
    colors_[2] = AdjustLightness(this->Color(), colors_[2], advColors_[2], true);
}

template <class Base>
void TFlatButtonCommon<Base>::SetGroupIndex(int value)
{
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    SendGroupNotice();
}

template <class Base>
void TFlatButtonCommon<Base>::SetAllowAllUp(bool value)
{
    if (value == allowAllUp_)
        return;
    allowAllUp_ = value;
    SendGroupNotice();
}

template <class Base>
void TFlatButtonCommon<Base>::SetDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    if (down_ && !allowAllUp_)
        return; // a latched member stays down
    down_ = value;
    if (value) {
        if (state_ == TFlatButtonState::fbsUp)
            this->Invalidate();
        state_ = TFlatButtonState::fbsExclusive;
        SendGroupNotice();
    } else {
        state_ = TFlatButtonState::fbsUp;
        this->Repaint();
    }
}

template <class Base>
void TFlatButtonCommon<Base>::SetGlyph(const TBitmap* glyph)
{
    if (glyph == &glyph_)
        return;
    if (glyph)
        glyph_.Assign(*glyph);
    else
        glyph_.Clear();
    zoomedGlyph_.Clear();
    if (!glyph_.Empty() && glyph_.Height() > 0 && glyph_.Width() % glyph_.Height() == 0) {
        const int n = glyph_.Width() / glyph_.Height();
        numGlyphs_ = static_cast<TNumGlyphs>(n > 4 ? 1 : n);
    }
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SetNumGlyphs(TNumGlyphs value)
{
    if (value < 1 || value > 4 || value == numGlyphs_)
        return;
    numGlyphs_ = value;
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SetLayout(TButtonLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SetSpacing(int value)
{
    if (value == spacing_)
        return;
    spacing_ = value;
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SetMargin(int value)
{
    if (value == margin_ || value < -1)
        return;
    margin_ = value;
    this->Invalidate();
}

// ---- click and group

template <class Base>
void TFlatButtonCommon<Base>::Click()
{
    if (this->Parent())
        if (TForm* form = ParentForm(*this))
            form->SetModalResult(ModalResult);
    Base::Click();
}

template <class Base>
void TFlatButtonCommon<Base>::SendGroupNotice()
{
    if (groupIndex_ != 0 && this->Parent())
        this->Parent()->Broadcast(TNotice{GroupNoticeCode, groupIndex_, this});
}

template <class Base>
bool TFlatButtonCommon<Base>::Notice(const TNotice& notice)
{
    if (notice.code != GroupNoticeCode)
        return Base::Notice(notice);
    auto* sender = dynamic_cast<TFlatButtonCommon*>(notice.sender);
    if (!sender || sender == this || notice.value != groupIndex_)
        return false;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = TFlatButtonState::fbsUp;
        this->Invalidate();
    }
    allowAllUp_ = sender->allowAllUp_;
    return false;
}

// ---- pointer

template <class Base>
void TFlatButtonCommon<Base>::MouseDown(TMouseButton button, unsigned shift, int x, int y)
{
    Base::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !this->Enabled())
        return;
    if (!down_) {
        state_ = TFlatButtonState::fbsDown;
        this->Invalidate();
    }
    mouseHeld_ = true;
    PressTakesFocus();
}

template <class Base>
void TFlatButtonCommon<Base>::MouseMove(unsigned shift, int x, int y)
{
    Base::MouseMove(shift, x, y);
    HoverEntryRule();
    if (!mouseHeld_)
        return;
    TFlatButtonState next = down_ ? TFlatButtonState::fbsExclusive : TFlatButtonState::fbsUp;
    if (Inside(x, y))
        next = down_ ? TFlatButtonState::fbsExclusive : TFlatButtonState::fbsDown;
    if (next != state_) {
        state_ = next;
        this->Invalidate();
    }
}

template <class Base>
void TFlatButtonCommon<Base>::MouseUp(TMouseButton button, unsigned shift, int x, int y)
{
    Base::MouseUp(button, shift, x, y);
    if (!mouseHeld_)
        return;
    mouseHeld_ = false;
    const bool inside = Inside(x, y);
    if (groupIndex_ == 0) {
        state_ = TFlatButtonState::fbsUp;
        isHot_ = false;
        if (inside)
            this->Invalidate();
    } else if (inside) {
        SetDown(!down_);
        if (down_)
            this->Repaint();
    } else {
        if (down_)
            state_ = TFlatButtonState::fbsExclusive;
        this->Repaint();
    }
    if (inside)
        Click();
    else
        LeaveRule();
    SyncHoverWithCursor();
}

template <class Base>
void TFlatButtonCommon<Base>::DoubleClick(unsigned shift, int x, int y)
{
    Base::DoubleClick(shift, x, y);
    if (down_ && this->OnDblClick)
        this->OnDblClick(*this);
}

template <class Base>
void TFlatButtonCommon<Base>::MouseEnter()
{
    Base::MouseEnter();
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

template <class Base>
void TFlatButtonCommon<Base>::MouseLeave()
{
    Base::MouseLeave();
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

// ---- hover tracking

template <class Base>
bool TFlatButtonCommon<Base>::PointerIsOverMe() const
{
    POINT p;
    GetCursorPos(&p);
    return Application().ControlAtScreen(p, true) == this;
}

template <class Base>
void TFlatButtonCommon<Base>::HoverEntryRule()
{
    if (hoverOwner_ == this || !PointerIsOverMe())
        return;
    if (hoverOwner_)
        hoverOwner_->LeaveRule();
    if (!Application().Active())
        return;
    hoverTimer_->SetEnabled(false);
    hoverOwner_ = this;
    hoverTimer_->OnTimer = [this] { HoverTick(); };
    hoverTimer_->SetEnabled(true);
    EnterRule();
}

template <class Base>
void TFlatButtonCommon<Base>::HoverTick()
{
    if (!PointerIsOverMe())
        LeaveRule();
}

template <class Base>
void TFlatButtonCommon<Base>::EnterRule()
{
    if (this->Enabled() && !isHot_) {
        isHot_ = true;
        this->Invalidate();
    }
}

template <class Base>
void TFlatButtonCommon<Base>::LeaveRule()
{
    if (this->Enabled() && isHot_ && !mouseHeld_) {
        isHot_ = false;
        ReleaseHoverTimer();
        this->Invalidate();
    }
}

template <class Base>
void TFlatButtonCommon<Base>::ReleaseHoverTimer()
{
    if (hoverOwner_ != this)
        return;
    if (hoverTimer_) {
        hoverTimer_->SetEnabled(false);
        hoverTimer_->OnTimer = nullptr;
    }
    hoverOwner_ = nullptr;
}

template <class Base>
void TFlatButtonCommon<Base>::SyncHoverWithCursor()
{
    if (!this->Enabled())
        return;
    const bool over = PointerIsOverMe();
    isHot_ = !over;
    if (over)
        EnterRule();
    else
        LeaveRule();
}

// ---- notices

template <class Base>
void TFlatButtonCommon<Base>::EnabledChanged()
{
    Base::EnabledChanged();
    if (!this->Enabled()) {
        isHot_ = false;
        state_ = TFlatButtonState::fbsDisabled;
        ReleaseHoverTimer();
    }
    SyncHoverWithCursor();
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::SysColorChange()
{
    Base::SysColorChange();
    if (useAdvColors_) {
        this->SetParentColor(true);
        RecomputeAdvColors();
    }
    this->Invalidate();
}

template <class Base>
void TFlatButtonCommon<Base>::ParentColorChanged()
{
    Base::ParentColorChanged();
    SysColorChange();
}

// ---- painting

template <class Base>
TColor TFlatButtonCommon<Base>::FaceColor() const
{
    switch (state_) {
    case TFlatButtonState::fbsUp:
        return isHot_ ? ColorFocused() : this->Color();
    case TFlatButtonState::fbsDisabled:
        return this->Color();
    case TFlatButtonState::fbsDown:
        return ColorDown();
    case TFlatButtonState::fbsExclusive:
        return isHot_ ? ColorFocused() : ColorDown();
    }
    return this->Color();
}

template <class Base>
const TBitmap& TFlatButtonCommon<Base>::ShownGlyph()
{
    const int zoom = PixelArtMultiple(this->PixelsPerInch());
    if (zoom <= 1 || glyph_.Empty())
        return glyph_;
    if (zoomedGlyph_.Width() != glyph_.Width() * zoom || zoomedGlyph_.Height() != glyph_.Height() * zoom) {
        zoomedGlyph_.Assign(glyph_);
        zoomedGlyph_.Magnify(zoom);
    }
    return zoomedGlyph_;
}

template <class Base>
void TFlatButtonCommon<Base>::PaintFace(TCanvas& canvas)
{
    const RECT client = this->ClientRect();
    const TBitmap& glyph = ShownGlyph();
    const TColor transparent = glyph.Pixel(0, glyph.Height() - 1);
    const bool pressed = state_ == TFlatButtonState::fbsDown || state_ == TFlatButtonState::fbsExclusive;
    const POINT offset = pressed ? POINT{1, 1} : POINT{0, 0};
    // -1 (laid out evenly) is no distance to scale.
    auto scaled = [this](int v) { return v < 0 ? v : this->Scale(v); };
    const TGlyphAndCaption layout = LayoutGlyphAndCaption(canvas, client, offset, layout_, scaled(spacing_),
                                                          scaled(margin_), &glyph, numGlyphs_, this->Caption());
    captionRect_ = layout.textRect;
    glyphOrigin_ = layout.glyphPos;

    if (!this->Enabled()) {
        state_ = TFlatButtonState::fbsDisabled;
        mouseHeld_ = false;
    } else if (state_ == TFlatButtonState::fbsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? TFlatButtonState::fbsExclusive : TFlatButtonState::fbsUp;
    }

    PaintBackground(canvas, FaceColor());

    switch (state_) {
    case TFlatButtonState::fbsUp:
        if (isHot_)
            DrawBevelFrame(canvas, client, ColorHighLight(), ColorShadow(), 1);
        else
            DrawBevelFrame(canvas, client, ColorBorder(), ColorBorder(), TwoRingLook() ? 2 : 1);
        break;
    case TFlatButtonState::fbsDisabled:
        DrawBevelFrame(canvas, client, ColorBorder(), ColorBorder(), 1);
        break;
    case TFlatButtonState::fbsDown:
    case TFlatButtonState::fbsExclusive:
        DrawBevelFrame(canvas, client, ColorShadow(), ColorHighLight(), 1);
        break;
    }

    const int cellWidth = glyph.Empty() ? 0 : glyph.Width() / numGlyphs_;
    if (cellWidth > 0) {
        const int wg = glyph.Width(), hg = glyph.Height(), w = cellWidth;
        int left = 0, right = w; // the source cell by count and state
        const int cell = static_cast<int>(state_);
        if (numGlyphs_ == 1) {
            right = wg;
        } else if (state_ == TFlatButtonState::fbsDisabled) {
            left = w;
            right = numGlyphs_ == 2 ? wg : 2 * w;
        } else if (state_ != TFlatButtonState::fbsUp && numGlyphs_ >= 3) {
            const int index = numGlyphs_ == 3 ? 2 : cell; // fbsDown 2, fbsExclusive 3
            left = index * w;
            right = index == numGlyphs_ - 1 ? wg : left + w;
        }
        auto cellBitmap = std::make_unique<TBitmap>(w, hg);
        cellBitmap->Canvas().CopyFrom(RECT{0, 0, w, hg}, glyph.Canvas(), RECT{left, 0, right, hg});
        TColor key = transparent;
        if (numGlyphs_ == 1 && state_ == TFlatButtonState::fbsDisabled) {
            cellBitmap = MakeEmbossedGlyph(*cellBitmap, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, true);
            key = cellBitmap->Pixel(0, hg - 1);
        }
        canvas.DrawTransparent(glyphOrigin_.x, glyphOrigin_.y, *cellBitmap, key);
    }

    // No clipping: some rasterizers (Wine's Tahoma) place glyphs a pixel past
    // the measured extent, and the last dot of "..." would vanish.
    const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP;
    if (state_ == TFlatButtonState::fbsDisabled) {
        RECT echo = captionRect_;
        OffsetRect(&echo, 1, 1);
        canvas.DrawText(this->Caption(), echo, format, clBtnHighlight);
        canvas.DrawText(this->Caption(), captionRect_, format, clBtnShadow);
    } else {
        canvas.DrawText(this->Caption(), captionRect_, format, this->Font().color);
    }
}

template class TFlatButtonCommon<TCustomControl>;
template class TFlatButtonCommon<TGraphicControl>;

} // namespace quillon
