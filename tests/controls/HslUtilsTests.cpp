#include "controls/flat/HslUtils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string>

using namespace quillon;

namespace quillon {

static void PrintTo(const HslScaled& hsl, std::ostream* os)
{
    *os << "(" << hsl.h << ", " << hsl.s << ", " << hsl.l << ")";
}

} // namespace quillon

namespace {

std::string Hex(int32_t color)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(color));
    return buf;
}

} // namespace

TEST(HslUtils, ColorToHslScaledKnownColours)
{
    struct Case {
        int32_t rgb;
        HslScaled hsl;
    };
    const Case cases[] = {
        {0x00FFFFFF, {0, 0, 240}},
        {0x00000000, {0, 0, 0}},
        {0x000000FF, {0, 240, 120}},
        {0x0000FF00, {80, 240, 120}},
        {0x00FF0000, {159, 240, 120}},
        {0x00E1EAEB, {36, 48, 216}}, // the flat buttons' default face
        {0x008396A0, {26, 32, 137}},
        {0x00808080, {0, 0, 120}},
        // Red is the maximum but blue beats green: the hue goes negative and
        // wraps to the top of the circle.
        {0x008000FF, {219, 240, 120}},
        // Lightness below one half takes the other saturation formula.
        {0x00402010, {146, 144, 38}},
        // Only the low three bytes are a colour.
        {static_cast<int32_t>(0x7F0000FF), {0, 240, 120}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToHslScaled(c.rgb), c.hsl) << Hex(c.rgb);
}

TEST(HslUtils, ScaledValuesRoundHalfToEven)
{
    // 0x000FEF: hue 239 * 15 / (6 * 239) = 2.5 -> 2; 0x0F0FB1: saturation
    // 240 * 162 / 192 = 202.5 -> 202. Rounding half up would give 3 and 203.
    EXPECT_EQ(ColorToHslScaled(0x00000FEF), (HslScaled{2, 240, 112}));
    EXPECT_EQ(ColorToHslScaled(0x000F0FB1), (HslScaled{0, 202, 90}));

    // Grey lightness l gives l * 255 / 240 = 17 l / 16: 8.5, 25.5, 42.5.
    struct Case {
        int32_t l;
        int32_t grey;
    };
    const Case cases[] = {{8, 8}, {24, 26}, {40, 42}, {120, 128}};
    for (const Case& c : cases)
        EXPECT_EQ(HslScaledToColor(0, 0, c.l), c.grey * 0x010101) << "lightness " << c.l;
}

TEST(HslUtils, ColorToHslFractions)
{
    struct Case {
        int32_t rgb;
        Hsl hsl;
    };
    const Case cases[] = {
        {0x00FFFFFF, {0.0, 0.0, 1.0}},
        {0x00000000, {0.0, 0.0, 0.0}},
        {0x00808080, {0.0, 0.0, 128.0 / 255.0}},
        {0x000000FF, {0.0, 1.0, 0.5}},
        {0x0000FF00, {1.0 / 3.0, 1.0, 0.5}},
        {0x00FF0000, {2.0 / 3.0, 1.0, 0.5}},
        {0x00FF00FF, {5.0 / 6.0, 1.0, 0.5}},
        {0x0000FFFF, {1.0 / 6.0, 1.0, 0.5}},
        {0x00FFFF00, {0.5, 1.0, 0.5}},
        {0x00000080, {0.0, 1.0, 64.0 / 255.0}},
        {0x008080FF, {0.0, 1.0, 383.0 / 510.0}},
    };
    for (const Case& c : cases) {
        const Hsl hsl = ColorToHsl(c.rgb);
        EXPECT_DOUBLE_EQ(hsl.h, c.hsl.h) << Hex(c.rgb);
        EXPECT_DOUBLE_EQ(hsl.s, c.hsl.s) << Hex(c.rgb);
        EXPECT_DOUBLE_EQ(hsl.l, c.hsl.l) << Hex(c.rgb);
    }
}

TEST(HslUtils, FractionsStayInRangeAndConvertBack)
{
    // Every 5th level of each channel (0, 5, ..., 255): the fractions lose
    // nothing, only the integer scale does.
    for (int r = 0; r < 256; r += 5) {
        for (int g = 0; g < 256; g += 5) {
            for (int b = 0; b < 256; b += 5) {
                const int32_t rgb = r | (g << 8) | (b << 16);
                const Hsl hsl = ColorToHsl(rgb);
                ASSERT_TRUE(hsl.h >= 0.0 && hsl.h < 1.0) << Hex(rgb);
                ASSERT_TRUE(hsl.s >= 0.0 && hsl.s <= 1.0) << Hex(rgb);
                ASSERT_TRUE(hsl.l >= 0.0 && hsl.l <= 1.0) << Hex(rgb);
                ASSERT_EQ(HslToColor(hsl.h, hsl.s, hsl.l), rgb) << Hex(rgb);

                const HslScaled scaled = ColorToHslScaled(rgb);
                ASSERT_TRUE(scaled.h >= 0 && scaled.h <= HslScale - 1) << Hex(rgb);
                ASSERT_TRUE(scaled.s >= 0 && scaled.s <= HslScale) << Hex(rgb);
                ASSERT_TRUE(scaled.l >= 0 && scaled.l <= HslScale) << Hex(rgb);
            }
        }
    }
}

TEST(HslUtils, ScaledRoundTripIsNotAlwaysExact)
{
    struct Case {
        int32_t rgb;
        int32_t back;
    };
    const Case cases[] = {
        {0x0000FF00, 0x0002FF00},
        {0x00FF0000, 0x00FF0200},
        {0x00E1EAEB, 0x00E0EAEB},
        {0x000000FF, 0x000000FF},
        {0x00FFFFFF, 0x00FFFFFF},
        {0x008396A0, 0x008396A0},
        {0x00808080, 0x00808080},
    };
    for (const Case& c : cases) {
        const HslScaled hsl = ColorToHslScaled(c.rgb);
        EXPECT_EQ(Hex(HslScaledToColor(hsl.h, hsl.s, hsl.l)), Hex(c.back)) << Hex(c.rgb);
    }
}

TEST(HslUtils, HslToColorSectorsAndWrapping)
{
    struct Case {
        double h, s, l;
        int32_t rgb;
        const char* why;
    };
    const Case cases[] = {
        {0.0, 1.0, 0.5, 0x000000FF, "red"},
        {1.0 / 6.0, 1.0, 0.5, 0x0000FFFF, "yellow"},
        {0.1, 1.0, 0.5, 0x000099FF, "rising edge of green"},
        {0.6, 1.0, 0.5, 0x00FF6600, "falling edge of green"},
        {0.0, 0.5, 0.25, 0x00202060, "dark: M2 = L (1 + S)"},
        {0.0, 0.5, 0.75, 0x009F9FDF, "light: M2 = L + S - L S"},
        {1.0, 1.0, 0.5, 0x000000FF, "hue 1 is hue 0"},
        {-0.6, 1.0, 0.5, 0x0066FF00, "one wrap up"},
        {1.6, 1.0, 0.5, 0x00FF6600, "one wrap down"},
        // A hue is wrapped only once: green at 2.2 stays 1.2 and takes M1,
        // where 0.2 would have taken M2.
        {2.2, 1.0, 0.5, 0x00000000, "no second wrap down"},
        {-1.2, 1.0, 0.5, 0x000000CC, "no second wrap up"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(HslToColor(c.h, c.s, c.l)), Hex(c.rgb)) << c.why;
}

TEST(HslUtils, ZeroSaturationIsGreyForAnyHue)
{
    for (double h : {0.0, 0.2, 1.0 / 3.0, 0.5, 0.99, 1.0, -0.7, 3.5}) {
        EXPECT_EQ(HslToColor(h, 0.0, 0.5), 0x00808080) << h;
        EXPECT_EQ(HslToColor(h, 0.0, 1.0), 0x00FFFFFF) << h;
        EXPECT_EQ(HslToColor(h, 0.0, 0.0), 0x00000000) << h;
        EXPECT_EQ(HslToColor(h, 0.0, 0.2), 0x00333333) << h;
    }
    for (int32_t h : {0, 80, 160, 239, 1000, -5})
        EXPECT_EQ(HslScaledToColor(h, 0, 60), 0x00404040) << h;
}

TEST(HslUtils, OutOfRangeInputsClampEachChannel)
{
    constexpr int32_t Max = std::numeric_limits<int32_t>::max();
    constexpr int32_t Min = std::numeric_limits<int32_t>::min();
    constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int32_t h, s, l;
        int32_t rgb;
    };
    const Case cases[] = {
        {0, 0, 480, 0x00FFFFFF},  {0, 0, -240, 0x00000000},  {0, 240, 480, 0x00FFFFFF},
        {0, 240, -240, 0x00000000}, {0, 0, Max, 0x00FFFFFF},  {0, 0, Min, 0x00000000},
        {Max, Max, Max, 0x00FFFFFF}, {Min, Min, Min, 0x00000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(HslScaledToColor(c.h, c.s, c.l)), Hex(c.rgb)) << c.h << ", " << c.s << ", " << c.l;

    // A channel of NaN counts as 0.
    EXPECT_EQ(HslToColor(0.0, 1.0, Nan), 0);
    EXPECT_EQ(HslToColor(0.0, 0.0, Nan), 0);
}

TEST(HslUtils, AdjustLightness)
{
    constexpr bool Lighten = false;
    constexpr bool Darken = true;
    struct Case {
        int32_t rgb;
        int percent;
        bool darken;
        int32_t result;
        const char* why;
    };
    const Case cases[] = {
        {0x00E1EAEB, 10, Lighten, 0x00557B80, "216 + 10 + 10 is capped at 100: lighter turns darker"},
        {0x00E1EAEB, 10, Darken, 0x00E0EAEB, "the +10 cancels a darkening by 10"},
        {0x00E1EAEB, 50, Darken, 0x00ADC6C9, "216 + 10 - 50 = 176"},
        {0x00404040, 10, Lighten, 0x00555555, "60 + 10 + 10 = 80"},
        {0x00404040, 10, Darken, 0x00404040, "60 + 10 - 10 = 60"},
        {0x00000000, 90, Lighten, 0x006A6A6A, "exactly 100 is kept"},
        {0x00000000, 91, Lighten, 0x006A6A6A, "101 is capped at 100"},
        {0x00FFFFFF, 1, Lighten, 0x006A6A6A, "white lightened is grey"},
        {0x00000000, 10, Darken, 0x00000000, "exactly 0 is kept"},
        {0x00000000, 11, Darken, 0x00000000, "-1 is floored at 0"},
        {0x00404040, 100, Darken, 0x00000000, "70 - 100 is floored at 0"},
        {0x00000040, 21, Lighten, 0x00000082, "hue and saturation stay: 30 + 10 + 21 = 61"},
        {0x000000FF, 20, Darken, 0x000000EA, "120 + 10 - 20 = 110"},
        {static_cast<int32_t>(0xFF404040), 10, Lighten, 0x00555555, "only the low three bytes are read"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(AdjustLightnessRgb(c.rgb, c.percent, c.darken)), Hex(c.result)) << Hex(c.rgb) << ": " << c.why;
}

TEST(HslUtils, AdjustLightnessDoesNotOverflowWithExtremePercents)
{
    constexpr int Max = std::numeric_limits<int>::max();
    constexpr int Min = std::numeric_limits<int>::min();
    EXPECT_EQ(AdjustLightnessRgb(0x00404040, Max, false), 0x006A6A6A);
    EXPECT_EQ(AdjustLightnessRgb(0x00404040, Max, true), 0x00000000);
    EXPECT_EQ(AdjustLightnessRgb(0x00404040, Min, true), 0x00FFFFFF);
    EXPECT_EQ(AdjustLightnessRgb(0x00404040, Min, false), 0x00000000);
}
