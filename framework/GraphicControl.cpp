#include "framework/GraphicControl.h"

namespace quillon {

void TGraphicControl::Invalidate()
{
    if (Visible())
        InvalidateArea();
}

void TGraphicControl::InvalidateArea()
{
    if (Parent() && Parent()->HandleAllocated()) {
        const RECT r = BoundsRect();
        InvalidateRect(Parent()->Handle(), &r, TRUE);
    }
}

void TGraphicControl::Update()
{
    if (Parent())
        Parent()->Update();
}

} // namespace quillon
