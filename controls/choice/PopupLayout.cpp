#include "controls/choice/PopupLayout.h"

#include <algorithm>

namespace quillon {

PopupSize MessageWindowSize(int32_t textWidth, int32_t textHeight, int32_t iconWidth, int32_t iconHeight,
                            const PopupMargins& margins, TPopupShape shape, int32_t ppi)
{
    auto scaled = [ppi](int32_t v) { return ScaleFromDesign(v, ppi); };
    const bool icon = iconWidth > 0 && iconHeight > 0;
    PopupSize s{textWidth + scaled(margins.left + margins.right) + (icon ? iconWidth + scaled(PopupIconSpacing) : 0),
                std::max(textHeight, icon ? iconHeight : 0) + scaled(margins.top + margins.bottom)};
    switch (shape) {
    case TPopupShape::psRectangle:
        s.width += 2;
        s.height += 2;
        break;
    case TPopupShape::psRoundRect:
        s.width += scaled(8);
        s.height += scaled(8);
        break;
    case TPopupShape::psBalloon:
        s.width += scaled(8);
        s.height += scaled(8) + PopupTail(ppi);
        break;
    }
    return s;
}

PopupPlacement PlaceOnDesktop(int32_t left, int32_t top, PopupSize size, const PopupRect& desktop)
{
    PopupPlacement p{left, top, 0};
    if (p.top < desktop.top)
        p.top = desktop.top;
    if (p.top + size.height > desktop.bottom) {
        p.top = desktop.bottom - size.height;
        p.tailVariant += 1;
    }
    if (p.left < desktop.left)
        p.left = desktop.left;
    if (p.left + size.width > desktop.right) {
        p.left = desktop.right - size.width;
        p.tailVariant += 2;
    }
    return p;
}

bool BalloonHasTail(int32_t tailVariant)
{
    return tailVariant == 0 || tailVariant == 2;
}

bool BalloonTailRight(int32_t tailVariant)
{
    return tailVariant == 2;
}

PopupPoint MessageTextOrigin(TPopupShape shape, int32_t tailVariant, const PopupMargins& margins, int32_t ppi)
{
    auto scaled = [ppi](int32_t v) { return ScaleFromDesign(v, ppi); };
    if (shape == TPopupShape::psRectangle)
        return {scaled(margins.left), scaled(margins.top)};
    PopupPoint p{scaled(PopupCornerSize - 3 + margins.left / 2), scaled(PopupCornerSize - 3 + margins.top / 2)};
    if (shape == TPopupShape::psBalloon && BalloonHasTail(tailVariant))
        p.y += PopupTail(ppi);
    return p;
}

} // namespace quillon
