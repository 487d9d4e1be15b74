// The gradient caption label's picture, rendered off-screen and checked
// pixel by pixel: background, rings and lines exactly, texts where the
// font's metrics put them.
#include "tests/controls/LabelTestSupport.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"
#include "tests/controls/PixelRules.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Ground = 0x00FF00;

// Pixels of `area` that differ from the gradient image.
int DifferencesFromGradient(const TBitmap& b, const TGradientCaptionLabel& label, RECT area)
{
    int differ = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            differ += b.Pixel(x, y) != label.Gradient().Bitmap().Pixel(x, y);
    return differ;
}

// A plain white label without bevel, so that every other pixel is text or glyph.
void MakePlain(TGradientCaptionLabel& label, int w, int h)
{
    label.SetBounds(0, 0, w, h);
    label.Gradient().SetEnabled(false);
    label.SetBevelOuter(TBevelCut::bvNone);
    label.SetColor(clWhite);
}

TPixelSet Ink(const TBitmap& b)
{
    return Pixels(b, RECT{0, 0, b.Width(), b.Height()}, clWhite, false);
}

// Height of `text` in the label's font as the label measures it.
int MeasuredHeight(TGradientCaptionLabel& label, const std::string& text, const TFont& font)
{
    TBitmap probe(1, 1);
    RECT r = label.ClientRect();
    label.DrawCaptionText(text, probe.Canvas(), CaptionDrawFlags | DT_CALCRECT, r, font);
    return r.bottom - r.top;
}

int TextWidth(const std::string& text, const TFont& font)
{
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(font);
    return probe.Canvas().MeasureText(text, DT_SINGLELINE | DT_NOPREFIX).cx;
}

class LabelLooks : public ::testing::Test {
protected:
    TTestForm form{400, 120};
};

} // namespace

TEST_F(LabelLooks, ANewLabelIsTheDefaultGradientInARaisedBevel)
{
    TGradientCaptionLabel label(&form);
    TBitmap b;
    Render(label, b);
    ExpectRing(b, RECT{0, 0, 289, 24}, clBtnHighlight, clBtnShadow, "bevel");
    EXPECT_EQ(DifferencesFromGradient(b, label, RECT{1, 1, 288, 23}), 0) << "the gradient inside the bevel";

    const TBitmap& gradient = label.Gradient().Bitmap();
    const std::vector<int32_t> bands = GradientTable(0xC0C0C0, 0x808080, 16);
    EXPECT_EQ(gradient.Pixel(0, 0), 0xC0C0C0);
    int foreign = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 289; ++x)
            foreign += std::find(bands.begin(), bands.end(), gradient.Pixel(x, y)) == bands.end();
    EXPECT_EQ(foreign, 0) << "only the 16 band colours";
}

TEST_F(LabelLooks, TheAboutStripIsTheGradientAlone)
{
    TGradientCaptionLabel label(&form);
    label.SetBounds(0, 55, 358, 5);
    label.SetBevelOuter(TBevelCut::bvNone);
    label.Gradient().SetColorSteps(255);
    label.Gradient().SetStartColor(13612943);
    label.Gradient().SetEndColor(10053171);
    TBitmap b;
    Render(label, b);
    EXPECT_EQ(DifferencesFromGradient(b, label, RECT{0, 0, 358, 5}), 0);
    const std::vector<int32_t> table = GradientTable(13612943, 10053171, 255);
    const int entries[] = {0, 0, 1, 1, 2, 3, 3, 4, 5, 6};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(b.Pixel(x, y), table[static_cast<size_t>(entries[x])]) << x << ", " << y;
        EXPECT_EQ(b.Pixel(357, y), table[253]) << "the last column, row " << y;
    }
}

