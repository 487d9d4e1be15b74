#include "controls/flat/FlatSpeedButton.h"

namespace quillon {

void TFlatSpeedButton::Paint(TCanvas& canvas)
{
    canvas.SetFont(Font());
    PaintFace(canvas);
}

void TFlatSpeedButton::PaintBackground(TCanvas& canvas, TColor face)
{
    // Where nothing is painted the parent's own background shows.
    if (TransparentMode() == TTransparentMode::tmNone ||
        (TransparentMode() == TTransparentMode::tmNotFocused && IsHot()))
        canvas.FillRect(ClientRect(), face);
}

bool TFlatSpeedButton::DialogChar(wchar_t ch)
{
    if (!IsAccel(ch, Caption()) || !Enabled())
        return TFlatButtonCommon<TGraphicControl>::DialogChar(ch);
    Click();
    return true;
}

} // namespace quillon
