#include "controls/choice/ColorComboBox.h"

#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ComboItems.h"
#include "framework/Dialogs.h"

#include <windowsx.h>

namespace quillon {

void DrawSwatch(TCanvas& canvas, RECT rect, bool fillWhite, TColor color)
{
    if (fillWhite)
        canvas.FillRect(rect, clWhite);
    InflateRect(&rect, -1, -1);
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    canvas.FillRect(rect, color);
    FrameRect(canvas, rect, clBtnShadow);
}

TQnColorComboBox::TQnColorComboBox(TWinControl* parent) : TQnCustomComboBox(parent)
{
    ItemList = ColorNameItems();
    dropDownStyle_ = TDropDownStyle::clsDropDownList; // so that the setter runs in full
    SetDropDownStyle(TDropDownStyle::clsDropDown);
    SetColorWidth(20);
    ItemPainter = [this](TItemPaint& item) { DrawColorItem(item); };
    UpdateDropDownWidth();
    SetColorValue(0);
}

void TQnColorComboBox::SetDropDownStyle(TDropDownStyle value)
{
    if (value == dropDownStyle_)
        return;
    dropDownStyle_ = value;
    if (value == TDropDownStyle::clsDropDown) {
        SetComboStyle(TComboStyle::csDropDown);
        SetShowCheckGlyph(true);
        CheckGlyphPainter = [this](int index) { PaintSwatch(index); };
    } else {
        SetComboStyle(TComboStyle::csDropDownList);
        SetShowCheckGlyph(false);
        CheckGlyphPainter = nullptr;
        SetText(ColorToString(colorValue_));
    }
    UpdateDropDownWidth();
}

void TQnColorComboBox::SetColorValue(TColor value)
{
    SelectItem(-1);
    colorValue_ = value;
    for (size_t i = 0; i < ItemList.size(); ++i)
        if (IdentToColor(ItemList[i]) == value) {
            SelectItem(static_cast<int>(i));
            return;
        }
    ColorToHexText(value);
}

void TQnColorComboBox::ColorToHexText(TColor value)
{
    for (const std::string& step : ColorToHexTextSteps(value))
        SetText(step);
}

void TQnColorComboBox::SetColorWidth(int value)
{
    colorWidth_ = value;
    TBitmap swatch(Scale(value), std::max(EditClientHeight(), 1));
    SetCheckGlyph(&swatch);
    UpdateDropDownWidth();
    Invalidate();
}

void TQnColorComboBox::UpdateDropDownWidth()
{
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(ScaledFont());
    int width = probe.Canvas().MeasureText("clInactiveCaptionText", DT_SINGLELINE).cx +
                SystemMetricForPpi(SM_CXVSCROLL, PixelsPerInch()) + Scale(8);
    if (dropDownStyle_ == TDropDownStyle::clsDropDown)
        width += Scale(colorWidth_ + 2);
    DropDownWidth = width < Width() ? 0 : width;
}

void TQnColorComboBox::FontChanged()
{
    TQnCustomComboBox::FontChanged();
    UpdateDropDownWidth();
}

void TQnColorComboBox::ScaleChanged()
{
    TQnCustomComboBox::ScaleChanged();
    SetColorWidth(colorWidth_); // the swatch at the new size
}

void TQnColorComboBox::Resize()
{
    TQnCustomComboBox::Resize();
    if (DropDownWidth < Width())
        DropDownWidth = 0;
}

void TQnColorComboBox::PaintSwatch(int index)
{
    const TColor color = index == -1 ? SwatchColorFromText(Text())
                                     : StringToColor(ItemList[static_cast<size_t>(index)]);
    TBitmap& glyph = CheckGlyph();
    glyph.SetSize(Scale(colorWidth_), std::max(EditClientHeight(), 1));
    DrawSwatch(glyph.Canvas(), RECT{0, 0, glyph.Width(), glyph.Height()}, true, color);
    colorValue_ = color;
}

void TQnColorComboBox::DrawColorItem(TItemPaint& item)
{
    if (item.index < 0 || item.index >= static_cast<int>(ItemList.size()))
        return;
    const std::string& text = ItemList[static_cast<size_t>(item.index)];
    const TColor color = StringToColor(text);
    item.canvas.FillRect(item.rect, item.back);
    const int offset = DrawStyle() == TControlStyle::fsFlat ? 1 : DrawStyle() == TControlStyle::fsNone ? 0 : 2;
    const int swatchWidth = Scale(colorWidth_);
    const RECT swatch{item.rect.left + offset, item.rect.top, item.rect.left + offset + swatchWidth,
                      item.rect.bottom};
    DrawSwatch(item.canvas, swatch, false, color);
    const RECT textRect{item.rect.left + swatchWidth + Scale(4), item.rect.top, item.rect.right, item.rect.bottom};
    item.canvas.DrawText(text, textRect, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP, item.text);
}

ColorTextCheck TQnColorComboBox::CheckText() const
{
    // Leaving first finds the item equal to the text, then validates.
    // Read-only or not: a text put in from code is read as a colour too.
    const std::string text = Text();
    if (const int item = IndexOfItem(ItemList, text); item >= 0)
        return ColorTextCheck{true, item, 0};
    return CheckColorText(text, [](TColor c) { return ColorToRGB(c); });
}

void TQnColorComboBox::ValidateText()
{
    if (ErrorCode == 0 && ItemIndex() == -1) {
        const ColorTextCheck check = CheckText();
        if (!check.valid)
            ErrorCode = ErrInvalidInteger;
        else if (check.itemIndex >= 0)
            SelectItem(check.itemIndex);
        else
            ColorToHexText(check.value);
    }
    TQnCustomComboBox::ValidateText();
}

bool TQnColorComboBox::TextAccepted() const
{
    if (!CheckText().valid)
        return false;
    // What the combo base adds where the text may be validated.
    const std::string text = Text();
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
    if (CanValidate() && !CanEmpty && blank)
        return false;
    return !(CanValidate() && ComboStyle() == TComboStyle::csDropDownList && !blank &&
             IndexOfItem(ItemList, text) < 0);
}

void TQnColorComboBox::ShowTextError()
{
    ErrorCode = ErrInvalidInteger;
    SetFocus();
    RequestShowError();
}

std::string TQnColorComboBox::GetErrorHint()
{
    return ErrorCode == ErrInvalidInteger ? LoadResString(ResInvalidInteger) : std::string();
}

LRESULT TQnColorComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_LBUTTONDBLCLK) {
        const LRESULT result = TQnCustomComboBox::WndProc(msg, wp, lp);
        if (HandleAllocated() && !OverButton()) {
            TColorDialog dialog;
            dialog.Color = colorValue_;
            dialog.Execute(Handle());
            // The text is set anew in steps: one change, heard at the end.
            WithUpdatesLocked([&] { SetColorValue(dialog.Color); });
        }
        return result;
    }
    return TQnCustomComboBox::WndProc(msg, wp, lp);
}

} // namespace quillon