TEST_F(LabelLooks, BevelsAndBorderAreRingsFromTheOutsideIn)
{
    TGradientCaptionLabel label(&form);
    label.SetBounds(0, 0, 40, 20);
    label.SetColor(clWhite);
    label.SetBevelInner(TBevelCut::bvLowered);
    label.SetBevelWidth(2);
    label.SetBorderWidth(1);
    TBitmap b;
    Render(label, b);
    ExpectRing(b, RECT{0, 0, 40, 20}, clBtnHighlight, clBtnShadow, "outer 1");
    ExpectRing(b, RECT{1, 1, 39, 19}, clBtnHighlight, clBtnShadow, "outer 2");
    ExpectRing(b, RECT{2, 2, 38, 18}, clWhite, clWhite, "border");
    ExpectRing(b, RECT{3, 3, 37, 17}, clBtnShadow, clBtnHighlight, "inner 1");
    ExpectRing(b, RECT{4, 4, 36, 16}, clBtnShadow, clBtnHighlight, "inner 2");
    EXPECT_EQ(DifferencesFromGradient(b, label, RECT{5, 5, 35, 15}), 0);

    label.SetBevelInner(TBevelCut::bvNone);
    label.SetBevelWidth(1);
    label.SetBorderWidth(2);
    Render(label, b);
    ExpectRing(b, RECT{0, 0, 40, 20}, clBtnHighlight, clBtnShadow, "raised");
    ExpectRing(b, RECT{1, 1, 39, 19}, clWhite, clWhite, "border 1");
    ExpectRing(b, RECT{2, 2, 38, 18}, clWhite, clWhite, "border 2");
    EXPECT_EQ(DifferencesFromGradient(b, label, RECT{3, 3, 37, 17}), 0);
}

TEST_F(LabelLooks, BoundLinesLeaveTheBottomRightPixel)
{
    TGradientCaptionLabel label(&form);
    label.SetBounds(0, 0, 10, 10);
    label.Gradient().SetEnabled(false);
    label.SetColor(clWhite);
    label.SetBoundColor(Red);
    label.SetBoundLines(blLeft | blTop | blRight | blBottom);
    TBitmap b;
    Render(label, b);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(b.Pixel(0, i), Red) << "left " << i;
        EXPECT_EQ(b.Pixel(i, 0), Red) << "top " << i;
        EXPECT_EQ(b.Pixel(9, i), Red) << "right " << i;
        EXPECT_EQ(b.Pixel(i, 9), Red) << "bottom " << i;
    }
    EXPECT_EQ(b.Pixel(9, 9), ColorToRGB(clBtnShadow)) << "the bevel's pixel stays";
    EXPECT_EQ(Pixels(b, RECT{1, 1, 9, 9}, clWhite).size(), 64u);

    label.SetBoundLines(blRight);
    Render(label, b);
    EXPECT_EQ(b.Pixel(9, 0), Red);
    EXPECT_EQ(b.Pixel(0, 5), ColorToRGB(clBtnHighlight)) << "only the lines asked for";
}

TEST_F(LabelLooks, APaletteDisplayShowsThePlainColour)
{
    TProbeLabel label(&form);
    label.SetBounds(0, 0, 60, 20);
    label.SetBevelOuter(TBevelCut::bvNone);
    label.SetColor(Blue);
    label.palette = true;
    TBitmap b;
    Render(label, b);
    EXPECT_EQ(Pixels(b, RECT{0, 0, 60, 20}, Blue).size(), 60u * 20u);
}

TEST_F(LabelLooks, CaptionLayoutMovesTheTextByItsMeasuredHeight)
{
    TGradientCaptionLabel label(&form);
    MakePlain(label, 200, 24);
    label.SetCaption("Hg caption");
    const int t = MeasuredHeight(label, "Hg caption", label.Font());
    TBitmap b;
    label.SetLayout(TTextLayout::tlTop);
    Render(label, b);
    const TPixelSet top = Ink(b);
    ASSERT_FALSE(top.empty());
    EXPECT_GE(Bounds(top).left, 5) << "Margin";

    label.SetLayout(TTextLayout::tlBottom);
    Render(label, b);
    EXPECT_EQ(Ink(b), Shifted(top, 0, 24 - t)) << "the rectangle starts at H - t (11 for a 13-pixel text)";
    label.SetLayout(TTextLayout::tlCenter);
    Render(label, b);
    EXPECT_EQ(Ink(b), Shifted(top, 0, (24 - t) / 2));

    // A rectangle narrower than the first character draws nothing.
    label.SetLayout(TTextLayout::tlTop);
    label.SetMargin(200 - TextWidth("H", label.Font()) + 1);
    Render(label, b);
    EXPECT_TRUE(Ink(b).empty());
    label.SetMargin(200 - TextWidth("H", label.Font()));
    Render(label, b);
    EXPECT_FALSE(Ink(b).empty()) << "exactly its width is enough";
}

