#include "controls/label/GradientMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace quillon;

namespace {

constexpr int32_t Rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

constexpr int32_t Red = Rgb(255, 0, 0);
constexpr int32_t Blue = Rgb(0, 0, 255);

// The about dialog's banner colours.
constexpr int32_t AboutStart = 13612943; // RGB (143, 183, 207)
constexpr int32_t AboutEnd = 10053171;   // RGB (51, 102, 153)

// The table formula with the exact product taken in 80-bit arithmetic.
static_assert(std::numeric_limits<long double>::digits >= 64, "the reference needs an exact i * step");

int32_t ReferenceEntry(int32_t first, int32_t last, int n, int i)
{
    int32_t color = 0;
    for (int shift : {0, 8, 16}) {
        const int f = (first >> shift) & 0xFF;
        const double step = (((last >> shift) & 0xFF) - f) / static_cast<double>(n - 1);
        color |= (f + static_cast<int>(std::nearbyint(static_cast<long double>(i) * step))) << shift;
    }
    return color;
}

// edge(i) for non-negative operands: nearest, halves up.
int32_t ReferenceEdge(int i, int extent, int n)
{
    return static_cast<int32_t>((2LL * i * extent + n) / (2LL * n));
}

// The algorithm as it is written: full-length bands, dither draws per line
// of the 16-line strip, then the strip copied block by block.
std::vector<int32_t> ReferenceImage(int w, int h, int32_t start, int32_t end, int n, TGradientStyle style,
                                    bool dithered)
{
    TRandomGenerator rng;
    const bool reversed = style == TGradientStyle::gsRight || style == TGradientStyle::gsBottom;
    const bool vertical = style == TGradientStyle::gsTop || style == TGradientStyle::gsBottom;
    const int32_t first = reversed ? end : start;
    const int32_t last = reversed ? start : end;
    std::vector<int32_t> image(static_cast<size_t>(w) * h, 0);
    auto put = [&](int x, int y, int32_t c) {
        if (x >= 0 && x < w && y >= 0 && y < h)
            image[static_cast<size_t>(y) * w + x] = c;
    };
    const int along = vertical ? h : w;
    for (int i = 0; i < n; ++i) {
        const int32_t color = ReferenceEntry(first, last, n, i);
        for (int a = ReferenceEdge(i, along, n); a < ReferenceEdge(i + 1, along, n); ++a)
            for (int c = 0; c < (vertical ? w : h); ++c)
                vertical ? put(c, a, color) : put(a, c, color);
        if (!dithered || i == 0)
            continue;
        const int32_t previous = ReferenceEntry(first, last, n, i - 1);
        for (int c = 0; c <= 15; ++c)
            for (uint32_t k = 0; k <= static_cast<uint32_t>(along / (n - 1)); ++k) {
                const int a = ReferenceEdge(i, along, n) + static_cast<int>(rng.Next(k));
                vertical ? put(c, a, previous) : put(a, c, previous);
            }
    }
    for (int j = 1; j <= (vertical ? w : h) / 16; ++j)
        for (int c = 0; c < 16; ++c)
            for (int a = 0; a < along; ++a)
                vertical ? put(16 * j + c, a, image[static_cast<size_t>(a) * w + c])
                         : put(a, 16 * j + c, image[static_cast<size_t>(c) * w + a]);
    return image;
}

GradientImage Render(int w, int h, int32_t start, int32_t end, int n, TGradientStyle style, bool dithered)
{
    TRandomGenerator rng;
    return RenderGradient(w, h, start, end, n, style, dithered, rng);
}

} // namespace

