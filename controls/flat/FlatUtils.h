#pragma once
// Types and drawing routines shared by the flat controls.
#include "controls/flat/GlyphLayout.h"
#include "controls/flat/HslUtils.h"
#include "framework/Controls.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quillon {

using TNumGlyphs = uint8_t; // 1..4 cells side by side in a glyph bitmap
using TAdvColors = uint8_t; // 0..100 lightness points
enum class TTransparentMode : uint8_t { tmAlways, tmNotFocused, tmNone };

// Lightens or darkens `color` (system colours resolved) by `percent` points;
// percent 0 gives `fallback` unchanged.
TColor AdjustLightness(TColor color, TColor fallback, TAdvColors percent, bool darken);

// One-pixel rings: top and left in `top`, right and bottom in `bottom`.
void DrawBevelFrame(TCanvas& canvas, RECT rect, TColor top, TColor bottom, int width);

// What the parent shows under the control, painted into `canvas` (whose
// origin is the control's top-left corner).
void PaintParentBackground(TControl& control, TCanvas& canvas);

// The disabled look of a glyph: key-coloured strokes in `shadow` with an
// echo in `highlight` one pixel down and right, on `back`.
std::unique_ptr<TBitmap> MakeEmbossedGlyph(const TBitmap& source, TColor key, TColor back,
                                           TColor highlight, TColor shadow, bool drawHighlight);

struct TGlyphAndCaption {
    RECT textRect;
    POINT glyphPos;
};

// Places glyph and caption in `client`; the canvas carries the caption font.
TGlyphAndCaption LayoutGlyphAndCaption(TCanvas& canvas, RECT client, POINT offset, TButtonLayout layout,
                                       int32_t spacing, int32_t margin, const TBitmap* glyph, int cells,
                                       const std::string& caption);

} // namespace quillon