TEST_F(LabelLooks, AmpersandsFollowShowAccelChar)
{
    TGradientCaptionLabel label(&form);
    MakePlain(label, 120, 20);
    TBitmap b;
    label.SetCaption("A&&B");
    Render(label, b);
    const TPixelSet doubled = Ink(b);
    label.SetShowAccelChar(false);
    label.SetCaption("A&B");
    Render(label, b);
    EXPECT_EQ(Ink(b), doubled) << "one ampersand either way";

    label.SetCaption("&B");
    Render(label, b);
    const TPixelSet plain = Ink(b);
    label.SetShowAccelChar(true);
    Render(label, b);
    EXPECT_LT(Bounds(Ink(b)).right - Bounds(Ink(b)).left, Bounds(plain).right - Bounds(plain).left)
        << "the ampersand marks the accelerator instead of being drawn";
}

TEST_F(LabelLooks, GlyphAndSubCaptionTakeTheirEnds)
{
    TGradientCaptionLabel label(&form);
    MakePlain(label, 300, 30);
    TBitmap picture;
    MakeGlyph(picture, 32, 16, Ground, Red); // two cells of 16
    label.Glyph().SetBitmap(&picture);
    label.SetCaption("Caption");
    label.SubCaption().SetCaption("sub");
    TBitmap b;
    Render(label, b);
    const RECT glyph = Bounds(Pixels(b, RECT{0, 0, 300, 30}, Red));
    EXPECT_EQ(glyph.left, 5 + 1) << "Glyph.Margin, inside the cell's one-pixel ground";
    EXPECT_EQ(glyph.top, (30 - 16) / 2 + 1);
    EXPECT_EQ(glyph.right - glyph.left, 14) << "one cell only";
    EXPECT_EQ(glyph.bottom - glyph.top, 14);
    EXPECT_TRUE(Pixels(b, RECT{0, 0, 300, 30}, Ground).empty()) << "the ground is transparent";

    // Caption right of the glyph (E = 16 + 5, then Margin), sub-caption
    // ending SubCaption.Margin before the right edge.
    const int subWidth = TextWidth("sub", label.SubCaption().Font());
    const TColor ink = label.Font().color;
    const TPixelSet text = Pixels(b, RECT{0, 0, 300, 30}, ink);
    const RECT caption = Bounds(Pixels(b, RECT{0, 0, 150, 30}, ink));
    const RECT sub = Bounds(Pixels(b, RECT{150, 0, 300, 30}, ink));
    EXPECT_GE(caption.left, 5 + 21);
    EXPECT_LE(caption.left, 5 + 21 + 2);
    EXPECT_GE(sub.left, 300 - subWidth - 5);
    EXPECT_LE(sub.right, 300 - 5 + 1);
    EXPECT_EQ(Bounds(text).right, sub.right);

    label.Glyph().SetDisplayAlign(TDisplayAlign::daRight);
    label.Glyph().SetLayout(TGlyphLayout::glBottom);
    Render(label, b);
    const RECT right = Bounds(Pixels(b, RECT{0, 0, 300, 30}, Red));
    EXPECT_EQ(right.left, 300 - 16 - 5 + 1);
    EXPECT_EQ(right.bottom, 30 - 5 - 1);
    const RECT movedSub = Bounds(Pixels(b, RECT{150, 0, 300, 30}, ink));
    EXPECT_EQ(movedSub.left, sub.left - 21) << "the sub-caption moves left of the glyph";
    const RECT movedCaption = Bounds(Pixels(b, RECT{0, 0, 150, 30}, ink));
    EXPECT_GE(movedCaption.left, 5) << "the caption starts at Margin";
    EXPECT_LE(movedCaption.left, 5 + 2);
}

