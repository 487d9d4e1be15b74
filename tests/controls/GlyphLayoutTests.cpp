#include "controls/flat/GlyphLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

using namespace quillon;

namespace quillon {

static void PrintTo(const LayoutPoint& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}

static void PrintTo(const LayoutRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

} // namespace quillon

namespace {

constexpr auto Left = TButtonLayout::blGlyphLeft;
constexpr auto Right = TButtonLayout::blGlyphRight;
constexpr auto Top = TButtonLayout::blGlyphTop;
constexpr auto Bottom = TButtonLayout::blGlyphBottom;

constexpr LayoutRect Button{0, 0, 75, 21};
constexpr LayoutRect Tall{0, 0, 75, 60};
constexpr LayoutPoint NoOffset{0, 0};
constexpr LayoutPoint NoGlyph{0, 0};
constexpr LayoutPoint NoText{0, 0};
constexpr LayoutPoint Glyph16{16, 16};
constexpr LayoutPoint Caption{27, 13};

struct Case {
    const char* name;
    LayoutRect client;
    LayoutPoint offset;
    TButtonLayout layout;
    int32_t spacing;
    int32_t margin;
    LayoutPoint glyphSize;
    LayoutPoint textSize;
    LayoutPoint glyphPos;
    LayoutRect textRect;
};

void Check(const Case& c)
{
    const GlyphLayoutResult r =
        ComputeGlyphLayout(c.client, c.offset, c.layout, c.spacing, c.margin, c.glyphSize, c.textSize);
    EXPECT_EQ(r.glyphPos, c.glyphPos) << c.name;
    EXPECT_EQ(r.textRect, c.textRect) << c.name;
}

} // namespace

TEST(GlyphLayout, CentredMarginAndSpacing)
{
    const Case cases[] = {
        // Margin = spacing = (75 - 16 - 27) div 3 = 10.
        {"left", Button, NoOffset, Left, -1, -1, Glyph16, Caption, {10, 3}, {36, 4, 63, 17}},
        {"right", Button, NoOffset, Right, -1, -1, Glyph16, Caption, {49, 3}, {12, 4, 39, 17}},
        // Along Y: (60 - 16 - 13) div 3 = 10; across X: glyph 30, text 24.
        {"top", Tall, NoOffset, Top, -1, -1, Glyph16, Caption, {30, 10}, {24, 36, 51, 49}},
        {"bottom", Tall, NoOffset, Bottom, -1, -1, Glyph16, Caption, {30, 34}, {24, 11, 51, 24}},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(GlyphLayout, CentredMarginWithGivenSpacing)
{
    const Case cases[] = {
        // Without a glyph the spacing becomes 0; margin (21 - 13 + 1) div 2 = 4.
        {"caption only, top", Button, NoOffset, Top, 4, -1, NoGlyph, Caption, {38, 4}, {24, 4, 51, 17}},
        {"caption only, offset", Button, {1, 1}, Top, 4, -1, NoGlyph, Caption, {39, 5}, {25, 5, 52, 18}},
        // Margin (75 - 16 - 4 - 27 + 1) div 2 = 14.
        {"left", Button, NoOffset, Left, 4, -1, Glyph16, Caption, {14, 3}, {34, 4, 61, 17}},
        {"right", Button, NoOffset, Right, 4, -1, Glyph16, Caption, {45, 3}, {14, 4, 41, 17}},
        // Margin (60 - 16 - 4 - 13 + 1) div 2 = 14.
        {"bottom", Tall, NoOffset, Bottom, 4, -1, Glyph16, Caption, {30, 30}, {24, 13, 51, 26}},
        {"spacing below -1 is a value", Button, NoOffset, Left, -2, -1, Glyph16, Caption, {17, 3}, {31, 4, 58, 17}},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(GlyphLayout, GivenMarginWithCentredSpacing)
{
    const Case cases[] = {
        // Spacing (75 - (4 + 16) - 27) div 2 = 14.
        {"left", Button, NoOffset, Left, -1, 4, Glyph16, Caption, {4, 3}, {34, 4, 61, 17}},
        {"right", Button, NoOffset, Right, -1, 4, Glyph16, Caption, {55, 3}, {14, 4, 41, 17}},
        // 27 div 2 = 13.
        {"odd remainder", Button, NoOffset, Left, -1, 5, Glyph16, Caption, {5, 3}, {34, 4, 61, 17}},
        // -9 div 2 = -4, not -5.
        {"negative spacing", Button, NoOffset, Left, -1, 41, Glyph16, Caption, {41, 3}, {53, 4, 80, 17}},
        // Along Y: (60 - (5 + 16) - 13) div 2 = 13.
        {"bottom", Tall, NoOffset, Bottom, -1, 5, Glyph16, Caption, {30, 39}, {24, 13, 51, 26}},
        {"top", Tall, NoOffset, Top, -1, 5, Glyph16, Caption, {30, 5}, {24, 34, 51, 47}},
        // Spacing (75 - (-2 + 16) - 27) div 2 = 17.
        {"margin below -1 is a value", Button, NoOffset, Left, -1, -2, Glyph16, Caption, {-2, 3}, {31, 4, 58, 17}},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(GlyphLayout, GivenMarginAndSpacing)
{
    const Case cases[] = {
        {"left", Button, NoOffset, Left, 3, 2, Glyph16, Caption, {2, 3}, {21, 4, 48, 17}},
        {"right", Button, NoOffset, Right, 3, 2, Glyph16, Caption, {57, 3}, {27, 4, 54, 17}},
        {"top", Tall, NoOffset, Top, 3, 2, Glyph16, Caption, {30, 2}, {24, 21, 51, 34}},
        {"bottom", Tall, NoOffset, Bottom, 3, 2, Glyph16, Caption, {30, 42}, {24, 26, 51, 39}},
        {"client away from the origin", {10, 20, 85, 41}, {2, -3}, Left, 3, 2, Glyph16, Caption, {14, 20},
         {33, 21, 60, 34}},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(GlyphLayout, MissingGlyphOrCaptionDropsTheSpacing)
{
    const Case cases[] = {
        // Spacing 0 sends even -1/-1 to the "given spacing" rule:
        // (75 - 16 + 1) div 2 = 30, not (75 - 16) div 3 = 19.
        {"glyph only, centred", Button, NoOffset, Left, -1, -1, Glyph16, NoText, {30, 3}, {46, 11, 46, 11}},
        {"glyph only, spacing 4", Button, NoOffset, Left, 4, -1, Glyph16, NoText, {30, 3}, {46, 11, 46, 11}},
        {"glyph only, given margin", Button, NoOffset, Right, 4, 2, Glyph16, NoText, {57, 3}, {57, 11, 57, 11}},
        {"caption only, left", Button, NoOffset, Left, 4, -1, NoGlyph, Caption, {24, 11}, {24, 4, 51, 17}},
        {"nothing at all", Button, NoOffset, Bottom, -1, -1, NoGlyph, NoText, {38, 10}, {38, 10, 38, 10}},
        // The widths decide even for a vertical layout: a glyph narrower than
        // its cell count is 0 wide, so no spacing although it has height.
        // Margin (60 - 16 - 13 + 1) div 2 = 16.
        {"zero-width glyph, top", Tall, NoOffset, Top, 4, -1, {0, 16}, Caption, {38, 16}, {24, 32, 51, 45}},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(GlyphLayout, ContentLargerThanTheClientTruncatesTowardZero)
{
    const Case cases[] = {
        // Along X: (39 - 43) div 3 = -1; across Y: (10 - 16 + 1) div 2 = -2
        // and (10 - 13 + 1) div 2 = -1. Flooring would give -2, -3 and -1.
        {"left", {0, 0, 39, 10}, NoOffset, Left, -1, -1, Glyph16, Caption, {-1, -2}, {14, -1, 41, 12}},
        {"right", {0, 0, 39, 10}, NoOffset, Right, -1, -1, Glyph16, Caption, {24, -2}, {-2, -1, 25, 12}},
        // Along Y: (20 - 29) div 3 = -3 exactly.
        {"bottom", {0, 0, 10, 20}, NoOffset, Bottom, -1, -1, Glyph16, Caption, {-2, 7}, {-8, -3, 19, 10}},
        // (7 - 13 + 1) div 2 = -2.
        {"caption only, top", {0, 0, 75, 7}, NoOffset, Top, 4, -1, NoGlyph, Caption, {38, -2}, {24, -2, 51, 11}},
        // An empty client: (0 - 43) div 3 = -14, (0 - 16 + 1) div 2 = -7.
        {"empty client", {5, 5, 5, 5}, NoOffset, Left, -1, -1, Glyph16, Caption, {-9, -2}, {-7, -1, 20, 12}},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST(GlyphLayout, ExtremeValuesWrapInsteadOfOverflowing)
{
    constexpr int32_t Min = std::numeric_limits<int32_t>::min();
    constexpr int32_t Max = std::numeric_limits<int32_t>::max();
    // The width Max - Min wraps to -1; margin (-1 + 1) div 2 = 0.
    Check({"huge client", {Min, 0, Max, 10}, NoOffset, Left, -1, -1, NoGlyph, NoText, {Min, 5}, {Min, 5, Min, 5}});
    // Only the absence of sanitizer reports matters for these.
    for (TButtonLayout layout : {Left, Right, Top, Bottom}) {
        ComputeGlyphLayout({Min, Max, Max, Min}, {Max, Min}, layout, -1, -1, {Max, Max}, {Max, Max});
        ComputeGlyphLayout({Max, Min, Min, Max}, {Min, Max}, layout, Min, -1, {Max, Min}, {Min, Max});
        ComputeGlyphLayout({Min, Min, Max, Max}, {Max, Max}, layout, -1, Max, {Max, Max}, {Max, Max});
        ComputeGlyphLayout({Max, Max, Min, Min}, {Min, Min}, layout, Max, Min, {Min, Min}, {Min, Min});
    }
}
