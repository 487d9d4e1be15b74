// The looks the program uses, rendered off-screen and checked pixel by pixel:
// frames and faces exactly, captions where the font's metrics put them.
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatPanel.h"
#include "controls/flat/FlatSpeedButton.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/GuiHelpers.h"
#include "tests/support/SaveDialogForm.h"
#include "tests/controls/PixelRules.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace quillon;
using namespace quillon::test;

static bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

static std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

bool Contains(const PixelSet& outer, const PixelSet& inner)
{
    for (const auto& p : inner)
        if (!outer.count(p))
            return false;
    return true;
}

// Where the layout puts a caption without glyph (margin -1, spacing 4) by
// the measured size of the text in the control's font.
RECT ExpectedCaptionRect(const TControl& c, POINT offset)
{
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(c.Font());
    const SIZE s = probe.Canvas().MeasureText(c.Caption(), DT_SINGLELINE);
    const int left = (c.Width() - s.cx + 1) / 2 + offset.x;
    const int top = (c.Height() - s.cy + 1) / 2 + offset.y;
    return RECT{left, top, left + s.cx, top + s.cy};
}

TBitmap& Render(TFlatButton& b, TBitmap& out)
{
    out.SetSize(b.Width(), b.Height());
    b.Paint(out.Canvas());
    return out;
}

// The caption's pixels: everything inside the ring that is not the face.
PixelSet CaptionPixels(const TBitmap& b, RECT client, TColor face)
{
    InflateRect(&client, -1, -1);
    return Pixels(b, client, face, false);
}

// The rasterizer may put the last glyph a pixel or two past the measured
// advance (Wine's Tahoma does with "..."), so the rectangle gets that slack.
void ExpectCaptionWithin(const PixelSet& text, RECT r, const char* what)
{
    r.right += 2;
    EXPECT_FALSE(text.empty()) << what;
    for (auto [x, y] : text)
        EXPECT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            << what << ": caption pixel (" << x << "," << y << ") outside its rectangle";
}

class FlatLooks : public ::testing::Test {
protected:
    void TearDown() override
    {
        ParkCursor(); // away from every test window
    }
};

} // namespace

TEST_F(FlatLooks, FontButtonInEveryState)
{
    TTestForm form(120, 80);
    TFlatButton b(&form);
    b.SetBounds(20, 20, 18, 18);
    b.SetCaption("...");
    b.SetColorBorder(0x00555E66);
    b.SetEnabled(false);
    form.ShowActive();
    const RECT client = b.ClientRect();
    const TColor face = ColorToRGB(form.Color());
    TBitmap bmp;

    Render(b, bmp);
    ExpectRing(bmp, client, 0x00555E66, 0x00555E66, "disabled");
    const PixelSet shadow = Pixels(bmp, RECT{1, 1, 17, 17}, clBtnShadow);
    const PixelSet highlight = Pixels(bmp, RECT{1, 1, 17, 17}, clBtnHighlight);
    EXPECT_EQ(b.CaptionRect(), ExpectedCaptionRect(b, POINT{0, 0}));
    const PixelSet disabledText = CaptionPixels(bmp, client, face);

    b.SetEnabled(true);
    Render(b, bmp);
    ExpectRing(bmp, client, 0x00555E66, 0x00555E66, "enabled");
    const PixelSet text = CaptionPixels(bmp, client, face);
    ExpectCaptionWithin(text, b.CaptionRect(), "enabled");
    EXPECT_EQ(Pixels(bmp, RECT{1, 1, 17, 17}, b.Font().color).size(), text.size()) << "caption in the font colour";
    // Embossed: the shadow copy where the caption is, the highlight echo one
    // pixel down and right, nothing else.
    EXPECT_EQ(shadow, text);
    EXPECT_TRUE(Contains(Shifted(text, 1, 1), highlight));
    EXPECT_FALSE(highlight.empty());
    EXPECT_EQ(disabledText.size(), shadow.size() + highlight.size());

    MoveCursorTo(b, 9, 9);
    ASSERT_TRUE(PumpUntil([&] { return b.IsHot(); }, 1000));
    Render(b, bmp);
    ExpectRing(bmp, client, clWhite, clBlack, "hot");
    EXPECT_EQ(CaptionPixels(bmp, client, 0x00E1EAEB), text) << "hot face 0x00E1EAEB, caption unmoved";

    MouseButton(true, true);
    ASSERT_EQ(b.ButtonState(), TFlatButtonState::fbsDown);
    Render(b, bmp);
    ExpectRing(bmp, client, clBlack, clWhite, "held");
    EXPECT_EQ(CaptionPixels(bmp, client, 0x00C5D6D9), Shifted(text, 1, 1)) << "held face, caption moved by (1, 1)";
    EXPECT_EQ(b.CaptionRect(), ExpectedCaptionRect(b, POINT{1, 1}));
    MouseButton(true, false);
}