TEST(GradientMath, GeneratorFollowsTheCongruence)
{
    // States 1, 0x08088406, 0xDC6DAC1F, 0x33DC589C; a draw is (k * state) >> 32.
    TRandomGenerator rng;
    EXPECT_EQ(rng.Next(0), 0u);
    EXPECT_EQ(rng.State(), 1u);
    EXPECT_EQ(rng.Next(100), 3u);
    EXPECT_EQ(rng.Next(1000), 861u);
    EXPECT_EQ(rng.Next(0xFFFFFFFFu), 870078619u);
    EXPECT_EQ(rng.State(), 0x33DC589Cu);

    // Draws stay below k, and k = 0 still advances the state.
    TRandomGenerator a, b;
    for (uint32_t k = 0; k < 2000; ++k) {
        const uint32_t r = a.Next(k);
        EXPECT_TRUE(k == 0 ? r == 0 : r < k) << k;
    }
    for (int i = 0; i < 2000; ++i)
        b.Next(0);
    EXPECT_EQ(a.State(), b.State());

    EXPECT_EQ(&GradientRandom(), &GradientRandom());
}

TEST(GradientMath, MulDivRoundsHalvesAwayFromZero)
{
    struct Case {
        int32_t a, b, c, expected;
    };
    constexpr int32_t Max = std::numeric_limits<int32_t>::max();
    constexpr int32_t Min = std::numeric_limits<int32_t>::min();
    const Case cases[] = {
        {1, 358, 255, 1}, {2, 358, 255, 3}, {1, 1, 2, 1},   {3, 1, 2, 2},           {-1, 1, 2, -1},
        {1, -3, 2, -2},   {-3, -1, 2, 2},   {5, 1, -2, -3}, {-5, 1, -2, 3},         {8, 1, 3, 3},
        {-8, 1, 3, -3},   {0, -5, 2, 0},    {1, 1, 0, -1},  {Max, 2, 1, -1},        {Max, Max, Max, Max},
        {Min, 1, 1, -1},  {Max, 1, -1, -Max}, {Min, 1, 2, -1073741824},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
#ifdef _WIN32
        EXPECT_EQ(MulDivRound(c.a, c.b, c.c), MulDiv(c.a, c.b, c.c)) << c.a << " * " << c.b << " / " << c.c;
#endif
    }
}

TEST(GradientMath, BandEdgesOfTheAboutStrip)
{
    const int32_t expected[] = {0, 1, 3, 4, 6, 7, 8, 10};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(GradientBandEdge(i, 358, 255), expected[i]) << i;
    EXPECT_EQ(GradientBandEdge(254, 358, 255), 357);
    EXPECT_EQ(GradientBandEdge(255, 358, 255), 358);
    EXPECT_EQ(GradientBandEdge(1, 100, 2), 50);
}

