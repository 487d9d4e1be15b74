#include "controls/flat/HslUtils.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

constexpr double ChannelScale = 255.0;

int32_t ChannelInt(int32_t rgb, int shift)
{
    return static_cast<int32_t>((static_cast<uint32_t>(rgb) >> shift) & 0xFFu);
}

// Ties go to the even neighbour (the default rounding mode, which nothing in
// the program changes).
double RoundHalfEven(double x)
{
    return std::nearbyint(x);
}

// Odd inputs (lightness above 1, say) can push a channel beyond 0..255, and a
// double outside the int range must never be converted, so clamp first. NaN
// becomes 0.
int32_t ChannelByte(double fraction)
{
    const double v = fraction * ChannelScale;
    if (!(v > 0.0))
        return 0;
    if (v >= ChannelScale)
        return 255;
    return static_cast<int32_t>(RoundHalfEven(v));
}

// Lightness as a double so AdjustLightnessRgb can pass its 64-bit sum unnarrowed.
int32_t ScaledLightnessToColor(int32_t h, int32_t s, double l)
{
    return HslToColor(h / static_cast<double>(HslScale - 1), s / static_cast<double>(HslScale),
                      l / static_cast<double>(HslScale));
}

} // namespace

Hsl ColorToHsl(int32_t rgb)
{
    // Every decision is taken on the integer channels: a computed double may
    // sit in a wider register on one build and in memory on another, so `==`
    // between computed values is not the same test everywhere.
    const int32_t ri = ChannelInt(rgb, 0);
    const int32_t gi = ChannelInt(rgb, 8);
    const int32_t bi = ChannelInt(rgb, 16);
    const int32_t maxi = std::max({ri, gi, bi});
    const int32_t mini = std::min({ri, gi, bi});
    const double r = ri / ChannelScale;
    const double g = gi / ChannelScale;
    const double b = bi / ChannelScale;
    const double cmax = maxi / ChannelScale;
    const double cmin = mini / ChannelScale;

    Hsl hsl{0.0, 0.0, (cmax + cmin) / 2};
    if (maxi == mini)
        return hsl;

    const double d = cmax - cmin;
    hsl.s = maxi + mini < 255 ? d / (cmax + cmin) : d / (2 - cmax - cmin);
    // Red wins a tie for the maximum, then green.
    double h;
    if (ri == maxi)
        h = (g - b) / d;
    else if (gi == maxi)
        h = 2 + (b - r) / d;
    else
        h = 4 + (r - g) / d;
    h /= 6;
    if (ri == maxi && gi < bi)
        h += 1;
    hsl.h = h;
    return hsl;
}

HslScaled ColorToHslScaled(int32_t rgb)
{
    const Hsl hsl = ColorToHsl(rgb);
    return {static_cast<int32_t>(RoundHalfEven((HslScale - 1) * hsl.h)),
            static_cast<int32_t>(RoundHalfEven(HslScale * hsl.s)),
            static_cast<int32_t>(RoundHalfEven(HslScale * hsl.l))};
}

int32_t HslToColor(double h, double s, double l)
{
    if (s == 0) {
        const int32_t grey = ChannelByte(l);
        return grey | (grey << 8) | (grey << 16);
    }

    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    const auto channel = [m1, m2](double hue) {
        // A single wrap: hues further out are not brought back into range.
        if (hue < 0)
            hue += 1;
        else if (hue > 1)
            hue -= 1;
        double v;
        if (6 * hue < 1)
            v = m1 + (m2 - m1) * hue * 6;
        else if (2 * hue < 1)
            v = m2;
        else if (3 * hue < 2)
            v = m1 + (m2 - m1) * (2.0 / 3.0 - hue) * 6;
        else
            v = m1;
        return ChannelByte(v);
    };
    return channel(h + 1.0 / 3.0) | (channel(h) << 8) | (channel(h - 1.0 / 3.0) << 16);
}

int32_t HslScaledToColor(int32_t h, int32_t s, int32_t l)
{
    return ScaledLightnessToColor(h, s, l);
}

int32_t AdjustLightnessRgb(int32_t rgb, int percent, bool darken)
{
    const HslScaled hsl = ColorToHslScaled(rgb);
    // 64-bit so that no percent can overflow the sums.
    int64_t l = hsl.l + 10;
    if (darken)
        l = l - percent < 0 ? 0 : l - percent;
    else
        l = l + percent > 100 ? 100 : l + percent;
    return ScaledLightnessToColor(hsl.h, hsl.s, static_cast<double>(l));
}

} // namespace quillon
