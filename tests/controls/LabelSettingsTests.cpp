// The gradient caption label's settings: defaults, which setters repaint or
// rebuild the gradient, the glyph's cells, transparent colour and image
// list, forgotten partners, and the gradient image against the formula.
#include "tests/controls/LabelTestSupport.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Ground = 0x00FF00;

} // namespace

TEST(LabelSettings, ANewLabelHasItsDefaultsAndTakesNoRandomDraws)
{
    TTestForm form(300, 100);
    const uint32_t state = GradientRandom().State();
    TGradientCaptionLabel label(&form);
    EXPECT_EQ(GradientRandom().State(), state) << "sizing in the constructor builds no gradient";
    EXPECT_TRUE(label.Gradient().Bitmap().Empty());

    EXPECT_EQ(label.Width(), 289);
    EXPECT_EQ(label.Height(), 24);
    EXPECT_TRUE(label.ParentColor());
    EXPECT_TRUE(label.ParentFont());
    label.SetVersion("Version 2");
    EXPECT_EQ(label.Version(), "Version 1.05e-Build 1129");
}

TEST(LabelSettings, SettersRepaintAndRebuildByTheirRules)
{
    using Action = std::function<void(TProbeLabel&)>;
    struct Case {
        const char* name;
        Action setup;
        Action change;
        bool repaint;
        bool rebuild;
    };
    const Action none = [](TProbeLabel&) {};
    const Case cases[] = {
        {"steps", none, [](TProbeLabel& l) { l.Gradient().SetColorSteps(8); }, true, true},
        {"same steps", none, [](TProbeLabel& l) { l.Gradient().SetColorSteps(16); }, false, false},
        {"start colour", none, [](TProbeLabel& l) { l.Gradient().SetStartColor(Red); }, true, true},
        {"end colour", none, [](TProbeLabel& l) { l.Gradient().SetEndColor(Red); }, true, true},
        {"style", none, [](TProbeLabel& l) { l.Gradient().SetStyle(TGradientStyle::gsTop); }, true, true},
        {"dither off", none, [](TProbeLabel& l) { l.Gradient().SetDithered(false); }, true, true},
        {"gradient off", none, [](TProbeLabel& l) { l.Gradient().SetEnabled(false); }, true, false},
        {"colour while off", [](TProbeLabel& l) { l.Gradient().SetEnabled(false); },
         [](TProbeLabel& l) { l.Gradient().SetStartColor(Red); }, true, false},
        {"gradient back on", [](TProbeLabel& l) { l.Gradient().SetEnabled(false); },
         [](TProbeLabel& l) { l.Gradient().SetEnabled(true); }, true, true},
        {"resize", none, [](TProbeLabel& l) { l.SetWidth(100); }, true, true},
        {"same glyph count", none, [](TProbeLabel& l) { l.Glyph().SetNumGlyphs(1); }, true, false},
        {"same glyph margin", none, [](TProbeLabel& l) { l.Glyph().SetMargin(5); }, false, false},
        {"glyph margin", none, [](TProbeLabel& l) { l.Glyph().SetMargin(2); }, true, false},
        {"glyph hidden", none, [](TProbeLabel& l) { l.Glyph().SetVisible(false); }, true, false},
        {"sub-caption", none, [](TProbeLabel& l) { l.SubCaption().SetCaption("v1"); }, true, false},
        {"sub-caption hot tracking", none, [](TProbeLabel& l) { l.SubCaption().HotTrack = true; }, false, false},
        {"same sub-caption font", none, [](TProbeLabel& l) { l.SubCaption().SetFont(l.SubCaption().Font()); },
         true, false},
        {"inner bevel", none, [](TProbeLabel& l) { l.SetBevelInner(TBevelCut::bvLowered); }, true, false},
        {"bound lines", none, [](TProbeLabel& l) { l.SetBoundLines(blTop); }, true, false},
        {"same layout", none, [](TProbeLabel& l) { l.SetLayout(TTextLayout::tlCenter); }, false, false},
        {"disabled", none, [](TProbeLabel& l) { l.SetEnabled(false); }, true, false},
        {"drag click option", none, [](TProbeLabel& l) { l.SetOptions(loReplyFormDragClick); }, false, false},
        {"caption option", none, [](TProbeLabel& l) { l.SetOptions(loEmulateFormCaption); }, true, true}, // aligned: wider
        {"version", none, [](TProbeLabel& l) { l.SetVersion("x"); }, false, false},
    };
    for (const Case& c : cases) {
        TTestForm form(300, 100);
        TProbeLabel label(&form);
        c.setup(label);
        const bool builtBefore = !label.Gradient().Bitmap().Empty();
        label.repaints = 0;
        c.change(label);
        EXPECT_EQ(label.repaints > 0, c.repaint) << c.name;
        EXPECT_EQ(!builtBefore && !label.Gradient().Bitmap().Empty(), c.rebuild) << c.name;
    }

    TTestForm form(300, 100);
    TProbeLabel label(&form);
    label.SetOptions(loEmulateFormCaption | loReplyGlyphClick);
    EXPECT_EQ(label.Align(), TAlign::alTop) << "standing in for the title bar aligns the label to the top";
    label.Gradient().SetColorSteps(1000);
    EXPECT_EQ(label.Gradient().ColorSteps(), 255);
    label.Gradient().SetColorSteps(0);
    EXPECT_EQ(label.Gradient().ColorSteps(), 2);
}

