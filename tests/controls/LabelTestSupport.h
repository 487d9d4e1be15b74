#pragma once
// Shared by the gradient caption label's tests: a label that counts its
// repaint requests, off-screen rendering, glyph pictures and pixel sets.
#include "controls/label/GradientCaptionLabel.h"
#include "tests/controls/PixelRules.h"

#include <set>
#include <utility>

namespace quillon::test {

// Counts repaint requests; can pretend to run on a palette display.
class TProbeLabel : public TGradientCaptionLabel {
public:
    using TGradientCaptionLabel::TGradientCaptionLabel;

    int repaints = 0;
    bool palette = false;

    void Invalidate() override
    {
        ++repaints;
        TGradientCaptionLabel::Invalidate();
    }

protected:
    bool DisplayHasPalette() override { return palette; }
};

// The label's picture as Paint makes it, W x H.
inline void Render(TGradientCaptionLabel& label, TBitmap& out)
{
    out.SetSize(label.Width(), label.Height());
    out.Fill(clFuchsia);
    label.Paint(out.Canvas());
}

// A glyph picture: square cells side by side when the width is a multiple
// of the height (else one cell), each a `fill` square on a one-pixel
// `ground` border (so the bottom-left pixel is ground).
inline void MakeGlyph(TBitmap& out, int width, int height, TColor ground, TColor fill)
{
    out.SetSize(width, height);
    out.Fill(ground);
    const int cell = width % height == 0 ? height : width;
    for (int left = 0; left + cell <= width; left += cell)
        out.Canvas().FillRect(RECT{left + 1, 1, left + cell - 1, height - 1}, fill);
}

using TPixelSet = PixelSet;

inline RECT Bounds(const TPixelSet& set)
{
    RECT r{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    for (auto [x, y] : set) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
    }
    return r;
}

} // namespace quillon::test
