#include "controls/flat/GlyphLayout.h"

namespace quillon {

namespace {

// Sums are taken in 64 bits and wrapped back to 32 before any division, which
// is plain 32-bit two's-complement arithmetic without the undefined overflow.
int32_t Wrap(int64_t v)
{
    return static_cast<int32_t>(v);
}

int32_t& Along(LayoutPoint& p, bool horizontal)
{
    return horizontal ? p.x : p.y;
}

int32_t& Across(LayoutPoint& p, bool horizontal)
{
    return horizontal ? p.y : p.x;
}

} // namespace

GlyphLayoutResult ComputeGlyphLayout(LayoutRect client, LayoutPoint offset, TButtonLayout layout, int32_t spacing,
                                     int32_t margin, LayoutPoint glyphSize, LayoutPoint textSize)
{
    LayoutPoint clientSize{Wrap(int64_t{client.right} - client.left), Wrap(int64_t{client.bottom} - client.top)};
    const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;

    // Centred across the main axis; the +1 puts an odd pixel before the item.
    LayoutPoint glyphPos{0, 0};
    LayoutPoint textPos{0, 0};
    Across(glyphPos, horizontal) =
        Wrap(int64_t{Across(clientSize, horizontal)} - Across(glyphSize, horizontal) + 1) / 2;
    Across(textPos, horizontal) = Wrap(int64_t{Across(clientSize, horizontal)} - Across(textSize, horizontal) + 1) / 2;

    // Widths decide for every layout, so a glyph without a caption (or the
    // reverse) never gets a gap beside it.
    if (textSize.x == 0 || glyphSize.x == 0)
        spacing = 0;

    const int64_t client64 = Along(clientSize, horizontal);
    const int32_t glyph = Along(glyphSize, horizontal);
    const int32_t text = Along(textSize, horizontal);
    if (margin == -1 && spacing == -1) {
        margin = Wrap(client64 - glyph - text) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = Wrap(client64 - glyph - spacing - text + 1) / 2;
    } else if (spacing == -1) {
        spacing = Wrap(client64 - margin - glyph - text) / 2;
    }

    int32_t& glyphAlong = Along(glyphPos, horizontal);
    int32_t& textAlong = Along(textPos, horizontal);
    switch (layout) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphTop:
        glyphAlong = margin;
        textAlong = Wrap(int64_t{glyphAlong} + glyph + spacing);
        break;
    case TButtonLayout::blGlyphRight:
    case TButtonLayout::blGlyphBottom:
        glyphAlong = Wrap(client64 - margin - glyph);
        textAlong = Wrap(int64_t{glyphAlong} - spacing - text);
        break;
    }

    const int32_t dx = Wrap(int64_t{client.left} + offset.x);
    const int32_t dy = Wrap(int64_t{client.top} + offset.y);
    const int32_t textLeft = Wrap(int64_t{textPos.x} + dx);
    const int32_t textTop = Wrap(int64_t{textPos.y} + dy);
    return {{Wrap(int64_t{glyphPos.x} + dx), Wrap(int64_t{glyphPos.y} + dy)},
            {textLeft, textTop, Wrap(int64_t{textLeft} + textSize.x), Wrap(int64_t{textTop} + textSize.y)}};
}

} // namespace quillon
