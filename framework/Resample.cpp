#include "framework/Resample.h"

#include <algorithm>

namespace quillon {

namespace {

// How much of source cell `s` the target cell `t` covers, in units where a
// whole source cell is `target` (source cells times target cells share one scale).
struct TSpan {
    int first, last;              // source cells touched
    std::vector<int64_t> weights; // per touched cell
};

std::vector<TSpan> Spans(int source, int target)
{
    std::vector<TSpan> spans(static_cast<size_t>(target));
    for (int t = 0; t < target; ++t) {
        // Target cell t covers [t * source, (t + 1) * source) in units of 1 / target source cells.
        const int64_t from = int64_t{t} * source, to = int64_t{t + 1} * source;
        TSpan& span = spans[static_cast<size_t>(t)];
        span.first = static_cast<int>(from / target);
        span.last = static_cast<int>((to - 1) / target);
        for (int s = span.first; s <= span.last; ++s) {
            const int64_t lo = std::max(from, int64_t{s} * target), hi = std::min(to, int64_t{s + 1} * target);
            span.weights.push_back(hi - lo);
        }
    }
    return spans;
}

} // namespace

std::vector<uint32_t> ResampleArea(const std::vector<uint32_t>& source, int sourceWidth, int sourceHeight,
                                   int width, int height)
{
    std::vector<uint32_t> out(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)));
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0 ||
        source.size() < static_cast<size_t>(sourceWidth) * static_cast<size_t>(sourceHeight))
        return out;
    const std::vector<TSpan> columns = Spans(sourceWidth, width), rows = Spans(sourceHeight, height);
    // Every target pixel's weights add up to sourceWidth * sourceHeight.
    const int64_t total = int64_t{sourceWidth} * sourceHeight;
    for (int y = 0; y < height; ++y) {
        const TSpan& row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const TSpan& column = columns[static_cast<size_t>(x)];
            int64_t sum[4] = {0, 0, 0, 0};
            for (int sy = row.first; sy <= row.last; ++sy) {
                const int64_t wy = row.weights[static_cast<size_t>(sy - row.first)];
                const uint32_t* line = &source[static_cast<size_t>(sy) * static_cast<size_t>(sourceWidth)];
                for (int sx = column.first; sx <= column.last; ++sx) {
                    const int64_t w = wy * column.weights[static_cast<size_t>(sx - column.first)];
                    const uint32_t p = line[sx];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += w * ((p >> (8 * c)) & 0xFF);
                }
            }
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c)
                pixel |= static_cast<uint32_t>((sum[c] + total / 2) / total) << (8 * c);
            out[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = pixel;
        }
    }
    return out;
}

} // namespace quillon
