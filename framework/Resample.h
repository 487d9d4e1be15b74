#pragma once
// Pictures scaled with a smoothing filter: each new pixel is the area
// average of the old pixels it covers. Pixels are 0xAARRGGBB with the colour
// premultiplied by alpha, so transparent parts blend out instead of leaving
// a fringe of their key colour. Integer arithmetic only: every build gives
// the same pixels.
#include <cstdint>
#include <vector>

namespace quillon {

std::vector<uint32_t> ResampleArea(const std::vector<uint32_t>& source, int sourceWidth, int sourceHeight,
                                   int width, int height);

} // namespace quillon