TEST_F(FlatLooks, DialogSpeedButtonsOnWhite)
{
    TSaveDialogForm form;
    TFlatSpeedButton& save = form.save;
    TFlatSpeedButton& dontSave = form.dontSave;
    form.ShowActive();

    TBitmap bmp(form.ClientWidth(), form.ClientHeight());
    auto renderForm = [&] { form.PaintTo(bmp.Canvas()); };
    auto area = [](const TControl& c) { return c.BoundsRect(); };
    auto captionIn = [&](const TControl& c, TColor face) {
        RECT inner = area(c);
        InflateRect(&inner, -1, -1);
        return Shifted(Pixels(bmp, inner, face, false), -c.Left(), -c.Top());
    };

    renderForm();
    PixelSet restText[2];
    int i = 0;
    for (TFlatSpeedButton* b : {&save, &dontSave}) {
        ExpectRing(bmp, area(*b), 0x008396A0, 0x008396A0, "rest");
        restText[i] = captionIn(*b, clWhite);
        ExpectCaptionWithin(restText[i], b->CaptionRect(), b->Caption().c_str());
        EXPECT_EQ(b->CaptionRect(), ExpectedCaptionRect(*b, POINT{0, 0}));
        ++i;
    }
    EXPECT_GT(restText[1].size(), restText[0].size()) << "\"Don't Save\" is the longer caption";

    MoveCursorTo(save, 30, 10);
    ASSERT_TRUE(PumpUntil([&] { return save.IsHot(); }, 1000));
    renderForm();
    ExpectRing(bmp, area(save), clWhite, clBlack, "hot");
    EXPECT_EQ(captionIn(save, 0x00E1EAEB), restText[0]);
    ExpectRing(bmp, area(dontSave), 0x008396A0, 0x008396A0, "the other stays at rest");

    MouseButton(true, true);
    renderForm();
    ExpectRing(bmp, area(save), clBlack, clWhite, "held");
    EXPECT_EQ(captionIn(save, 0x00C5D6D9), Shifted(restText[0], 1, 1));

    int resultAtClick = -1;
    save.OnClick = [&](TControl&) { resultAtClick = form.ModalResult(); };
    MouseButton(true, false);
    EXPECT_EQ(resultAtClick, 1) << "modal result set before OnClick";
    MoveCursorTo(dontSave, 30, 10);
    dontSave.OnClick = [&](TControl&) { resultAtClick = form.ModalResult(); };
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(resultAtClick, 2);
}

TEST_F(FlatLooks, TitlePanelAndDefaultPanel)
{
    TTestForm form(400, 120);
    TFlatPanel title(&form), plain(&form);
    title.SetBounds(0, 0, 358, 55);
    title.SetColor(clWhite);
    title.SetColorHighLight(clWhite);
    title.SetColorShadow(clWhite);
    plain.SetBounds(10, 60, 185, 41);

    TBitmap bmp(358, 55);
    title.Paint(bmp.Canvas());
    EXPECT_EQ(Pixels(bmp, title.ClientRect(), clWhite).size(), 358u * 55u) << "a plain white band";

    bmp.SetSize(185, 41);
    plain.Paint(bmp.Canvas());
    ExpectRing(bmp, plain.ClientRect(), 0x008396A0, 0x008396A0, "default panel");
    EXPECT_EQ(plain.Color(), form.Color()) << "follows the parent's colour";
    EXPECT_EQ(Pixels(bmp, RECT{1, 1, 184, 40}, form.Color()).size(), 183u * 39u);

    form.SetColor(0x00336699);
    plain.Paint(bmp.Canvas());
    EXPECT_EQ(bmp.Pixel(5, 5), 0x00336699);
}