TEST(GradientMath, TableRoundsTheExactProductToEven)
{
    struct Case {
        const char* name;
        int32_t first, last;
        int n, i;
        int32_t expected;
    };
    const Case cases[] = {
        {"2.5 goes to 2", Rgb(0, 0, 0), Rgb(5, 0, 0), 3, 1, Rgb(2, 0, 0)},
        {"1.5 goes to 2", Rgb(0, 0, 0), Rgb(0, 3, 0), 3, 1, Rgb(0, 2, 0)},
        {"-2.5 goes to -2", Rgb(0, 0, 5), Rgb(0, 0, 0), 3, 1, Rgb(0, 0, 3)},
        // 3 * (5 / 6 as a double) is a hair above 2.5; rounding the product
        // to a double first would make it a tie and give 2.
        {"exact product above the tie", Rgb(0, 0, 0), Rgb(5, 0, 0), 7, 3, Rgb(3, 0, 0)},
        // 3 * (-247 / 6 as a double) is a hair above -123.5: 247 - 123.
        {"exact product above a negative tie", Rgb(0, 247, 0), Rgb(0, 0, 0), 7, 3, Rgb(0, 124, 0)},
        {"first entry", AboutStart, AboutEnd, 255, 0, AboutStart},
        {"last entry", AboutStart, AboutEnd, 255, 254, AboutEnd},
        {"equal colours", Rgb(10, 20, 30), Rgb(10, 20, 30), 16, 7, Rgb(10, 20, 30)},
        {"high byte ignored", static_cast<int32_t>(0x80FFFFFFu), 0x01000000, 2, 0, Rgb(255, 255, 255)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GradientTable(c.first, c.last, c.n)[static_cast<size_t>(c.i)], c.expected) << c.name;

    const std::vector<int32_t> about = GradientTable(AboutStart, AboutEnd, 255);
    ASSERT_EQ(about.size(), 255u);
    for (int i = 0; i < 255; ++i)
        EXPECT_EQ(about[static_cast<size_t>(i)], ReferenceEntry(AboutStart, AboutEnd, 255, i)) << i;

    // Counts outside 2..255 are clamped, never a division by zero.
    EXPECT_EQ(GradientTable(Red, Blue, 1), (std::vector<int32_t>{Red, Blue}));
    EXPECT_EQ(GradientTable(Red, Blue, 0).size(), 2u);
    EXPECT_EQ(GradientTable(Red, Blue, 300).size(), 255u);
}

TEST(GradientMath, TwoBandsOnAHundredColumns)
{
    // Band 0 is columns 0..49, band 1 is 50..99; each of the 16 strip rows
    // gets 101 draws of the first colour at 50 + r.
    const int32_t first = Rgb(200, 100, 50), last = Rgb(20, 40, 60);
    const GradientImage image = Render(100, 20, first, last, 2, TGradientStyle::gsLeft, true);
    EXPECT_EQ(image.pixels, ReferenceImage(100, 20, first, last, 2, TGradientStyle::gsLeft, true));
    int sprinkled = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) {
            const int32_t pixel = image.Pixel(x, y);
            ASSERT_TRUE(pixel == first || (x >= 50 && pixel == last)) << x << ", " << y;
            sprinkled += x >= 50 && pixel == first;
        }
    EXPECT_EQ(image.Pixel(50, 0), first); // the draws for k = 0 and 1 always land here
    EXPECT_GT(sprinkled, 20 * 10);
}

TEST(GradientMath, AboutDialogStrip)
{
    const GradientImage image = Render(358, 5, AboutStart, AboutEnd, 255, TGradientStyle::gsLeft, true);
    ASSERT_EQ(image.width, 358);
    ASSERT_EQ(image.height, 5);
    const std::vector<int32_t> table = GradientTable(AboutStart, AboutEnd, 255);
    const int firstColumns[] = {0, 0, 1, 1, 2, 3, 3, 4, 5, 6};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(image.Pixel(x, y), table[static_cast<size_t>(firstColumns[x])]) << x << ", " << y;
        EXPECT_EQ(image.Pixel(357, y), table[253]) << y;
    }
    // m = 1: both draws of a line hit the band's first column, so every
    // column shows its band's entry, or the previous one at a band start.
    for (int x = 0; x < 358; ++x) {
        int band = 0;
        while (GradientBandEdge(band + 1, 358, 255) <= x)
            ++band;
        const bool start = band > 0 && GradientBandEdge(band, 358, 255) == x;
        EXPECT_EQ(image.Pixel(x, 2), table[static_cast<size_t>(start ? band - 1 : band)]) << x;
    }
}

TEST(GradientMath, DitherDrawsRunForTheWholeStripEvenInALowImage)
{
    // 254 dithered bands x 16 lines x (m + 1 = 2) draws, although H is 5.
    TRandomGenerator rng, expected;
    RenderGradient(358, 5, AboutStart, AboutEnd, 255, TGradientStyle::gsLeft, true, rng);
    for (int i = 0; i < 254 * 16 * 2; ++i)
        expected.Next(0);
    EXPECT_EQ(rng.State(), expected.State());

    TRandomGenerator plain;
    RenderGradient(358, 5, AboutStart, AboutEnd, 255, TGradientStyle::gsLeft, false, plain);
    EXPECT_EQ(plain.State(), 0u);
}

