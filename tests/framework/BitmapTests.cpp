// Bitmaps (resizing, transparency, resource pictures, font sizes) and the
// image list, measured pixel by pixel.
#include "base/Exceptions.h"
#include "framework/Actions.h"
#include "framework/ImageList.h"
#include "framework/Resample.h"
#include "tests/support/GdiCount.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, Ground = 0x808080;

// The bitmap as rows of characters, one per pixel, from a colour legend.
std::vector<std::string> Picture(const TBitmap& b, const std::vector<std::pair<TColor, char>>& legend)
{
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x) {
            char c = '?';
            for (const auto& [color, letter] : legend)
                if (b.Pixel(x, y) == color)
                    c = letter;
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

const std::vector<std::pair<TColor, char>> Colors = {
    {clBlack, 'k'}, {clWhite, 'w'}, {Red, 'r'}, {Green, 'g'}, {Blue, 'b'}, {clFuchsia, 'f'}, {Ground, '.'}};

// 3 x 2: r g b / g b r.
void Paint3x2(TBitmap& b)
{
    b.SetSize(3, 2);
    const TColor rows[2][3] = {{Red, Green, Blue}, {Green, Blue, Red}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            b.SetPixel(x, y, rows[y][x]);
}

// `source` drawn with Canvas::Draw at (1, 1) onto a 5 x 4 ground.
std::vector<std::string> DrawnOnGround(const TBitmap& source)
{
    TBitmap target(5, 4);
    target.Fill(Ground);
    target.Canvas().Draw(1, 1, source);
    return Picture(target, Colors);
}

} // namespace

TEST(Bitmap, SetSizeKeepsTheTopLeftAndClearsTheRest)
{
    TBitmap b;
    Paint3x2(b);
    b.SetTransparentColor(Green);
    b.SetSize(4, 3);
    EXPECT_EQ(Picture(b, Colors), (std::vector<std::string>{"rgbk", "gbrk", "kkkk"}));
    b.SetSize(2, 1);
    EXPECT_EQ(Picture(b, Colors), (std::vector<std::string>{"rg"}));
    b.SetSize(3, 2);
    EXPECT_EQ(Picture(b, Colors), (std::vector<std::string>{"rgk", "kkk"})) << "what was cut off is gone";
    EXPECT_EQ(b.TransparentColor(), Green) << "the fixed colour is a setting, not part of the picture";

    b.SetSize(0, 5);
    EXPECT_TRUE(b.Empty());
    b.SetSize(-3, -3);
    EXPECT_TRUE(b.Empty());
    b.SetSize(2, 2);
    EXPECT_EQ(Picture(b, Colors), (std::vector<std::string>{"kk", "kk"})) << "nothing survives an empty size";
}

TEST(Bitmap, TransparentColourIsFixedOrTheBottomLeftPixel)
{
    TBitmap b;
    EXPECT_EQ(b.TransparentColor(), -1) << "an empty bitmap has none";
    Paint3x2(b);
    EXPECT_FALSE(b.TransparentColorFixed());
    EXPECT_EQ(b.TransparentColor(), Green);
    b.SetPixel(0, 1, Blue);
    EXPECT_EQ(b.TransparentColor(), Blue) << "automatic: follows the picture";
    b.SetTransparentColor(Red);
    b.SetPixel(0, 1, Green);
    EXPECT_TRUE(b.TransparentColorFixed());
    EXPECT_EQ(b.TransparentColor(), Red);
    b.ResetTransparentColor();
    EXPECT_EQ(b.TransparentColor(), Green);

    // Assign takes the picture and the colour setting, not the flag.
    TBitmap fixed, automatic, copy;
    Paint3x2(fixed);
    fixed.SetTransparentColor(Blue);
    fixed.Transparent = true;
    copy.Assign(fixed);
    EXPECT_TRUE(copy.TransparentColorFixed());
    EXPECT_EQ(copy.TransparentColor(), Blue);
    EXPECT_FALSE(copy.Transparent);
    Paint3x2(automatic);
    automatic.SetPixel(0, 1, Red);
    copy.Assign(automatic);
    EXPECT_FALSE(copy.TransparentColorFixed()) << "an automatic source makes the copy automatic";
    EXPECT_EQ(copy.TransparentColor(), Red);
    EXPECT_EQ(Picture(copy, Colors), (std::vector<std::string>{"rgb", "rbr"}));
    TBitmap empty;
    copy.Assign(empty);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, DrawingLeavesOutTheTransparentColour)
{
    TBitmap b;
    Paint3x2(b); // bottom-left: green
    EXPECT_EQ(DrawnOnGround(b), (std::vector<std::string>{".....", ".rgb.", ".gbr.", "....."}))
        << "not marked transparent: every pixel drawn";
    b.Transparent = true;
    EXPECT_EQ(DrawnOnGround(b), (std::vector<std::string>{".....", ".r.b.", "..br.", "....."}))
        << "automatic: the bottom-left colour drops out";
    b.SetTransparentColor(Red);
    EXPECT_EQ(DrawnOnGround(b), (std::vector<std::string>{".....", "..gb.", ".gb..", "....."})) << "fixed";
    b.SetTransparentColor(clBtnFace);
    b.SetPixel(1, 0, ColorToRGB(clBtnFace));
    const std::vector<std::string> faceOut = DrawnOnGround(b);
    EXPECT_EQ(faceOut[1][2], '.') << "a system colour is resolved when drawn";
}

TEST(Bitmap, LoadsProgramResourcesByName)
{
    TBitmap glyph;
    glyph.LoadFromResourceName("QUILLON_TEST_GLYPH");
    // 4-bit picture: fuchsia ground, three 2 x 2 dots, red top-right, blue bottom-right.
    const std::vector<std::string> expected = {
        "fffffffffr", "ffffffffff", "ffffffffff", "ffffffffff", "ffffffffff", "fkkfkkfkkf",
        "fkkfkkfkkf", "ffffffffff", "ffffffffff", "ffffffffff", "ffffffffff", "fffffffffb"};
    EXPECT_EQ(Picture(glyph, Colors), expected);
    EXPECT_FALSE(glyph.Monochrome());
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);

    TBitmap mono;
    mono.LoadFromResourceName("quillon_test_mono") /* names ignore case */;
    EXPECT_TRUE(mono.Monochrome());
    EXPECT_EQ(Picture(mono, Colors), (std::vector<std::string>{"wwwwwwwk", "wwwwwwww", "wwwwwwww", "kwwwwwww"}));
    EXPECT_EQ(mono.TransparentColor(), clWhite) << "a monochrome picture's is white, whatever its corner";
    mono.Assign(glyph);
    EXPECT_FALSE(mono.Monochrome());

    try {
        glyph.LoadFromResourceName("QUILLON_NO_SUCH_PICTURE");
        ADD_FAILURE() << "a missing resource must be an error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Resource QUILLON_NO_SUCH_PICTURE not found");
    }
    EXPECT_EQ(Picture(glyph, Colors), expected) << "a failed load keeps the picture";
}

