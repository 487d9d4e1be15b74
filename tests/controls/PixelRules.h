#pragma once
// Pixel rules for control looks: sets of pixels by colour, one-pixel rings,
// and pictures taken from the screen or from a window's print path.
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
    const TColor rgb = ColorToRGB(color);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((b.Pixel(x, y) == rgb) == equal)
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

inline bool Contains(const PixelSet& outer, const PixelSet& inner)
{
    for (const auto& p : inner)
        if (!outer.count(p))
            return false;
    return true;
}

inline RECT Inset(RECT r, int by)
{
    InflateRect(&r, -by, -by);
    return r;
}

// The pixels of the one-pixel ring of `r`.
inline PixelSet Ring(RECT r)
{
    PixelSet set;
    for (int x = r.left; x < r.right; ++x) {
        set.insert({x, static_cast<int>(r.top)});
        set.insert({x, static_cast<int>(r.bottom - 1)});
    }
    for (int y = r.top; y < r.bottom; ++y) {
        set.insert({static_cast<int>(r.left), y});
        set.insert({static_cast<int>(r.right - 1), y});
    }
    return set;
}

// The one-pixel ring of `r`: `top` on the left column and the top row,
// `bottom` on the right column and the bottom row (their corners top-right
// and bottom-left included). Reports each wrong side once.
inline void ExpectRing(const TBitmap& b, RECT r, TColor top, TColor bottom, const std::string& what)
{
    const TColor t = ColorToRGB(top), u = ColorToRGB(bottom);
    const int R = r.right - 1, B = r.bottom - 1;
    int wrongLeft = 0, wrongTop = 0, wrongRight = 0, wrongBottom = 0;
    for (int y = r.top; y <= B; ++y) {
        wrongLeft += b.Pixel(r.left, y) != (y == B ? u : t);
        wrongRight += b.Pixel(R, y) != u;
    }
    for (int x = r.left; x <= R; ++x) {
        wrongTop += b.Pixel(x, r.top) != (x == R ? u : t);
        wrongBottom += b.Pixel(x, B) != u;
    }
    EXPECT_EQ(wrongLeft, 0) << what << ": left column";
    EXPECT_EQ(wrongTop, 0) << what << ": top row";
    EXPECT_EQ(wrongRight, 0) << what << ": right column";
    EXPECT_EQ(wrongBottom, 0) << what << ": bottom row";
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
