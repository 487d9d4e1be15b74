#include "controls/choice/PopupLayout.h"

#include <gtest/gtest.h>

using namespace quillon;

namespace {

using enum TPopupShape;

// Text 100 x 13 with the 14 x 14 sign: 100 + 3 + 3 + 14 + 6 wide, 14 + 2 + 2 high.
TEST(PopupLayout, SizeByShapeAroundIconAndText)
{
    const PopupMargins m;
    struct Case {
        int textW, textH, iconW, iconH;
        TPopupShape shape;
        PopupSize expected;
        int ppi = DesignPpi;
    } cases[] = {
        {100, 13, 14, 14, psRectangle, {128, 20}},
        {100, 13, 14, 14, psRoundRect, {134, 26}},
        {100, 13, 14, 14, psBalloon, {134, 34}},
        {100, 26, 14, 14, psBalloon, {134, 46}}, // two lines: text higher than the icon
        {100, 13, 0, 0, psRectangle, {108, 19}},  // plain: no icon room
        // At 144 ppi margins, spacing, corners and tail grow; the border does not.
        {150, 21, 14, 14, psBalloon, {150 + 9 + 14 + 9 + 12, 21 + 6 + 12 + 12}, 144},
        {150, 21, 14, 14, psRectangle, {150 + 9 + 14 + 9 + 2, 21 + 6 + 2}, 144},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageWindowSize(c.textW, c.textH, c.iconW, c.iconH, m, c.shape, c.ppi), c.expected)
            << c.textW << "x" << c.textH << " shape " << int(c.shape);
}

TEST(PopupLayout, DesktopEdgesGiveTheTailVariant)
{
    const PopupRect desk{0, 0, 1024, 768};
    const PopupSize s{134, 34};
    struct Case {
        int left, top;
        PopupPlacement expected;
    } cases[] = {
        {100, 100, {100, 100, 0}},        // room everywhere
        {100, 750, {100, 734, 1}},        // moved up to end at the bottom
        {950, 100, {890, 100, 2}},        // moved left to end at the right edge
        {950, 750, {890, 734, 3}},        // both
        {-20, -5, {0, 0, 0}},             // above and left: moved in, tail kept
        {100, 734, {100, 734, 0}},        // exactly at the bottom: stays
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnDesktop(c.left, c.top, s, desk), c.expected) << c.left << "," << c.top;
}

TEST(PopupLayout, TextOriginAndTail)
{
    const PopupMargins m;
    EXPECT_EQ(MessageTextOrigin(psRectangle, 0, m), (PopupPoint{3, 2}));
    EXPECT_EQ(MessageTextOrigin(psRoundRect, 0, m), (PopupPoint{5, 5}));
    EXPECT_EQ(MessageTextOrigin(psBalloon, 0, m), (PopupPoint{5, 13}));
    EXPECT_EQ(MessageTextOrigin(psBalloon, 2, m), (PopupPoint{5, 13}));
    EXPECT_EQ(MessageTextOrigin(psBalloon, 1, m), (PopupPoint{5, 5}));
    EXPECT_EQ(MessageTextOrigin(psBalloon, 3, m), (PopupPoint{5, 5}));
    EXPECT_EQ(MessageTextOrigin(psBalloon, 0, m, 144), (PopupPoint{8, 20})) << "from the 96-dpi sums";
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(BalloonHasTail(v), v == 0 || v == 2) << v;
        EXPECT_EQ(BalloonTailRight(v), v == 2) << v;
    }
}

} // namespace
