#include "framework/Label.h"

#include "base/TextConvert.h"
#include "framework/GdiObjects.h"

#include <algorithm>

namespace quillon {

TLabel::TLabel(TWinControl* parent) : TGraphicControl(parent)
{
    SetBounds(Left(), Top(), 65, 13);
    SetParentColor(true);
    SetParentFont(true);
    SetControlStyle(ControlStyle() | csClickEvents | csCaptureMouse);
}

TLabel::~TLabel()
{
    SetFocusControl(nullptr);
}

UINT TLabel::TextFormat() const
{
    UINT format = DT_EXPANDTABS;
    if (wordWrap_)
        format |= DT_WORDBREAK;
    if (!showAccelChar_)
        format |= DT_NOPREFIX;
    switch (alignment_) {
    case TAlignment::taLeftJustify:
        format |= DT_LEFT;
        break;
    case TAlignment::taRightJustify:
        format |= DT_RIGHT;
        break;
    case TAlignment::taCenter:
        format |= DT_CENTER;
        break;
    }
    return format;
}

void TLabel::Paint(TCanvas& canvas)
{
    if (!transparent_)
        canvas.FillRect(ClientRect(), Color());
    const std::string text = Caption();
    if (text.empty())
        return;
    canvas.SetFont(ScaledFont());
    RECT r = ClientRect();
    if (Enabled()) {
        canvas.DrawText(text, r, TextFormat(), Font().color);
        return;
    }
    OffsetRect(&r, 1, 1);
    canvas.DrawText(text, r, TextFormat(), clBtnHighlight);
    OffsetRect(&r, -1, -1);
    canvas.DrawText(text, r, TextFormat(), clBtnShadow);
}

void TLabel::AdjustSize()
{
    if (!autoSize_ || Loading())
        return;
    SIZE size{};
    {
        TClientDC screen(nullptr);
        if (!screen.Handle())
            return;
        TCanvas canvas(screen.Handle());
        canvas.SetFont(ScaledFont());
        // Word-wrapped text keeps its width and grows downwards.
        RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
        const std::wstring text = Utf8ToWide(Caption().empty() ? std::string(" ") : Caption());
        DrawTextW(screen.Handle(), text.c_str(), static_cast<int>(text.size()), &r, TextFormat() | DT_CALCRECT);
        size = SIZE{r.right, r.bottom};
    }
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TLabel::ScaleChanged()
{
    TGraphicControl::ScaleChanged();
    if (autoSize_ || wordWrap_ || PixelsPerInch() == DesignPpi)
        return;
    const UINT format = TextFormat() & ~static_cast<UINT>(DT_CENTER | DT_RIGHT);
    const int width = InkWidth(ScaledFont(), Caption(), format);
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(ScaledFont());
    const int height = Caption().empty() ? 0 : static_cast<int>(probe.Canvas().MeasureText(Caption(), format).cy);
    if (width > Width() || height > Height())
        SetBounds(Left(), Top(), std::max(width, Width()), std::max(height, Height()));
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged()
{
    AdjustSize();
    Invalidate();
}

bool TLabel::DialogChar(wchar_t ch)
{
    if (!focusControl_ || !showAccelChar_ || !IsAccel(ch, Caption()) || !focusControl_->CanFocus())
        return false;
    focusControl_->SetFocus();
    return true;
}

void TLabel::SetFocusControl(TWinControl* control)
{
    if (control == focusControl_)
        return;
    if (focusControl_)
        focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control)
        control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustSize();
}

void TLabel::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    AdjustSize();
    Invalidate();
}

} // namespace quillon
