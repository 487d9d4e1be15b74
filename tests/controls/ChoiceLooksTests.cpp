// The choice edit's looks rendered off-screen and checked pixel by pixel:
// the button's faces, edges and glyph in every state the program shows.
#include "controls/choice/ChoicePaint.h"
#include "controls/choice/EditButton.h"
#include "tests/support/GuiHelpers.h"
#include "tests/controls/PixelRules.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace quillon;
using namespace quillon::test;

namespace {

// The face alone: the button painted at the top-left of a bitmap its size.
void Render(TQnEditButton& button, TBitmap& face)
{
    face.SetSize(button.Width, button.Height);
    const int left = button.Left, top = button.Top;
    button.Left = button.Top = 0;
    button.Paint(face.Canvas());
    button.Left = left;
    button.Top = top;
}

// The main window's editor button: 16 x 17, flat, ellipsis glyph.
TQnEditButton& MainWindowButton(TQnEditButton& b)
{
    b.Width = 16;
    b.Height = 17;
    b.DrawStyle = TButtonDrawStyle::bdsFlat;
    b.LoadGlyph("QN_BTNELLIPSIS");
    return b;
}

TEST(ChoiceButtonLooks, DisabledFaceIsDitheredWithGreyDots)
{
    TQnEditButton button;
    MainWindowButton(button).ButtonEnabled = false;
    TBitmap face;
    Render(button, face);
    // The glyph sits at x (16 - 10 - 6) / 2 + 3 = 3, y (17 - 12) / 2 = 2.
    const PixelSet dots = EllipsisDots(3, 2);
    EXPECT_EQ(Pixels(face, RECT{1, 1, 15, 16}, clBtnShadow), dots);
    // The flat edit is not hot: a clWindow ring; inside it alternating pixels.
    ExpectRing(face, RECT{0, 0, 16, 17}, clWindow, clWindow, "ring");
    const TColor light = 0xE6E6E6, faceRgb = ColorToRGB(clBtnFace);
    for (int y = 1; y < 16; ++y)
        for (int x = 1; x < 15; ++x)
            if (!dots.count({x, y})) {
                EXPECT_EQ(face.Pixel(x, y), (x + y) % 2 == 0 ? light : faceRgb) << x << "," << y;
            }
}

TEST(ChoiceButtonLooks, EdgesAndGlyphByState)
{
    struct Case {
        const char* what;
        bool editHot;
        TButtonMouse event; // fed at the button's centre
        TColor top, bottom;
        int shift; // glyph moved while down
    } cases[] = {
        {"idle, edit not hot", false, TButtonMouse::bmRelease, clWindow, clWindow, 0},
        {"idle, edit hot", true, TButtonMouse::bmRelease, clBtnHighlight, clBtnShadow, 0},
        {"button hot", true, TButtonMouse::bmMove, clBtnHighlight, clBtnShadow, 0},
        {"pressed", true, TButtonMouse::bmPress, clBtnShadow, clBtnHighlight, 1},
    };
    for (const Case& c : cases) {
        TQnEditButton button;
        MainWindowButton(button).EditHot = c.editHot;
        if (c.event != TButtonMouse::bmRelease)
            button.Mouse(c.event, POINT{8, 8}, c.event == TButtonMouse::bmPress);
        TBitmap face;
        Render(button, face);
        ExpectRing(face, RECT{0, 0, 16, 17}, c.top, c.bottom, c.what);
        EXPECT_EQ(Pixels(face, RECT{1, 1, 15, 16}, clBlack), EllipsisDots(3 + c.shift, 2 + c.shift)) << c.what;
        const PixelSet faces = Pixels(face, RECT{1, 1, 15, 16}, clBtnFace);
        EXPECT_EQ(faces.size(), 14u * 15u - 12u) << c.what;
    }
}

TEST(ChoiceButtonLooks, ResourceGlyphsMatchTheirPictures)
{
    struct Case {
        const char* name;
        int width, height;
        PixelSet black;
    } cases[] = {
        {"QN_BTNELLIPSIS", 10, 12, EllipsisDots(0, 0)},
        {"QN_BTNCOMBO", 9, 12, {}},
    };
    for (int row = 0; row < 4; ++row)
        for (int x = 1 + row; x <= 7 - row; ++x)
            cases[1].black.insert({x, 4 + row});
    for (const Case& c : cases) {
        TBitmap glyph;
        LoadGlyph(glyph, c.name);
        ASSERT_EQ(glyph.Width(), c.width) << c.name;
        ASSERT_EQ(glyph.Height(), c.height) << c.name;
        EXPECT_EQ(glyph.TransparentColor(), clFuchsia) << c.name;
        EXPECT_EQ(Pixels(glyph, RECT{0, 0, c.width, c.height}, clBlack), c.black) << c.name;
    }
    for (const char* name : {"QN_FLATCHOICE", "QN_BTNPOPUP", "QN_MV_INVALIDVALUE"}) {
        TBitmap glyph;
        LoadGlyph(glyph, name);
        EXPECT_EQ(glyph.TransparentColor(), clFuchsia) << name;
    }
    TBitmap sign;
    LoadGlyph(sign, "QN_MV_INVALIDVALUE");
    EXPECT_EQ(sign.Width(), 14);
    EXPECT_EQ(sign.Height(), 14);
}

TEST(ChoiceButtonLooks, ErrorTextsComeFromTheStringTable)
{
    EXPECT_EQ(LoadResString(59995), "Некорректное целочисленное значение");
    EXPECT_EQ(LoadResString(59996), "Пустое значение недопустимо");
    EXPECT_EQ(LoadResString(59991), "Некорректное значение");
}

} // namespace

