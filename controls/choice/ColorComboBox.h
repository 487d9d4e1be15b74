#pragma once
// TQnColorComboBox: a combo box for a TColor. The text is a colour name or
// "$" and eight hexadecimal digits; a swatch of the colour sits in the glyph
// area at the left, and the list offers the 41 named colours with swatches.
// A double-click on the text opens the platform's colour dialog.
#include "controls/choice/ColorText.h"
#include "controls/choice/ComboBox.h"

namespace quillon {

enum class TDropDownStyle : uint8_t { clsDropDown, clsDropDownList };

// A swatch: the rectangle (white first when asked), then one pixel in, a
// clBtnShadow outline filled with the colour.
void DrawSwatch(TCanvas& canvas, RECT rect, bool fillWhite, TColor color);

class TQnColorComboBox : public TQnCustomComboBox {
public:
    explicit TQnColorComboBox(TWinControl* parent);

    TDropDownStyle DropDownStyle() const { return dropDownStyle_; }
    void SetDropDownStyle(TDropDownStyle value);
    TColor ColorValue() const { return colorValue_; }
    void SetColorValue(TColor value);
    // The swatch's width at 96 dpi.
    int ColorWidth() const { return colorWidth_; }
    void SetColorWidth(int value);

    // The value as upper-case hexadecimal, zeros put in front one at a
    // time, then "$": every step is a text change of its own.
    void ColorToHexText(TColor value);
    // Paints one list item: swatch from the draw style's offset, text after it.
    void DrawColorItem(TItemPaint& item);

    // Whether leaving would accept the text as it stands (a list item, or a
    // number that is a colour), asked without leaving and without changing
    // the text: a form's button can be pressed by a key while the focus is
    // still here. The same rule as leaving's, read-only or not.
    bool TextAccepted() const;
    // What leaving with a refused text does: the focus stays (or comes)
    // here and the balloon tells why.
    void ShowTextError();

    void FontChanged() override;
    using TQnCustomChoiceEdit::SetDrawStyle;

protected:
    void ValidateText() override;
    std::string GetErrorHint() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Resize() override;
    void ScaleChanged() override;

private:
    // The colour rule of leaving: a list item (the text equal to it, case
    // ignored), else a number that is a colour.
    ColorTextCheck CheckText() const;
    void PaintSwatch(int index);
    void UpdateDropDownWidth();

    TDropDownStyle dropDownStyle_ = TDropDownStyle::clsDropDown;
    TColor colorValue_ = 0;
    int colorWidth_ = 20;
};

} // namespace quillon
