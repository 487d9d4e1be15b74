#pragma once
// Where a flat button puts its glyph and caption, from sizes the caller has
// already measured. Pure arithmetic: no clipping, so results may lie partly
// outside the client rectangle.
#include <cstdint>

namespace quillon {

enum class TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct LayoutRect {
    int32_t left, top, right, bottom;

    bool operator==(const LayoutRect&) const = default;
};

struct LayoutPoint {
    int32_t x, y;

    bool operator==(const LayoutPoint&) const = default;
};

struct GlyphLayoutResult {
    LayoutPoint glyphPos;
    LayoutRect textRect;
};

// glyphSize is one cell of the glyph (bitmap width div cells, height), or
// (0, 0) without a glyph; textSize is the caption's single-line width and line
// height, or (0, 0) for an empty caption. A margin or spacing of -1 means
// "centre"; any other value, even below -1, is used as given.
GlyphLayoutResult ComputeGlyphLayout(LayoutRect client, LayoutPoint offset, TButtonLayout layout, int32_t spacing,
                                     int32_t margin, LayoutPoint glyphSize, LayoutPoint textSize);

} // namespace quillon