TEST(Bitmap, FontSizesInPoints)
{
    struct Case {
        int height, ppi, points;
    };
    for (const Case c : {Case{-11, 96, 8}, Case{-13, 96, 10}, Case{-16, 96, 12}, Case{-15, 120, 9},
                         Case{-16, 144, 8}, Case{0, 96, 0}})
        EXPECT_EQ(FontHeightToPoints(c.height, c.ppi), c.points) << c.height << " at " << c.ppi;
    for (const Case c : {Case{-11, 96, 8}, Case{-12, 96, 9}, Case{-13, 96, 10}, Case{-16, 96, 12},
                         Case{-13, 120, 8}, Case{-16, 144, 8}})
        EXPECT_EQ(PointsToFontHeight(c.points, c.ppi), c.height) << c.points << " pt at " << c.ppi;
    EXPECT_EQ(FontHeightToPoints(13, 96), -10) << "a cell height gives a negative size";

    TFont font; // at 96 dpi whatever the display's scale
    font.height = -11;
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(12);
    EXPECT_EQ(font.height, -16);
}

TEST(ImageList, AddsCellsAndDrawsByIndex)
{
    TImageList list(2, 2);
    TBitmap strip(5, 2); // two whole cells and a partial third one
    strip.Fill(clWhite);
    strip.SetPixel(0, 0, Red);
    strip.SetPixel(3, 1, Blue);
    strip.SetPixel(4, 0, Green);
    EXPECT_EQ(list.Add(strip, clWhite), 0);
    EXPECT_EQ(list.Count(), 2) << "cells of the list's width; the rest is dropped";
    TBitmap single(1, 1);
    single.Fill(Green);
    EXPECT_EQ(list.Add(single, clWhite), 2) << "a smaller picture is one image";
    EXPECT_EQ(list.Add(TBitmap(), clWhite), -1);
    EXPECT_EQ(list.Count(), 3);

    auto drawn = [&](int index) {
        TBitmap target(4, 3);
        target.Fill(Ground);
        list.Draw(target.Canvas(), 1, 1, index);
        return Picture(target, Colors);
    };
    EXPECT_EQ(drawn(0), (std::vector<std::string>{"....", ".r..", "...."}));
    EXPECT_EQ(drawn(1), (std::vector<std::string>{"....", "....", "..b."}));
    EXPECT_EQ(drawn(2), (std::vector<std::string>{"....", ".g..", "...."})) << "the rest of the cell is transparent";
    for (int outside : {-1, 3})
        EXPECT_EQ(drawn(outside), (std::vector<std::string>{"....", "....", "...."}));

    TBitmap image;
    list.GetBitmap(1, image);
    EXPECT_EQ(Picture(image, Colors), (std::vector<std::string>{"ww", "wb"}));
    EXPECT_EQ(image.TransparentColor(), clWhite) << "the mask colour shows where the image is transparent";
    list.GetBitmap(7, image);
    EXPECT_TRUE(image.Empty());
}

