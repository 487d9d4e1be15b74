// The drawing routines of the flat controls, pixel by pixel.
#include "controls/flat/FlatUtils.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr TColor Top = 0x000000FF, Bottom = 0x0000FF00, Ground = 0x00FFFFFF;

// The bitmap as rows of characters: T top colour, B bottom colour, . ground.
std::vector<std::string> Picture(const TBitmap& b)
{
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            row += c == Top ? 'T' : c == Bottom ? 'B' : c == Ground ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(DrawBevelFrame, RingsCornersAndWidths)
{
    TBitmap b(6, 5);
    auto frame = [&](RECT r, int width) {
        b.Fill(Ground);
        DrawBevelFrame(b.Canvas(), r, Top, Bottom, width);
        return Picture(b);
    };
    // Top-right and bottom-left corners belong to the bottom colour.
    EXPECT_EQ(frame(RECT{0, 0, 4, 3}, 1), (std::vector<std::string>{"TTTB..", "T..B..", "BBBB..", "......", "......"}));
    // The second ring paints (1,1) over in the bottom colour.
    EXPECT_EQ(frame(RECT{0, 0, 4, 3}, 2), (std::vector<std::string>{"TTTB..", "TBBB..", "BBBB..", "......", "......"}));
    EXPECT_EQ(frame(RECT{1, 1, 6, 5}, 1), (std::vector<std::string>{"......", ".TTTTB", ".T...B", ".T...B", ".BBBBB"}));
    EXPECT_EQ(frame(RECT{0, 0, 4, 3}, 0), std::vector<std::string>(5, "......")) << "width 0 draws nothing";
    EXPECT_EQ(frame(RECT{0, 0, 4, 3}, -1), std::vector<std::string>(5, "......"));
}

TEST(MakeEmbossedGlyph, StrokesBecomeShadowWithAHighlightEcho)
{
    TBitmap source(4, 3);
    source.Fill(clWhite);
    source.SetPixel(1, 1, clBlack);
    source.SetPixel(3, 2, clBlack); // its echo falls off the edge
    auto result = MakeEmbossedGlyph(source, clBlack, 0x00AAAAAA, 0x00FFFFFF, 0x00444444, true);
    ASSERT_EQ(result->Width(), 4);
    ASSERT_EQ(result->Height(), 3);
    EXPECT_EQ(result->Pixel(1, 1), 0x00444444);
    EXPECT_EQ(result->Pixel(2, 2), 0x00FFFFFF);
    EXPECT_EQ(result->Pixel(3, 2), 0x00444444);
    EXPECT_EQ(result->Pixel(0, 0), 0x00AAAAAA);
    EXPECT_EQ(source.Pixel(1, 1), clBlack) << "the source is not changed";

    auto noHighlight = MakeEmbossedGlyph(source, clBlack, 0x00AAAAAA, 0x00FFFFFF, 0x00444444, false);
    EXPECT_EQ(noHighlight->Pixel(2, 2), 0x00AAAAAA);

    TBitmap blank(5, 5);
    blank.Fill(clWhite);
    auto plain = MakeEmbossedGlyph(blank, clBlack, clBtnFace, clBtnHighlight, clBtnShadow, true);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(plain->Pixel(x, y), ColorToRGB(clBtnFace)) << "no key colour: the back colour only";
}

TEST(AdjustLightness, ResolvesSystemColoursAndKeepsTheFallbackAtZero)
{
    EXPECT_EQ(AdjustLightness(0x00E1EAEB, 0x00123456, 0, false), 0x00123456);
    EXPECT_EQ(AdjustLightness(clBtnFace, 0x00123456, 0, true), 0x00123456);
    EXPECT_EQ(AdjustLightness(0x00E1EAEB, 0, 50, true), 0x00ADC6C9);
    EXPECT_EQ(AdjustLightness(clBtnFace, 0, 10, true),
              AdjustLightness(ColorToRGB(clBtnFace), 0, 10, true));
}

TEST(PaintParentBackground, ShowsWhatTheParentShowsUnderTheControl)
{
    class TStripes : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;
        void Paint(TCanvas& c) override
        {
            for (int x = 0; x < Width(); x += 2)
                c.FillRect(RECT{x, 0, x + 1, Height()}, 0x00000080);
        }
    };
    TTestForm form(100, 60);
    TStripes parent(&form);
    parent.SetBounds(0, 0, 100, 60);
    parent.SetColor(0x00FFFFFF);
    TStripes child(&parent);
    child.SetBounds(11, 5, 10, 10);
    TBitmap b(10, 10);
    PaintParentBackground(child, b.Canvas());
    // Parent columns 11.. land at 0..: odd parent columns are its ground.
    EXPECT_EQ(b.Pixel(0, 0), 0x00FFFFFF);
    EXPECT_EQ(b.Pixel(1, 0), 0x00000080);
    EXPECT_EQ(b.Pixel(1, 9), 0x00000080);

    TBitmap orphanTarget(4, 4);
    orphanTarget.Fill(Ground);
    TStripes orphan(nullptr);
    PaintParentBackground(orphan, orphanTarget.Canvas());
    EXPECT_EQ(orphanTarget.Pixel(1, 1), Ground) << "no parent: nothing";
}