TEST_F(FlatLooks, PanelCaptionPlacementAndEmboss)
{
    TTestForm form(300, 100);
    TFlatPanel panel(&form);
    panel.SetBounds(0, 0, 120, 30);
    panel.SetCaption("Title");
    TBitmap bmp(120, 30);
    const TColor face = ColorToRGB(panel.Color());
    RECT inner{0, 0, 120, 30};

    TBitmap probe(1, 1);
    probe.Canvas().SetFont(panel.Font());
    const SIZE text = probe.Canvas().MeasureText("Title", DT_SINGLELINE);
    const int top = (30 - text.cy) / 2;

    panel.SetAlignment(TAlignment::taLeftJustify);
    panel.Paint(bmp.Canvas());
    const PixelSet left = Pixels(bmp, RECT{1, 1, 119, 29}, face, false);
    ExpectCaptionWithin(left, RECT{0, top, text.cx, top + text.cy}, "left");
    EXPECT_LE(left.begin()->first, 1) << "starts on the frame's left column";

    panel.SetAlignment(TAlignment::taRightJustify);
    panel.Paint(bmp.Canvas());
    ExpectCaptionWithin(Pixels(bmp, RECT{1, 1, 119, 29}, face, false), RECT{120 - text.cx, top, 120, top + text.cy},
                        "right");

    panel.SetAlignment(TAlignment::taCenter);
    panel.Paint(bmp.Canvas());
    const PixelSet centred = Pixels(bmp, RECT{1, 1, 119, 29}, face, false);
    panel.SetEnabled(false);
    panel.Paint(bmp.Canvas());
    EXPECT_EQ(Pixels(bmp, inner, clBtnShadow), centred) << "shadow copy in place";
    EXPECT_TRUE(Contains(Shifted(centred, 1, 1), Pixels(bmp, RECT{1, 1, 119, 29}, clBtnHighlight)));
}

TEST_F(FlatLooks, DisabledGlyphIsEmbossedOnlyForOneCell)
{
    TTestForm form(100, 100);
    TFlatButton b(&form);
    b.SetBounds(0, 0, 30, 30);
    TBitmap glyph(16, 16);
    glyph.Fill(clFuchsia);
    for (int i = 2; i < 14; ++i)
        glyph.SetPixel(i, 8, clBlack); // a black stroke
    b.SetGlyph(&glyph);
    ASSERT_EQ(b.NumGlyphs(), 1);
    b.SetEnabled(false);
    TBitmap bmp;
    Render(b, bmp);
    const POINT o = b.GlyphOrigin();
    for (int i = 2; i < 14; ++i) {
        EXPECT_EQ(bmp.Pixel(o.x + i, o.y + 8), ColorToRGB(clBtnShadow)) << i;
        EXPECT_EQ(bmp.Pixel(o.x + i + 1, o.y + 9), ColorToRGB(clBtnHighlight)) << i;
    }
    // The face-coloured ground of the embossed cell is its transparent colour.
    EXPECT_EQ(bmp.Pixel(o.x + 1, o.y + 1), ColorToRGB(b.Color()));

    TBitmap two(32, 16); // second cell: a red dot, shown unaltered when disabled
    two.Fill(clFuchsia);
    two.SetPixel(16 + 5, 5, 0x0000FF);
    b.SetGlyph(&two);
    ASSERT_EQ(b.NumGlyphs(), 2);
    Render(b, bmp);
    EXPECT_EQ(bmp.Pixel(b.GlyphOrigin().x + 5, b.GlyphOrigin().y + 5), 0x0000FF);
    EXPECT_TRUE(Pixels(bmp, b.ClientRect(), clFuchsia).empty()) << "fuchsia ground left out";
}

