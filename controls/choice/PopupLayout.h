#pragma once
// The error balloon's arithmetic: its size around icon and text, its place
// on the desktop with the tail variant that follows, and where its text
// starts. No window is touched here.
#include "base/Scale.h"

#include <cstdint>

namespace quillon {

enum class TPopupShape : uint8_t { psRectangle = 0, psRoundRect = 1, psBalloon = 2 };

// Message kinds: plain text, with the error icon, with a caller's icon.
enum class TMessageKind : uint8_t { mkPlain = 0, mkError = 1, mkCustom = 2 };

struct PopupMargins {
    int32_t left = 3, top = 2, right = 3, bottom = 2;
};

inline constexpr int32_t PopupCornerSize = 7;
inline constexpr int32_t PopupTailHeight = 8;
inline constexpr int32_t PopupIconSpacing = 6;

struct PopupSize {
    int32_t width, height;

    bool operator==(const PopupSize&) const = default;
};

// The corner and the tail at `ppi` (the margins, corner, tail and icon
// spacing above are 96-dpi values; the one-pixel border is not scaled).
inline int32_t PopupCorner(int32_t ppi)
{
    return ScaleFromDesign(PopupCornerSize, ppi);
}
inline int32_t PopupTail(int32_t ppi)
{
    return ScaleFromDesign(PopupTailHeight, ppi);
}

// The window's outer size (it has a one-pixel border) for text of the
// measured size, with an icon of iconWidth x iconHeight (0 x 0: none).
PopupSize MessageWindowSize(int32_t textWidth, int32_t textHeight, int32_t iconWidth, int32_t iconHeight,
                            const PopupMargins& margins, TPopupShape shape, int32_t ppi = DesignPpi);

struct PopupRect {
    int32_t left, top, right, bottom;
};

struct PopupPlacement {
    int32_t left, top;
    // 0: tail at the top-left; +1 moved up from the desktop's bottom (no
    // tail); +2 moved left from its right edge (tail at the top-right).
    int32_t tailVariant;

    bool operator==(const PopupPlacement&) const = default;
};

// Keeps a window of `size` whose top-left wants to be at (left, top) on the desktop.
PopupPlacement PlaceOnDesktop(int32_t left, int32_t top, PopupSize size, const PopupRect& desktop);

// The balloon's tail: present for variants 0 and 2; 2 puts it at the right.
bool BalloonHasTail(int32_t tailVariant);
bool BalloonTailRight(int32_t tailVariant);

struct PopupPoint {
    int32_t x, y;

    bool operator==(const PopupPoint&) const = default;
};

// Where the icon (or the text, without one) starts in the client area.
PopupPoint MessageTextOrigin(TPopupShape shape, int32_t tailVariant, const PopupMargins& margins,
                             int32_t ppi = DesignPpi);

} // namespace quillon
