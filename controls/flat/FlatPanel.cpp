#include "controls/flat/FlatPanel.h"

namespace quillon {

TFlatPanel::TFlatPanel(TWinControl* parent) : TCustomControl(parent)
{
    SetParentFont(true);
    SetParentColor(true);
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetBounds(0, 0, 185, 41);
}

void TFlatPanel::SetTransparent(bool value)
{
    transparent_ = value;
    Invalidate();
}

void TFlatPanel::SetFrameColor(int index, TColor color)
{
    if (index < 0 || index > 1)
        return;
    colors_[index] = color;
    Invalidate();
}

void TFlatPanel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TFlatPanel::Paint(TCanvas& canvas)
{
    const RECT client = ClientRect();
    UINT format = DT_SINGLELINE | DT_VCENTER;
    format |= alignment_ == TAlignment::taLeftJustify ? DT_LEFT
            : alignment_ == TAlignment::taRightJustify ? DT_RIGHT
                                                       : DT_CENTER;
    buffer_.Paint(canvas, client, [&](TCanvas& c) {
        if (transparent_)
            PaintParentBackground(*this, c);
        else
            c.FillRect(client, Color());
        DrawBevelFrame(c, client, colors_[0], colors_[1], 1);
        c.SetFont(ScaledFont());
        if (!Enabled()) {
            RECT echo = client;
            OffsetRect(&echo, 1, 1);
            c.DrawText(Caption(), echo, format, clBtnHighlight);
            c.DrawText(Caption(), client, format, clBtnShadow);
        } else {
            c.DrawText(Caption(), client, format, Font().color);
        }
    });
}

} // namespace quillon