TEST_F(FlatLooks, TransparentModesShowTheParentsImage)
{
    const TColor red = 0x000000FF, blue = 0x00FF0000;
    TTestForm form(220, 80, red);
    TFlatButton b(&form);
    b.SetBounds(10, 10, 40, 25);
    b.SetColor(blue);
    TFlatSpeedButton s(&form);
    s.SetBounds(100, 10, 40, 25);
    s.SetColor(blue);
    form.ShowActive();
    TBitmap bmp;
    TBitmap whole(form.ClientWidth(), form.ClientHeight());
    const POINT inside{5, 5};
    auto speedFace = [&] {
        form.PaintTo(whole.Canvas());
        return whole.Pixel(s.Left() + inside.x, s.Top() + inside.y);
    };

    EXPECT_EQ(Render(b, bmp).Pixel(inside.x, inside.y), blue) << "tmNone: its own face";
    EXPECT_EQ(speedFace(), blue);

    b.SetTransparentMode(TTransparentMode::tmAlways);
    s.SetTransparentMode(TTransparentMode::tmAlways);
    Render(b, bmp);
    EXPECT_EQ(bmp.Pixel(inside.x, inside.y), red) << "tmAlways: the parent's image";
    ExpectRing(bmp, b.ClientRect(), 0x008396A0, 0x008396A0, "transparent");
    EXPECT_EQ(speedFace(), red);
    b.SetFocus(); // hot by focus
    Settle();
    ASSERT_TRUE(b.IsHot());
    EXPECT_EQ(Render(b, bmp).Pixel(inside.x, inside.y), red) << "in every state";

    b.SetTransparentMode(TTransparentMode::tmNotFocused);
    EXPECT_EQ(Render(b, bmp).Pixel(inside.x, inside.y), 0x00E1EAEB) << "tmNotFocused: the face once hot";
    form.SetFocus();
    Settle();
    EXPECT_EQ(Render(b, bmp).Pixel(inside.x, inside.y), red);

    s.SetTransparentMode(TTransparentMode::tmNotFocused);
    EXPECT_EQ(speedFace(), red);
    MoveCursorTo(s, 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return s.IsHot(); }, 1000));
    EXPECT_EQ(speedFace(), 0x00E1EAEB);
}

TEST_F(FlatLooks, DefaultButtonHasATwoPixelRingWhileUpAndNotHot)
{
    TTestForm form(100, 60);
    TFlatButton b(&form);
    b.SetBounds(10, 10, 40, 25);
    b.SetDefault(true);
    TBitmap bmp;
    Render(b, bmp);
    ExpectRing(bmp, b.ClientRect(), 0x008396A0, 0x008396A0, "outer");
    ExpectRing(bmp, RECT{1, 1, 39, 24}, 0x008396A0, 0x008396A0, "inner");
    EXPECT_EQ(bmp.Pixel(2, 2), ColorToRGB(b.Color()));
}

namespace {

// Shows a state as a press would, for rendering.
class TStateButton : public TFlatButton {
public:
    using TFlatButton::TFlatButton;
    void ShowAs(TFlatButtonState state, bool hot)
    {
        SetHot(hot);
        SetButtonState(state);
    }
};

} // namespace

TEST_F(FlatLooks, GlyphCellByStateAndCellCount)
{
    // Each cell carries a marker pixel of its own colour at (3, 3).
    const TColor marks[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF};
    enum { up, disabled, down, exclusive };
    struct Case {
        int cells;
        int cellByState[4];
    };
    const Case cases[] = {
        {2, {0, 1, 0, 0}},
        {3, {0, 1, 2, 2}},
        {4, {0, 1, 2, 3}},
    };
    TTestForm form(100, 60);
    TStateButton b(&form);
    b.SetBounds(0, 0, 40, 40);
    TBitmap bmp;
    for (const Case& c : cases) {
        TBitmap glyph(8 * c.cells, 8);
        glyph.Fill(clFuchsia);
        for (int i = 0; i < c.cells; ++i)
            glyph.SetPixel(8 * i + 3, 3, marks[i]);
        b.SetGlyph(&glyph);
        ASSERT_EQ(b.NumGlyphs(), c.cells);
        for (int state = up; state <= exclusive; ++state) {
            b.SetEnabled(state != disabled);
            if (state == down)
                b.ShowAs(TFlatButtonState::fbsDown, false);
            if (state == exclusive)
                b.ShowAs(TFlatButtonState::fbsExclusive, false);
            Render(b, bmp);
            const POINT o = b.GlyphOrigin();
            EXPECT_EQ(bmp.Pixel(o.x + 3, o.y + 3), marks[c.cellByState[state]])
                << c.cells << " cells, state " << state;
            b.ShowAs(TFlatButtonState::fbsUp, false);
        }
    }
}

