#pragma once
// The gradient caption label's background: band colours, band edges, dither
// pattern and the whole image, as plain numbers. Colours are plain RGB values
// 0x00BBGGRR; the caller resolves system colours before calling.
#include "base/Scale.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillon {

enum class TGradientStyle : uint8_t { gsLeft, gsRight, gsTop, gsBottom };

// The valid band counts; others are clamped into this range.
inline constexpr int32_t MinColorSteps = 2;
inline constexpr int32_t MaxColorSteps = 255;

// Rows (or columns) of the dither strip that repeats over the image.
inline constexpr int32_t DitherStripSize = 16;

// 32-bit linear congruential generator: the same seed gives the same pattern.
class TRandomGenerator {
public:
    explicit TRandomGenerator(uint32_t seed = 0) : state_(seed) {}

    // Advances the state, then returns a uniform draw in 0..k-1 (0 when k is 0).
    uint32_t Next(uint32_t k);

    uint32_t State() const { return state_; }

private:
    uint32_t state_;
};

// The label's generator: one per process, starting at 0, never reseeded.
TRandomGenerator& GradientRandom();


// Left (or top) edge of band i of n over extent pixels; edge(n) = extent.
int32_t GradientBandEdge(int32_t i, int32_t extent, int32_t n);

// n band colours from first to last (n clamped to 2..255); entry 0 is first
// and entry n - 1 is last exactly.
std::vector<int32_t> GradientTable(int32_t first, int32_t last, int32_t n);

struct GradientImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<int32_t> pixels; // row by row, top row first

    int32_t Pixel(int32_t x, int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The label's background of width x height (negative sizes count as 0): n
// bands from start to end, start on the side given by style, dithered with
// draws from rng when asked. An empty image still takes its draws.
GradientImage RenderGradient(int32_t width, int32_t height, int32_t start, int32_t end, int32_t n,
                             TGradientStyle style, bool dithered, TRandomGenerator& rng);

} // namespace quillon
