#pragma once
// Writes a bitmap as a .bmp file, to look at a rendering that failed a test.
#include "framework/Graphics.h"

#include <string>

namespace quillon::test {
bool SaveBitmap(const TBitmap& bitmap, const std::string& path);
}
