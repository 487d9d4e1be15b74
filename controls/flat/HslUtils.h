#pragma once
// RGB <-> HSL for the flat controls, as fractions and on the 0..240 integer
// scale. Colours here are plain RGB values 0x00BBGGRR; the high byte is
// ignored. System colours must be resolved by the caller.
#include <cstdint>

namespace quillon {

// Saturation and lightness run 0..HslScale, hue 0..HslScale - 1.
constexpr int32_t HslScale = 240;

struct Hsl {
    double h, s, l; // h in [0, 1), s and l in [0, 1]
};

struct HslScaled {
    int32_t h, s, l;

    bool operator==(const HslScaled&) const = default;
};

Hsl ColorToHsl(int32_t rgb);
HslScaled ColorToHslScaled(int32_t rgb);

// Values outside the usual ranges are accepted; a channel that comes out
// beyond 0..255 is clamped.
int32_t HslToColor(double h, double s, double l);
int32_t HslScaledToColor(int32_t h, int32_t s, int32_t l);

// The advanced-colour rule for a plain colour and a non-zero percent (the
// caller returns its fallback for 0): lightness + 10, then +percent capped at
// 100 or -percent floored at 0. The cap of 100 is deliberate: lightening a
// light colour makes it darker.
int32_t AdjustLightnessRgb(int32_t rgb, int percent, bool darken);

} // namespace quillon
