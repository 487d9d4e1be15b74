#include "controls/flat/FlatUtils.h"

#include "framework/GdiObjects.h"

#include <vector>

namespace quillon {

TColor AdjustLightness(TColor color, TColor fallback, TAdvColors percent, bool darken)
{
    if (percent == 0)
        return fallback;
    return AdjustLightnessRgb(ColorToRGB(color), percent, darken);
}

void DrawBevelFrame(TCanvas& canvas, RECT rect, TColor top, TColor bottom, int width)
{
    const int right = rect.right - 1, lower = rect.bottom - 1;
    for (int k = 0; k < width; ++k) {
        const int l = rect.left + k, t = rect.top + k, r = right - k, b = lower - k;
        const POINT topLeft[] = {{l, b}, {l, t}, {r, t}};
        const POINT bottomRight[] = {{r, t}, {r, b}, {l - 1, b}};
        canvas.Polyline(topLeft, 3, top);
        canvas.Polyline(bottomRight, 3, bottom);
    }
}

void PaintParentBackground(TControl& control, TCanvas& canvas)
{
    TWinControl* parent = control.Parent();
    if (!parent)
        return;
    HDC dc = canvas.Handle();
    const TSavedDC state(dc);
    OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    TCanvas parentCanvas(dc);
    parent->PaintTo(parentCanvas);
}

std::unique_ptr<TBitmap> MakeEmbossedGlyph(const TBitmap& source, TColor key, TColor back,
                                           TColor highlight, TColor shadow, bool drawHighlight)
{
    const int w = source.Width(), h = source.Height();
    auto result = std::make_unique<TBitmap>(w, h);
    if (result->Empty())
        return result;
    const TColor keyRgb = ColorToRGB(key);
    std::vector<bool> mask(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask[static_cast<size_t>(y * w + x)] = source.Pixel(x, y) == keyRgb;
    result->Fill(back);
    const TColor highlightRgb = ColorToRGB(highlight), shadowRgb = ColorToRGB(shadow);
    if (drawHighlight)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (mask[static_cast<size_t>(y * w + x)])
                    result->SetPixel(x + 1, y + 1, highlightRgb); // off the edge: dropped
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask[static_cast<size_t>(y * w + x)])
                result->SetPixel(x, y, shadowRgb);
    return result;
}

TGlyphAndCaption LayoutGlyphAndCaption(TCanvas& canvas, RECT client, POINT offset, TButtonLayout layout,
                                       int32_t spacing, int32_t margin, const TBitmap* glyph, int cells,
                                       const std::string& caption)
{
    LayoutPoint glyphSize{0, 0};
    if (glyph && cells > 0)
        glyphSize = {glyph->Width() / cells, glyph->Height()};
    LayoutPoint textSize{0, 0};
    if (!caption.empty()) {
        const SIZE s = canvas.MeasureText(caption, DT_SINGLELINE);
        textSize = {s.cx, s.cy};
    }
    const GlyphLayoutResult r =
        ComputeGlyphLayout(LayoutRect{client.left, client.top, client.right, client.bottom},
                           LayoutPoint{offset.x, offset.y}, layout, spacing, margin, glyphSize, textSize);
    return TGlyphAndCaption{RECT{r.textRect.left, r.textRect.top, r.textRect.right, r.textRect.bottom},
                            POINT{r.glyphPos.x, r.glyphPos.y}};
}

} // namespace quillon