TEST(LabelSettings, GlyphCellsFollowTheBitmapShape)
{
    struct Case {
        int width, height, cells, shownWidth;
    };
    const Case cases[] = {
        {64, 16, 4, 16}, {48, 16, 3, 16}, {50, 16, 1, 50}, {16, 16, 1, 16},
        {4096, 16, 256, 16}, // more cells than a byte counts: still one square cell
    };
    TTestForm form(300, 100);
    TProbeLabel label(&form);
    for (const Case& c : cases) {
        TBitmap picture;
        MakeGlyph(picture, c.width, c.height, Ground, Red);
        label.repaints = 0;
        label.Glyph().SetBitmap(&picture);
        EXPECT_EQ(label.Glyph().NumGlyphs(), c.cells) << c.width << " x " << c.height;
        EXPECT_GT(label.repaints, 0);
        const std::unique_ptr<TBitmap> image = label.BuildGlyphImage();
        ASSERT_TRUE(image) << c.width;
        EXPECT_EQ(image->Width(), c.shownWidth) << c.width;
        EXPECT_EQ(image->Height(), c.height);
        EXPECT_TRUE(image->Transparent);
        EXPECT_EQ(image->Pixel(1, 1), Red) << "the leftmost cell";
    }
    label.Glyph().SetNumGlyphs(0);
    EXPECT_EQ(label.Glyph().NumGlyphs(), 1) << "never a division by zero";
    label.Glyph().SetBitmap(nullptr);
    EXPECT_TRUE(label.Glyph().Bitmap().Empty());
    EXPECT_EQ(label.BuildGlyphImage(), nullptr);
    EXPECT_EQ(label.Glyph().NumGlyphs(), 1);
}

TEST(LabelSettings, ChoosingATransparentColourSwitchesToManualAndBack)
{
    TTestForm form(300, 100);
    TProbeLabel label(&form);
    TGlyph& glyph = label.Glyph();
    TBitmap picture;
    MakeGlyph(picture, 16, 16, Ground, Red);

    glyph.SetBitmap(&picture);
    EXPECT_EQ(glyph.AlphaMode(), TAlphaMode::amAuto);
    EXPECT_EQ(glyph.AlphaColor(), Ground) << "the bottom-left pixel";
    EXPECT_EQ(label.BuildGlyphImage()->TransparentColor(), Ground);

    glyph.SetAlphaColor(Red);
    EXPECT_EQ(glyph.AlphaMode(), TAlphaMode::amManual);
    EXPECT_EQ(label.BuildGlyphImage()->TransparentColor(), Red);

    label.repaints = 0;
    glyph.SetAlphaMode(TAlphaMode::amAuto);
    EXPECT_EQ(glyph.AlphaColor(), Ground) << "automatic again: the colour comes from the bitmap";
    EXPECT_GT(label.repaints, 0);

    // In manual mode a new picture keeps the chosen colour.
    glyph.SetAlphaColor(Blue);
    TBitmap other;
    MakeGlyph(other, 16, 16, clWhite, Red);
    glyph.SetBitmap(&other);
    EXPECT_EQ(glyph.AlphaColor(), Blue);
    EXPECT_EQ(label.BuildGlyphImage()->TransparentColor(), Blue);

    // Without a picture the colour is just stored.
    glyph.SetAlphaMode(TAlphaMode::amAuto);
    glyph.SetBitmap(nullptr);
    EXPECT_EQ(glyph.AlphaColor(), clWhite) << "an empty picture has no colour to take";
    glyph.SetAlphaColor(Red);
    EXPECT_EQ(glyph.AlphaMode(), TAlphaMode::amAuto);
}

