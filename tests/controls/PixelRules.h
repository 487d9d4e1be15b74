#pragma once
// Pixel rules for control looks: pixel sets by colour, one-pixel rings, and
// what a window shows on the screen.
#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace quillon::test {

using PixelSet = std::set<std::pair<int, int>>;

// Pixels of `area` whose colour is (or is not) `color`.
inline PixelSet Pixels(const TBitmap& b, RECT area, TColor color, bool equal = true)
{
    PixelSet set;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((b.Pixel(x, y) == ColorToRGB(color)) == equal)
                set.insert({x, y});
    return set;
}

inline PixelSet Shifted(const PixelSet& set, int dx, int dy)
{
    PixelSet out;
    for (auto [x, y] : set)
        out.insert({x + dx, y + dy});
    return out;
}

// The three 2 x 2 dots of the ellipsis glyph drawn at (gx, gy).
inline PixelSet EllipsisDots(int gx, int gy)
{
    PixelSet dots;
    for (int col : {1, 4, 7})
        for (int dy = 5; dy <= 6; ++dy)
            for (int dx = 0; dx <= 1; ++dx)
                dots.insert({gx + col + dx, gy + dy});
    return dots;
}

inline RECT Inset(RECT r, int by)
{
    InflateRect(&r, -by, -by);
    return r;
}

// The one-pixel ring of `r`: `top` on the left column and the top row,
// `bottom` on the right column and the bottom row, their corners top-right
// and bottom-left included.
inline void ExpectRing(const TBitmap& b, RECT r, TColor top, TColor bottom, const std::string& what)
{
    const int R = r.right - 1, B = r.bottom - 1;
    int wrong = 0;
    for (int y = r.top; y <= B; ++y)
        wrong += (b.Pixel(r.left, y) != ColorToRGB(y == B ? bottom : top)) + (b.Pixel(R, y) != ColorToRGB(bottom));
    for (int x = r.left; x <= R; ++x)
        wrong += (b.Pixel(x, r.top) != ColorToRGB(x == R ? bottom : top)) + (b.Pixel(x, B) != ColorToRGB(bottom));
    EXPECT_EQ(wrong, 0) << what << ": pixels off the ring's colours";
}

inline bool SamePicture(const TBitmap& a, const TBitmap& b)
{
    bool same = a.Width() == b.Width() && a.Height() == b.Height();
    for (int y = 0; same && y < a.Height(); ++y)
        for (int x = 0; same && x < a.Width(); ++x)
            same = a.Pixel(x, y) == b.Pixel(x, y);
    return same;
}

// What the window shows on the screen now, frame included.
inline void CaptureWindow(HWND hwnd, TBitmap& out)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    out.SetSize(r.right - r.left, r.bottom - r.top);
    HDC dc = GetWindowDC(hwnd);
    BitBlt(out.Canvas().Handle(), 0, 0, out.Width(), out.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
}

} // namespace quillon::test