TEST(GradientMath, StylesPutTheStartColourOnTheirSide)
{
    const GradientImage right = Render(10, 3, Red, Blue, 2, TGradientStyle::gsRight, false);
    const GradientImage bottom = Render(3, 10, Red, Blue, 2, TGradientStyle::gsBottom, false);
    const GradientImage top = Render(3, 10, Red, Blue, 2, TGradientStyle::gsTop, false);
    for (int across = 0; across < 3; ++across) {
        EXPECT_EQ(right.Pixel(0, across), Blue);
        EXPECT_EQ(right.Pixel(9, across), Red);
        EXPECT_EQ(bottom.Pixel(across, 0), Blue);
        EXPECT_EQ(bottom.Pixel(across, 9), Red);
        EXPECT_EQ(top.Pixel(across, 0), Red);
        EXPECT_EQ(top.Pixel(across, 4), Red);
        EXPECT_EQ(top.Pixel(across, 5), Blue);
    }
}

TEST(GradientMath, ImagesMatchTheAlgorithmAsWritten)
{
    struct Case {
        const char* name;
        int w, h;
        int32_t start, end;
        int n;
        TGradientStyle style;
        bool dithered;
    };
    const Case cases[] = {
        {"default label", 120, 40, Rgb(192, 192, 192), Rgb(128, 128, 128), 16, TGradientStyle::gsLeft, true},
        {"right, tall", 75, 70, Red, Blue, 7, TGradientStyle::gsRight, true},
        {"top", 40, 90, Red, Blue, 5, TGradientStyle::gsTop, true},
        {"bottom, narrow", 9, 90, AboutStart, AboutEnd, 12, TGradientStyle::gsBottom, true},
        {"width below the band count", 5, 20, Red, Blue, 16, TGradientStyle::gsLeft, true},
        {"height 5", 64, 5, Red, Blue, 4, TGradientStyle::gsLeft, true},
        {"not dithered", 64, 33, Red, Blue, 4, TGradientStyle::gsTop, false},
        {"one pixel", 1, 1, Red, Blue, 255, TGradientStyle::gsBottom, true},
    };
    for (const Case& c : cases) {
        const GradientImage image = Render(c.w, c.h, c.start, c.end, c.n, c.style, c.dithered);
        EXPECT_EQ(image.pixels, ReferenceImage(c.w, c.h, c.start, c.end, c.n, c.style, c.dithered)) << c.name;
    }
}

TEST(GradientMath, DegenerateImages)
{
    // Equal colours: uniform whatever the dither does.
    const GradientImage uniform = Render(50, 20, Rgb(1, 2, 3), Rgb(1, 2, 3), 9, TGradientStyle::gsLeft, true);
    EXPECT_EQ(uniform.pixels, std::vector<int32_t>(50 * 20, Rgb(1, 2, 3)));

    // Fewer columns than bands: empty bands draw nothing; edges 0, 0, 1, 1, 1,
    // 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 5, 5 leave bands 1, 4, 7, 11 and 14.
    const GradientImage thin = Render(5, 1, Rgb(0, 0, 0), Rgb(150, 0, 0), 16, TGradientStyle::gsLeft, false);
    const int32_t columns[] = {Rgb(10, 0, 0), Rgb(40, 0, 0), Rgb(70, 0, 0), Rgb(110, 0, 0), Rgb(140, 0, 0)};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(thin.Pixel(x, 0), columns[x]) << x;

    for (auto [w, h] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-5, 10}, std::pair{10, -1}}) {
        const GradientImage empty = Render(w, h, Red, Blue, 16, TGradientStyle::gsLeft, true);
        EXPECT_TRUE(empty.pixels.empty()) << w << " x " << h;
        EXPECT_GE(empty.width, 0);
        EXPECT_GE(empty.height, 0);
    }
}
