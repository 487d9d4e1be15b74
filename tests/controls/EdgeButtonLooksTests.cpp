// Every look of the edge button, drawn off-screen by its paint routine and
// checked against the drawing rules pixel by pixel.
#include "controls/edit/EdgeButton.h"
#include "tests/controls/PixelRules.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillon;
using namespace quillon::test;

TEST(EdgeButtonLooks, EveryLookFollowsTheDrawingRules)
{
    const RECT R0{0, 0, 75, 23};
    TFont font; // Tahoma 8 pt, in red: captions take the button text colour regardless
    font.color = 0x0000FF;
    const struct {
        const char* name;
        TEdgeLook look;
    } cases[] = {
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
    };

    // The caption alone, centred in the whole button, where every look but
    // the pressed ones puts it (insets on all sides keep the centre), with the
    // A underlined.
    TBitmap alone(75, 23);
    alone.Fill(clBtnFace);
    alone.Canvas().SetFont(font);
    alone.Canvas().DrawText("&Apply", R0, DT_SINGLELINE | DT_CENTER | DT_VCENTER, clBtnText);
    const PixelSet text = Pixels(alone, R0, clBtnFace, false);
    const SIZE size = alone.Canvas().MeasureText("Apply", DT_SINGLELINE);
    ASSERT_FALSE(text.empty());
    EXPECT_NEAR(text.begin()->first + size.cx / 2.0, 75 / 2.0, 2.0) << "centred";
    int bottom = 0;
    for (auto [x, y] : text)
        bottom = std::max(bottom, y);
    EXPECT_GE(std::count_if(text.begin(), text.end(), [&](auto p) { return p.second == bottom; }), 4)
        << "the A is underlined";

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TEdgeLook& look = c.look;
        TBitmap bmp(75, 23);
        PaintEdgeButton(bmp.Canvas(), R0, look, "&Apply", font);

        RECT r = R0;
        if (look.active || look.focused) {
            ExpectRing(bmp, r, clWindowText, clWindowText, "outline");
            r = Inset(r, 1);
        }
        if (look.pressed) {
            ExpectRing(bmp, r, clBtnShadow, clBtnHighlight, "sunken edge");
        } else if (look.hot) {
            ExpectRing(bmp, r, clBtnHighlight, clWindowText, "two-pixel edge, outer");
            ExpectRing(bmp, Inset(r, 1), clBtnFace, clBtnShadow, "two-pixel edge, inner");
            r = Inset(r, 1);
        } else {
            ExpectRing(bmp, r, clBtnHighlight, clBtnShadow, "one-pixel edge");
        }
        r = Inset(r, 1);

        // Inside the edge: the caption (moved by (1, 1) when pressed, with
        // its echo when disabled) and the focus rectangle 4 pixels inside.
        const PixelSet caption = look.pressed ? Shifted(text, 1, 1) : text;
        const PixelSet echo = look.embossed ? Shifted(caption, 1, 1) : PixelSet{};
        PixelSet dots;
        for (auto p : Pixels(bmp, r, clBtnFace, false))
            if (!caption.count(p) && !echo.count(p))
                dots.insert(p);
        const RECT focus = Inset(R0, 4);
        const bool onFocusRing = std::all_of(dots.begin(), dots.end(), [&](auto p) {
            return p.first == focus.left || p.first == focus.right - 1 || p.second == focus.top ||
                   p.second == focus.bottom - 1;
        });
        EXPECT_TRUE(onFocusRing) << "nothing but caption and focus rectangle";
        if (look.active && look.focused)
            EXPECT_GE(dots.size(), 50u) << "a dotted focus rectangle";
        else
            EXPECT_TRUE(dots.empty()) << "no focus rectangle";
        EXPECT_EQ(Pixels(bmp, r, look.embossed ? clBtnShadow : clBtnText), caption);
        if (look.embossed) {
            const PixelSet light = Pixels(bmp, r, clBtnHighlight);
            EXPECT_FALSE(light.empty());
            EXPECT_TRUE(std::includes(echo.begin(), echo.end(), light.begin(), light.end())) << "light echo at (1, 1)";
        }
    }
}