TEST(ImageList, AReferenceIsForgottenWhenTheListGoes)
{
    TActionList actions;
    {
        TImageList images(16, 16);
        actions.SetImages(&images);
        EXPECT_EQ(actions.Images(), &images);
    }
    EXPECT_EQ(actions.Images(), nullptr);

    TImageList first(16, 16), second(16, 16);
    actions.SetImages(&first);
    actions.SetImages(&second);
    {
        TActionList gone;
        gone.SetImages(&first);
    } // the image lists outlive this one: they must not tell a dead one when they go
    EXPECT_EQ(actions.Images(), &second);
}

TEST(Bitmap, ManyOperationsLeaveNoGdiObjects)
{
    auto work = [] {
        TBitmap a(16, 16), b, c;
        a.SetSize(40, 8);
        a.SetSize(4, 30);
        a.Transparent = true;
        b.Assign(a);
        b.LoadFromResourceName("QUILLON_TEST_GLYPH");
        try {
            b.LoadFromResourceName("QUILLON_NO_SUCH_PICTURE");
        } catch (const Exception&) {
        }
        c.LoadFromResourceName("QUILLON_TEST_MONO");
        TBitmap target(20, 20);
        target.Canvas().Draw(0, 0, a);
        target.Canvas().Draw(2, 2, b);
        TImageList list(5, 6);
        list.Add(b, clFuchsia);
        list.Draw(target.Canvas(), 1, 1, 1);
        list.GetBitmap(0, c);
        b.Clear();
    };
    work();
    const int before = LiveGdiObjects();
    for (int i = 0; i < 200; ++i)
        work();
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(Bitmap, PixelArtMagnifiesAndPicturesResampleSmoothly)
{
    TBitmap art(2, 1);
    art.SetPixel(0, 0, clBlack);
    art.SetPixel(1, 0, clWhite);
    art.Magnify(2);
    ASSERT_EQ(art.Width(), 4);
    ASSERT_EQ(art.Height(), 2);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(art.Pixel(x, 1), x < 2 ? clBlack : clWhite) << "sharp blocks, no blend";

    // Premultiplied: a transparent pixel blends out instead of tinting its neighbour.
    const std::vector<uint32_t> source{0xFF0000FF, 0x00000000, 0xFF0000FF, 0x00000000};
    EXPECT_EQ(ResampleArea(source, 2, 2, 1, 1), std::vector<uint32_t>{0x80000080}) << "the area average";
    EXPECT_EQ(ResampleArea(source, 2, 2, 2, 2), source) << "the same size changes nothing";
    // 3 to 2: the middle pixel is shared half and half (255 / 2 over 1.5 pixels).
    EXPECT_EQ(ResampleArea({0xFF000000, 0xFF0000FF, 0xFF000000}, 3, 1, 2, 1),
              (std::vector<uint32_t>{0xFF000055, 0xFF000055}));
}
