#include "tests/support/BitmapFile.h"

#include <cstdio>
#include <vector>

namespace quillon::test {

bool SaveBitmap(const TBitmap& bitmap, const std::string& path)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w <= 0 || h <= 0)
        return false;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = -h;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = static_cast<uint32_t>(bitmap.Pixel(x, y));
            pixels.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info, sizeof info, 1, f);
    std::fwrite(pixels.data(), 4, pixels.size(), f);
    std::fclose(f);
    return true;
}

} // namespace quillon::test
