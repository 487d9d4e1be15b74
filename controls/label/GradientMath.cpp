#include "controls/label/GradientMath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>

namespace quillon {

namespace {

constexpr uint32_t LcgMultiplier = 0x08088405u;

int32_t ClampSteps(int32_t n)
{
    return std::clamp(n, MinColorSteps, MaxColorSteps);
}

int32_t Channel(int32_t rgb, int shift)
{
    return static_cast<int32_t>((static_cast<uint32_t>(rgb) >> shift) & 0xFFu);
}

// i * step rounded to nearest, ties to even, from the exact product rather
// than the product rounded to a double first: a double's 53-bit mantissa
// times i (below 256) fits in 64 bits. i >= 0.
int32_t RoundProductHalfEven(int32_t i, double step)
{
    if (i == 0 || step == 0.0)
        return 0;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(step), &exponent); // |step| = fraction * 2^exponent
    const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    const uint64_t product = mantissa * static_cast<uint64_t>(i);
    // |i * step| = product / 2^shift; steps of 1/254..255 keep shift in 45..60.
    const int shift = 53 - exponent;
    uint64_t rounded = 0;
    if (shift < 64) {
        const uint64_t whole = product >> shift;
        const uint64_t rest = product & ((uint64_t{1} << shift) - 1);
        const uint64_t half = uint64_t{1} << (shift - 1);
        rounded = whole + ((rest > half || (rest == half && (whole & 1u) != 0)) ? 1u : 0u);
    }
    const auto magnitude = static_cast<int32_t>(rounded);
    return step < 0 ? -magnitude : magnitude;
}

} // namespace

uint32_t TRandomGenerator::Next(uint32_t k)
{
    state_ = state_ * LcgMultiplier + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(k) * state_) >> 32);
}

TRandomGenerator& GradientRandom()
{
    static TRandomGenerator generator;
    return generator;
}

int32_t GradientBandEdge(int32_t i, int32_t extent, int32_t n)
{
    return MulDivRound(i, extent, n);
}

std::vector<int32_t> GradientTable(int32_t first, int32_t last, int32_t n)
{
    n = ClampSteps(n);
    std::vector<int32_t> table(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        int32_t color = 0;
        for (int shift : {0, 8, 16}) {
            const int32_t from = Channel(first, shift);
            const double step = (Channel(last, shift) - from) / static_cast<double>(n - 1);
            const int32_t value = std::clamp(from + RoundProductHalfEven(i, step), 0, 255);
            color |= value << shift;
        }
        table[static_cast<size_t>(i)] = color;
    }
    return table;
}

GradientImage RenderGradient(int32_t width, int32_t height, int32_t start, int32_t end, int32_t n,
                             TGradientStyle style, bool dithered, TRandomGenerator& rng)
{
    GradientImage image;
    image.width = std::max(width, 0);
    image.height = std::max(height, 0);
    const uint64_t count = static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height);
    if (count > PTRDIFF_MAX / sizeof(int32_t))
        throw std::bad_alloc();
    image.pixels.assign(static_cast<size_t>(count), 0);

    n = ClampSteps(n);
    const bool reversed = style == TGradientStyle::gsRight || style == TGradientStyle::gsBottom;
    const bool vertical = style == TGradientStyle::gsTop || style == TGradientStyle::gsBottom;
    const std::vector<int32_t> table = reversed ? GradientTable(end, start, n) : GradientTable(start, end, n);

    // "along" runs across the bands, "across" along each band; the vertical
    // styles are the horizontal ones with the axes exchanged.
    const int32_t along = vertical ? image.height : image.width;
    const int32_t across = vertical ? image.width : image.height;
    auto index = [&](int32_t a, int32_t c) {
        return vertical ? static_cast<size_t>(a) * image.width + c : static_cast<size_t>(c) * image.width + a;
    };
    auto set = [&](int64_t a, int32_t c, int32_t color) {
        if (a >= 0 && a < along && c < across)
            image.pixels[index(static_cast<int32_t>(a), c)] = color;
    };

    // Lines past the strip are copies of it, so only the strip is filled.
    // The dither draws run for all strip lines, present or not, so a small
    // image takes as many numbers from the generator as a large one.
    const auto draws = static_cast<uint32_t>(along / (n - 1));
    for (int32_t i = 0; i < n; ++i) {
        const int32_t from = GradientBandEdge(i, along, n);
        const int32_t to = GradientBandEdge(i + 1, along, n);
        for (int32_t c = 0; c < DitherStripSize; ++c)
            for (int32_t a = from; a < to; ++a)
                set(a, c, table[static_cast<size_t>(i)]);
        if (!dithered || i == 0)
            continue;
        for (int32_t c = 0; c < DitherStripSize; ++c)
            for (uint32_t k = 0; k <= draws; ++k)
                set(static_cast<int64_t>(from) + rng.Next(k), c, table[static_cast<size_t>(i - 1)]);
    }

    for (int32_t c = DitherStripSize; c < across; ++c)
        for (int32_t a = 0; a < along; ++a)
            image.pixels[index(a, c)] = image.pixels[index(a, c % DitherStripSize)];
    return image;
}

} // namespace quillon
