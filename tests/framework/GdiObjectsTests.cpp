// Owned and selected GDI objects, and the buffered paint every off-screen
// control goes through: where the picture lands, when, and that the buffer
// is kept.
#include "framework/GdiObjects.h"
#include "tests/support/GdiCount.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr TColor Ground = 0x808080, Red = 0x0000FF;

// The target as rows: '.' ground, 'r' red, 'w' white, '?' anything else.
std::vector<std::string> Rows(const TBitmap& b)
{
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            row += c == Ground ? '.' : c == Red ? 'r' : c == clWhite ? 'w' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// A red picture with a white top-left pixel, through `buffer` onto `target`.
void PaintRed(TPaintBuffer& buffer, TBitmap& target, const RECT& r, bool fail = false)
{
    buffer.Paint(target.Canvas(), r, [&](TCanvas& c) {
        c.FillRect(RECT{0, 0, r.right - r.left, r.bottom - r.top}, Red);
        c.FillRect(RECT{0, 0, 1, 1}, clWhite);
        if (fail)
            throw std::runtime_error("paint failed");
    });
}

HBITMAP BufferBitmap(const TPaintBuffer& buffer)
{
    return static_cast<HBITMAP>(GetCurrentObject(buffer.Bitmap().Canvas().Handle(), OBJ_BITMAP));
}

} // namespace

TEST(BufferedPaint, ThePictureReachesItsRectangleWhenThePaintEndsWell)
{
    struct Case {
        const char* what;
        RECT rect;
        bool fail;
        std::vector<std::string> target;
    };
    const Case cases[] = {
        {"at the rectangle, the canvas' (0, 0) its top-left", {1, 1, 4, 3}, false, {".....", ".wrr.", ".rrr.", "....."}},
        {"the whole target", {0, 0, 5, 4}, false, {"wrrrr", "rrrrr", "rrrrr", "rrrrr"}},
        {"a throwing paint shows nothing", {1, 1, 4, 3}, true, {".....", ".....", ".....", "....."}},
        {"an empty rectangle paints nothing", {2, 2, 2, 4}, false, {".....", ".....", ".....", "....."}},
        {"nor does an inverted one", {3, 3, 1, 1}, false, {".....", ".....", ".....", "....."}},
    };
    for (const Case& c : cases) {
        TPaintBuffer buffer;
        TBitmap target(5, 4);
        target.Fill(Ground);
        try {
            PaintRed(buffer, target, c.rect, c.fail);
        } catch (const std::runtime_error&) {
            EXPECT_TRUE(c.fail) << c.what;
        }
        EXPECT_EQ(Rows(target), c.target) << c.what;
    }

    TPaintBuffer buffer;
    TBitmap target(3, 2);
    target.Fill(Ground);
    bool drawn = false;
    buffer.Paint(target.Canvas(), RECT{0, 0, 3, 2}, [&](TCanvas& c) {
        c.FillRect(RECT{0, 0, 3, 2}, Red);
        EXPECT_EQ(Rows(target), (std::vector<std::string>{"...", "..."})) << "nothing shows before the end";
        drawn = true;
    });
    EXPECT_TRUE(drawn);
    EXPECT_EQ(Rows(target), (std::vector<std::string>{"rrr", "rrr"}));
}

// Painting over: the buffer starts as the target shows, so what the drawing
// leaves alone keeps the target's pixels, as drawing straight on it would.
TEST(BufferedPaint, PaintingOverKeepsWhatTheDrawingLeavesAlone)
{
    TPaintBuffer buffer;
    TBitmap target(5, 3);
    target.Fill(Ground);
    target.SetPixel(2, 1, clWhite);
    buffer.PaintOver(target.Canvas(), RECT{1, 0, 4, 3}, [](TCanvas& c) { c.FillRect(RECT{0, 0, 1, 3}, Red); });
    EXPECT_EQ(Rows(target), (std::vector<std::string>{".r...", ".rw..", ".r..."}));
    buffer.PaintOver(target.Canvas(), RECT{2, 0, 5, 3}, [](TCanvas& c) { c.FillRect(RECT{2, 2, 3, 3}, Red); });
    EXPECT_EQ(Rows(target), (std::vector<std::string>{".r...", ".rw..", ".r..r"})) << "not the last picture";
}

TEST(BufferedPaint, TheBufferIsKeptBetweenPaintsAndRemadeOnlyForANewSize)
{
    TPaintBuffer buffer;
    TBitmap target(20, 20);
    PaintRed(buffer, target, RECT{0, 0, 8, 6});
    const HBITMAP first = BufferBitmap(buffer);
    ASSERT_NE(first, nullptr);
    PaintRed(buffer, target, RECT{5, 5, 13, 11});
    EXPECT_EQ(BufferBitmap(buffer), first) << "the same size elsewhere: the same bitmap";
    try {
        PaintRed(buffer, target, RECT{0, 0, 8, 6}, true);
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(BufferBitmap(buffer), first) << "a throwing paint keeps it too";
    PaintRed(buffer, target, RECT{0, 0, 9, 6});
    EXPECT_NE(BufferBitmap(buffer), first) << "a new size: a new bitmap";
    EXPECT_EQ(buffer.Bitmap().Width(), 9);
    EXPECT_EQ(buffer.Bitmap().Height(), 6);
}

TEST(BufferedPaint, TenThousandPaintsLeakNothingThrowingOrResizing)
{
    TPaintBuffer buffer;
    TBitmap target(40, 20);
    target.Canvas().SetFont(TFont{});
    auto paint = [&](int i) {
        try {
            PaintRed(buffer, target, RECT{0, 0, 10 + i % 3, 10}, i % 5 == 0);
        } catch (const std::runtime_error&) {
        }
    };
    paint(1);
    const int before = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i)
        paint(i);
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(GdiObjects, ACreatedObjectIsDeletedAndASelectedOnePutBackOnEveryPath)
{
    TBitmap surface(4, 4);
    HDC dc = surface.Canvas().Handle();
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_BRUSH);
    const int before = LiveGdiObjects();
    for (const bool fail : {false, true}) {
        try {
            const TGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(255, 0, 0)));
            ASSERT_TRUE(brush);
            const TSelectObject selected(dc, brush.Get());
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.Get());
            EXPECT_EQ(LiveGdiObjects(), before + 1);
            if (fail)
                throw std::runtime_error("drawing failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), original) << (fail ? "thrown" : "ended");
        EXPECT_EQ(LiveGdiObjects(), before) << (fail ? "thrown" : "ended");
    }

    TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    pen.Reset(CreatePen(PS_SOLID, 1, RGB(0, 255, 0)));
    EXPECT_EQ(LiveGdiObjects(), before + 1) << "Reset deletes what it held";
    pen.Reset();
    EXPECT_FALSE(pen);
    EXPECT_EQ(LiveGdiObjects(), before);
}