TEST_F(LabelLooks, ADisabledLabelEmbossesItsTextsAndGreysItsGlyph)
{
    TGradientCaptionLabel label(&form);
    MakePlain(label, 300, 30);
    constexpr TColor back = 0x00D0E0F0; // neither highlight nor shadow
    label.SetColor(back);
    TBitmap picture;
    MakeGlyph(picture, 16, 16, Ground, 0x3080F0);
    label.Glyph().SetBitmap(&picture);
    label.SetCaption("Caption");
    label.SubCaption().SetCaption("sub");
    TBitmap b;
    Render(label, b);
    const RECT texts{22, 0, 300, 30}, glyphArea{0, 0, 22, 30}; // glyph 5 .. 20
    const TPixelSet text = Pixels(b, texts, label.Font().color);
    const TPixelSet glyph = Pixels(b, glyphArea, 0x3080F0);
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(glyph.size(), 14u * 14u);

    label.SetEnabled(false);
    Render(label, b);
    const TPixelSet shadow = Pixels(b, texts, clBtnShadow);
    const TPixelSet highlight = Pixels(b, texts, clBtnHighlight);
    EXPECT_EQ(shadow, text) << "the shadow copy where the text was";
    EXPECT_FALSE(highlight.empty());
    for (const auto& p : highlight)
        EXPECT_TRUE(Shifted(text, 1, 1).count(p)) << "highlight echo at (" << p.first << ", " << p.second << ")";
    EXPECT_EQ(Pixels(b, texts, back, false).size(), shadow.size() + highlight.size()) << "nothing else";
    const TColor grey = ((0xF0 + 0x80 + 0x30) / 3) * 0x010101;
    EXPECT_EQ(Pixels(b, glyphArea, grey), glyph);
    EXPECT_TRUE(Pixels(b, glyphArea, Ground).empty()) << "transparent pixels stay out";

    label.Glyph().SetAllowGrayed(false);
    Render(label, b);
    EXPECT_EQ(Pixels(b, glyphArea, 0x3080F0), glyph);
}

TEST_F(LabelLooks, BorderStyleAndCtl3DChooseTheWindowFrame)
{
    TGradientCaptionLabel label(&form);
    form.Show();
    const HWND plain = label.Handle();
    EXPECT_EQ(label.ClientWidth(), 289);
    label.SetBorderStyle(TBorderStyle::bsSingle);
    EXPECT_NE(label.Handle(), plain) << "re-created";
    EXPECT_TRUE(GetWindowLongPtrW(label.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(label.ClientWidth(), 289 - 4);
    label.SetCtl3D(false);
    EXPECT_FALSE(GetWindowLongPtrW(label.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongPtrW(label.Handle(), GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(label.ClientWidth(), 289 - 2);
    EXPECT_EQ(label.Width(), 289) << "the outer size stays";

    TBitmap b;
    Render(label, b);
    ExpectRing(b, RECT{0, 0, 287, 22}, clBtnHighlight, clBtnShadow, "bevel on the client area");
}

TEST_F(LabelLooks, PaintingAndRebuildingLeakNoGdiObjects)
{
    TGradientCaptionLabel label(&form);
    TBitmap picture;
    MakeGlyph(picture, 32, 16, Ground, Red);
    TImageList list(16, 16);
    list.Add(picture, Ground);
    label.Glyph().SetBitmap(&picture);
    label.SetCaption("Caption");
    label.SubCaption().SetCaption("sub");
    label.SetOptions(loEmulateFormCaption); // draws the form's frame on every paint
    form.Show();
    auto cycle = [&](int i) {
        label.SetEnabled(i % 2 == 0); // grey glyph, embossed texts
        label.Glyph().SetImageList(i % 3 == 0 ? &list : nullptr);
        label.Glyph().SetImageIndex(i % 2);
        label.SetWidth(280 + i % 7); // rebuilds the gradient
        label.Invalidate();
        label.Update();
        label.BuildGlyphImage();
    };
    for (int i = 0; i < 10; ++i)
        cycle(i);
    const int before = LiveGdiObjects();
    for (int i = 0; i < 300; ++i)
        cycle(i);
    EXPECT_EQ(LiveGdiObjects(), before);
}
