#pragma once
// Display scale arithmetic without the platform: every pixel number of a
// layout is its value at 96 pixels per inch, shown at another ppi as
// v * ppi / 96 rounded to the nearest integer, halves away from zero (as the
// platform's MulDiv rounds), always from the 96-dpi value.
#include <cstdint>
#include <climits>

namespace quillon {

inline constexpr int DesignPpi = 96;

// number * numerator / denominator rounded to nearest, halves away from zero,
// computed in 64 bits; -1 for a zero denominator or a result beyond 32 bits.
// Mirrors the platform's MulDiv.
constexpr int32_t MulDivRound(int32_t number, int32_t numerator, int32_t denominator)
{
    if (denominator == 0)
        return -1;
    int64_t a = number;
    int64_t d = denominator;
    if (d < 0) {
        a = -a;
        d = -d;
    }
    const int64_t product = a * numerator;
    const bool positive = (a < 0) == (numerator < 0);
    const int64_t result = positive ? (product + d / 2) / d : (product - d / 2) / d;
    if (result > INT32_MAX || result < -INT32_MAX)
        return -1;
    return static_cast<int32_t>(result);
}

// A 96-dpi value at `ppi`, and back.
constexpr int ScaleFromDesign(int value, int ppi)
{
    return ppi == DesignPpi ? value : MulDivRound(value, ppi, DesignPpi);
}
constexpr int ScaleToDesign(int value, int ppi)
{
    return ppi == DesignPpi || ppi <= 0 ? value : MulDivRound(value, DesignPpi, ppi);
}

// Pixel-art glyphs are drawn at a whole multiple of their size, never
// smeared: 1 up to 191 ppi, 2 from 192.
constexpr int PixelArtMultiple(int ppi)
{
    return ppi >= 2 * DesignPpi ? ppi / DesignPpi : 1;
}

} // namespace quillon