TEST_F(FlatLooks, LatchedButtonsLookSunkenInTheDownColourOrHot)
{
    TTestForm form(200, 60);
    TStateButton b(&form);
    b.SetBounds(10, 10, 60, 25);
    b.SetCaption("Latch");
    const RECT client = b.ClientRect();
    TBitmap bmp;
    Render(b, bmp);
    const PixelSet upText = CaptionPixels(bmp, client, b.Color());

    b.SetGroupIndex(1);
    b.SetDown(true);
    ASSERT_EQ(b.ButtonState(), TFlatButtonState::fbsExclusive);
    struct Case {
        bool hot;
        TColor face;
    };
    for (const Case& c : {Case{false, 0x00C5D6D9}, Case{true, 0x00E1EAEB}}) {
        b.ShowAs(TFlatButtonState::fbsExclusive, c.hot);
        Render(b, bmp);
        ExpectRing(bmp, client, clBlack, clWhite, c.hot ? "latched, hot" : "latched");
        EXPECT_EQ(bmp.Pixel(2, 2), c.face) << c.hot;
        EXPECT_EQ(CaptionPixels(bmp, client, c.face), Shifted(upText, 1, 1)) << "the caption moved by (1, 1)";
    }
}

TEST_F(FlatLooks, TransparentPanelShowsItsParentUnderTheFrame)
{
    TTestForm form(200, 80, 0x000000FF);
    TFlatPanel panel(&form);
    panel.SetBounds(10, 10, 100, 50);
    panel.SetColor(clWhite);
    TBitmap bmp(100, 50);
    panel.Paint(bmp.Canvas());
    EXPECT_EQ(bmp.Pixel(50, 25), clWhite);
    panel.SetTransparent(true);
    panel.Paint(bmp.Canvas());
    EXPECT_EQ(Pixels(bmp, RECT{1, 1, 99, 49}, 0x000000FF).size(), 98u * 48u) << "the parent's red face";
    ExpectRing(bmp, panel.ClientRect(), 0x008396A0, 0x008396A0, "frame still drawn");
}

TEST_F(FlatLooks, DisabledSpeedButtonHasTheBorderRingAndAnEmbossedCaption)
{
    TTestForm form(120, 60);
    TFlatSpeedButton save(&form);
    save.SetBounds(10, 10, 75, 21);
    save.SetCaption("Save");
    save.SetEnabled(false);
    form.ShowActive();
    TBitmap bmp(form.ClientWidth(), form.ClientHeight());
    form.PaintTo(bmp.Canvas());
    const RECT area = save.BoundsRect();
    ExpectRing(bmp, area, 0x008396A0, 0x008396A0, "disabled");
    RECT inner = area;
    InflateRect(&inner, -1, -1);
    const PixelSet shadow = Pixels(bmp, inner, clBtnShadow);
    const PixelSet highlight = Pixels(bmp, inner, clBtnHighlight);
    EXPECT_FALSE(shadow.empty());
    EXPECT_FALSE(highlight.empty());
    EXPECT_TRUE(Contains(Shifted(shadow, 1, 1), highlight)) << "the highlight copy one pixel down and right";
    EXPECT_EQ(Pixels(bmp, inner, form.Color(), false).size(), shadow.size() + highlight.size())
        << "nothing but the two copies on the face";
}
