// The edge button's looks, drawn off-screen by its paint routine and through
// the real control, checked against the drawing rules pixel by pixel.
#include "controls/edit/EdgeButton.h"
#include "tests/controls/PixelRules.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

const TColor btnText = clBtnText;

struct LookCase {
    const char* name;
    TEdgeLook look;
};

// The caption's pixels as a set, found by drawing it alone.
PixelSet CaptionAlone(const std::string& caption, const TFont& font, RECT r)
{
    TBitmap b(r.right, r.bottom);
    b.Fill(clBtnFace);
    b.Canvas().SetFont(font);
    b.Canvas().DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER, btnText);
    return Pixels(b, r, clBtnFace, false);
}

} // namespace

TEST(EdgeButtonLooks, EveryLookFollowsTheDrawingRules)
{
    const RECT R0{0, 0, 75, 23};
    const TFont font; // Tahoma 8 pt
    const std::string caption = "&Apply";
    const LookCase cases[] = {
        {"rest", {}},
        {"hot", {.hot = true}},
        {"pressed", {.pressed = true}},
        {"hot and pressed", {.pressed = true, .hot = true}},
        {"active", {.active = true}},
        {"active and hot", {.active = true, .hot = true}},
        {"focused, not yet active", {.focused = true}},
        {"active and focused", {.active = true, .focused = true}},
        {"active, focused, pressed", {.active = true, .focused = true, .pressed = true}},
        {"disabled", {.embossed = true}},
        {"disabled and hot", {.hot = true, .embossed = true}},
        {"disabled and active", {.active = true, .embossed = true}},
    };

    // The caption alone, centred in the whole button: where every look but
    // the pressed ones puts it (insets on all sides keep the centre).
    const PixelSet text = CaptionAlone(caption, font, R0);
    ASSERT_FALSE(text.empty());
    {
        TBitmap probe(1, 1);
        probe.Canvas().SetFont(font);
        const SIZE s = probe.Canvas().MeasureText("Apply", DT_SINGLELINE);
        int minX = 1000, maxX = 0, minY = 1000, maxY = 0;
        for (auto [x, y] : text) {
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
        EXPECT_NEAR((minX + maxX + 1) / 2.0, 75 / 2.0, 2.0) << "centred horizontally";
        EXPECT_LE(maxX - minX + 1, s.cx + 2);
        EXPECT_GE(minY, (23 - s.cy) / 2) << "centred vertically";
        EXPECT_LT(maxY, (23 - s.cy) / 2 + s.cy);
        int underline = 0; // the mnemonic: a row of the A's width under it
        for (int x = minX; x <= minX + 3; ++x)
            underline += text.count({x, maxY});
        EXPECT_GE(underline, 3) << "the A is underlined";
    }

    for (const LookCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TEdgeLook& look = c.look;
        TBitmap bmp(75, 23);
        bmp.Fill(clFuchsia);
        PaintEdgeButton(bmp.Canvas(), R0, look, caption, font);

        RECT r = R0;
        if (look.active || look.focused) {
            ExpectRing(bmp, r, clWindowText, clWindowText, "outline");
            r = Inset(r, 1);
        }
        if (look.pressed) {
            ExpectRing(bmp, r, clBtnShadow, clBtnHighlight, "sunken edge");
            r = Inset(r, 1);
        } else if (look.hot) {
            ExpectRing(bmp, r, clBtnHighlight, clWindowText, "two-pixel edge, outer");
            ExpectRing(bmp, Inset(r, 1), clBtnFace, clBtnShadow, "two-pixel edge, inner");
            r = Inset(r, 2);
        } else {
            ExpectRing(bmp, r, clBtnHighlight, clBtnShadow, "one-pixel edge");
            r = Inset(r, 1);
        }

        const PixelSet expected = look.pressed ? Shifted(text, 1, 1) : text;
        const PixelSet focusRing = Ring(Inset(R0, 4));
        PixelSet marks = Pixels(bmp, r, clBtnFace, false); // caption and focus rectangle
        PixelSet onRing;
        for (const auto& p : focusRing)
            if (marks.count(p) && !expected.count(p) && !(look.embossed && expected.count({p.first - 1, p.second - 1})))
                onRing.insert(p);
        if (look.active && look.focused)
            EXPECT_GE(onRing.size(), focusRing.size() / 3) << "the dotted focus rectangle 4 pixels inside";
        else
            EXPECT_TRUE(onRing.empty()) << "no focus rectangle";
        for (const auto& p : onRing)
            marks.erase(p);

        if (!look.embossed) {
            EXPECT_EQ(marks, expected) << "the caption, moved by (1, 1) only when pressed";
            EXPECT_EQ(Pixels(bmp, r, btnText), expected) << "in the button text colour";
        } else {
            EXPECT_EQ(Pixels(bmp, r, clBtnShadow), expected) << "grey copy in place";
            const PixelSet echo = Pixels(bmp, r, clBtnHighlight);
            EXPECT_FALSE(echo.empty());
            EXPECT_TRUE(Contains(Shifted(expected, 1, 1), echo)) << "light echo one pixel down and right";
        }
    }
}
