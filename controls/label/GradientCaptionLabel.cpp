// The label's construction, loading, window parameters and setters.
#include "controls/label/GradientCaptionLabel.h"

#include "framework/Forms.h"

#include <algorithm>

namespace quillon {

TCustomGradientCaptionLabel::TCustomGradientCaptionLabel(TWinControl* parent) : TCustomControl(parent)
{
    SetControlStyle(ControlStyle() | csOpaque | csCaptureMouse | csDoubleClicks);
    SetParentColor(true);
    SetParentFont(true);
    glyph_ = std::make_unique<TGlyph>(*this);
    gradient_ = std::make_unique<TGradient>(*this);
    subCaption_ = std::make_unique<TSubCaption>(*this);
    SetHeight(24);
    SetWidth(289);
    // From here on every size change rebuilds the gradient image.
    resizeHooked_ = true;
}

TCustomGradientCaptionLabel::~TCustomGradientCaptionLabel()
{
    glyph_.reset();
    gradient_.reset();
    subCaption_.reset();
}

void TCustomGradientCaptionLabel::Loaded()
{
    TCustomControl::Loaded();
    if (gradient_->Enabled())
        gradient_->RebuildBitmap();
    if (!(options_ & loEmulateFormCaption))
        return;
    // The label becomes the form's title bar: no frame of the form's own.
    if (TForm* form = ParentForm(*this))
        form->SetBorderStyle(TFormBorderStyle::bsNone);
    bevelInner_ = TBevelCut::bvRaised;
    bevelOuter_ = TBevelCut::bvRaised;
    bevelWidth_ = 1;
    boundLines_ = blLeft | blTop | blRight | blBottom;
}

void TCustomGradientCaptionLabel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (borderStyle_ == TBorderStyle::bsSingle) {
        if (ctl3D_)
            params.exStyle |= WS_EX_CLIENTEDGE;
        else
            params.style |= WS_BORDER;
    }
    params.classStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGradientCaptionLabel::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == focusControl_)
        focusControl_ = nullptr;
    if (glyph_ && component == glyph_->ImageList())
        glyph_->SetImageList(nullptr);
}

void TCustomGradientCaptionLabel::Resize()
{
    TCustomControl::Resize();
    if (resizeHooked_)
        LabelResize();
}

void TCustomGradientCaptionLabel::LabelResize()
{
    if (gradient_->Enabled())
        gradient_->RebuildBitmap();
    Invalidate();
}

// ---- setters

void TCustomGradientCaptionLabel::SetBevelInner(TBevelCut value)
{
    if (value == bevelInner_)
        return;
    bevelInner_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetBevelOuter(TBevelCut value)
{
    if (value == bevelOuter_)
        return;
    bevelOuter_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetBevelWidth(int value)
{
    value = std::max(value, 1);
    if (value == bevelWidth_)
        return;
    bevelWidth_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomGradientCaptionLabel::SetBorderWidth(int value)
{
    value = std::max(value, 0);
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetCtl3D(bool value)
{
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    if (borderStyle_ == TBorderStyle::bsSingle)
        RecreateWnd();
}

void TCustomGradientCaptionLabel::SetBoundColor(TColor value)
{
    if (value == boundColor_)
        return;
    boundColor_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetBoundLines(TBoundLines value)
{
    value &= blLeft | blTop | blRight | blBottom;
    if (value == boundLines_)
        return;
    boundLines_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetColor(TColor value)
{
    if (value == Color())
        return;
    const bool keepParentColor = ParentColor() && (!Parent() || Parent()->Color() == value);
    TCustomControl::SetColor(value); // clears ParentColor and repaints
    if (keepParentColor)
        SetParentColor(true);
}

void TCustomGradientCaptionLabel::SetEnabled(bool value)
{
    TCustomControl::SetEnabled(value);
    if (value != enabled_)
        Invalidate();
    enabled_ = value;
}

void TCustomGradientCaptionLabel::SetFocusControl(TWinControl* value)
{
    if (focusControl_ && focusControl_ != value)
        RemoveFreeNotification(focusControl_);
    focusControl_ = value;
    if (value)
        value->FreeNotification(this);
}

void TCustomGradientCaptionLabel::SetLayout(TTextLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetMargin(int value)
{
    value = std::max(value, 0);
    if (value == margin_)
        return;
    margin_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetOptions(TLabelOptions value)
{
    value &= loEmulateFormCaption | loReplyFormDragClick | loReplyGlyphClick | loReplyGlyphDblClick;
    if (value == options_)
        return;
    options_ = value;
    if (value & loEmulateFormCaption) {
        SetAlign(TAlign::alTop);
        Invalidate();
    }
}

void TCustomGradientCaptionLabel::SetShowAccelChar(bool value)
{
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    Invalidate();
}

void TCustomGradientCaptionLabel::SetVersion(const std::string&) {}

} // namespace quillon
