#include "framework/Bevel.h"

namespace quillon {

namespace {

// The one-pixel outline of `r`: `first` along the left and top edges,
// `second` along the right and bottom ones, both of their corners included
// (as the flat controls' frames).
void BevelRect(TCanvas& canvas, RECT r, TColor first, TColor second)
{
    const POINT topLeft[] = {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right - 1, r.top}};
    const POINT bottomRight[] = {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left - 1, r.bottom - 1}};
    canvas.Polyline(topLeft, 3, first);
    canvas.Polyline(bottomRight, 3, second);
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2, TColor color)
{
    const POINT points[] = {{x1, y1}, {x2, y2}};
    canvas.Polyline(points, 2, color);
}

} // namespace

TBevel::TBevel(TWinControl* parent) : TGraphicControl(parent)
{
    SetBounds(Left(), Top(), 50, 50);
}

void TBevel::Paint(TCanvas& canvas)
{
    const int w = Width(), h = Height();
    const bool lowered = style_ == TBevelStyle::bsLowered;
    const TColor dark = lowered ? clBtnShadow : clBtnHighlight;
    const TColor light = lowered ? clBtnHighlight : clBtnShadow;
    switch (shape_) {
    case TBevelShape::bsBox:
        BevelRect(canvas, RECT{0, 0, w, h}, dark, light);
        break;
    case TBevelShape::bsFrame:
        // Two rings one pixel apart: the light one below and right of the dark one.
        BevelRect(canvas, RECT{1, 1, w, h}, light, light);
        BevelRect(canvas, RECT{0, 0, w - 1, h - 1}, dark, dark);
        break;
    case TBevelShape::bsTopLine:
        Line(canvas, 0, 0, w, 0, dark);
        Line(canvas, 0, 1, w, 1, light);
        break;
    case TBevelShape::bsBottomLine:
        Line(canvas, 0, h - 2, w, h - 2, dark);
        Line(canvas, 0, h - 1, w, h - 1, light);
        break;
    case TBevelShape::bsLeftLine:
        Line(canvas, 0, 0, 0, h, dark);
        Line(canvas, 1, 0, 1, h, light);
        break;
    case TBevelShape::bsRightLine:
        Line(canvas, w - 2, 0, w - 2, h, dark);
        Line(canvas, w - 1, 0, w - 1, h, light);
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}

void TBevel::SetShape(TBevelShape value)
{
    if (value == shape_)
        return;
    shape_ = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    Invalidate();
}

} // namespace quillon