TEST(LabelSettings, ImageListTakesPrecedenceAndIsForgottenWhenItGoes)
{
    TTestForm form(300, 100);
    TProbeLabel label(&form);
    TBitmap picture;
    MakeGlyph(picture, 20, 20, Ground, Red);
    label.Glyph().SetBitmap(&picture);

    auto list = std::make_unique<TImageList>(8, 8);
    TBitmap strip;
    strip.SetSize(16, 8);
    strip.Fill(clWhite);
    strip.Canvas().FillRect(RECT{9, 1, 15, 7}, Blue);
    list->Add(strip, clWhite);

    label.Glyph().SetImageList(list.get());
    EXPECT_EQ(label.BuildGlyphImage(), nullptr) << "index -1: nothing, and no fallback to Bitmap";
    label.Glyph().SetImageIndex(2);
    EXPECT_EQ(label.BuildGlyphImage(), nullptr) << "beyond the list";
    label.Glyph().SetImageIndex(1);
    const std::unique_ptr<TBitmap> image = label.BuildGlyphImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 8);
    EXPECT_EQ(image->Height(), 8);
    EXPECT_EQ(image->Pixel(3, 3), Blue);
    EXPECT_TRUE(image->Transparent);
    EXPECT_EQ(image->TransparentColor(), clWhite) << "the list's transparent parts";

    label.repaints = 0;
    list.reset();
    EXPECT_EQ(label.Glyph().ImageList(), nullptr);
    EXPECT_GT(label.repaints, 0);
    EXPECT_EQ(label.BuildGlyphImage()->Width(), 20) << "the bitmap shows again";

    // A list replaced by another is no longer followed.
    auto first = std::make_unique<TImageList>(8, 8);
    TImageList second(8, 8);
    label.Glyph().SetImageList(first.get());
    label.Glyph().SetImageList(&second);
    first.reset();
    EXPECT_EQ(label.Glyph().ImageList(), &second);
}

TEST(LabelSettings, FocusControlIsForgottenWhenItGoes)
{
    TTestForm form(300, 100);
    TGradientCaptionLabel label(&form);
    auto partner = std::make_unique<TGradientCaptionLabel>(&form);
    label.SetFocusControl(partner.get());
    EXPECT_EQ(label.FocusControl(), partner.get());
    partner.reset();
    EXPECT_EQ(label.FocusControl(), nullptr);

    // Gone after the label was pointed elsewhere: nothing to forget.
    auto old = std::make_unique<TGradientCaptionLabel>(&form);
    TGradientCaptionLabel current(&form);
    label.SetFocusControl(old.get());
    label.SetFocusControl(&current);
    old.reset();
    EXPECT_EQ(label.FocusControl(), &current);
}

TEST(LabelSettings, ColourOtherThanTheParentsClearsParentColor)
{
    TTestForm form(300, 100, clWhite);
    TGradientCaptionLabel label(&form);
    EXPECT_EQ(label.Color(), clWhite) << "the parent's colour";
    form.SetColor(Blue);
    EXPECT_EQ(label.Color(), Blue) << "follows the parent";

    label.SetColor(Red);
    EXPECT_FALSE(label.ParentColor());
    form.SetColor(Ground);
    EXPECT_EQ(label.Color(), Red);

    label.SetParentColor(true);
    EXPECT_EQ(label.Color(), Ground);

    TGradientCaptionLabel alone(nullptr);
    alone.SetParentColor(true);
    alone.SetColor(Red);
    EXPECT_TRUE(alone.ParentColor()) << "no parent, no colour to differ from";
}

TEST(LabelGradientImage, RebuildDrawsFromTheSharedGeneratorByTheFormula)
{
    struct Case {
        const char* name;
        int w, h;
        int steps;
        TColor start, end;
        TGradientStyle style;
        bool dithered;
    };
    const Case cases[] = {
        {"default label", 289, 24, 16, 0xC0C0C0, 0x808080, TGradientStyle::gsLeft, true},
        {"about strip", 358, 5, 255, 13612943, 10053171, TGradientStyle::gsLeft, true},
        {"right", 120, 20, 7, Red, Blue, TGradientStyle::gsRight, true},
        {"bottom", 30, 70, 9, Red, Blue, TGradientStyle::gsBottom, true},
        {"narrower than its bands", 10, 18, 16, Red, Blue, TGradientStyle::gsLeft, true},
        {"system colours", 50, 10, 4, clBtnFace, clBtnShadow, TGradientStyle::gsTop, false},
    };
    for (const Case& c : cases) {
        TTestForm form(400, 100);
        TGradientCaptionLabel label(&form);
        label.SetBounds(0, 0, c.w, c.h);
        label.Gradient().SetColorSteps(c.steps);
        label.Gradient().SetStartColor(c.start);
        label.Gradient().SetEndColor(c.end);
        label.Gradient().SetStyle(c.style);
        label.Gradient().SetDithered(c.dithered);

        TRandomGenerator expectedDraws = GradientRandom();
        label.Gradient().RebuildBitmap();
        const GradientImage expected = RenderGradient(c.w, c.h, ColorToRGB(c.start), ColorToRGB(c.end), c.steps,
                                                      c.style, c.dithered, expectedDraws);
        EXPECT_EQ(GradientRandom().State(), expectedDraws.State()) << c.name;
        const TBitmap& image = label.Gradient().Bitmap();
        ASSERT_EQ(image.Width(), c.w) << c.name;
        ASSERT_EQ(image.Height(), c.h) << c.name;
        int wrong = 0;
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                wrong += image.Pixel(x, y) != expected.Pixel(x, y);
        EXPECT_EQ(wrong, 0) << c.name;
    }
}
