// The choice edit on screen: its frame, button and glyph in the looks the
// main window shows, the other styles' geometry, the cursor, and GDI use.
#include "controls/choice/ChoiceEdit.h"
#include "controls/choice/ChoicePaint.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"
#include "tests/controls/PixelRules.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

using namespace quillon;
using namespace quillon::test;

namespace {

} // namespace

namespace {

// The window as the screen shows it, frame included.
void CaptureWindow(TWinControl& control, TBitmap& out)
{
    RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    Settle();
    out.SetSize(control.Width(), control.Height());
    HDC dc = GetWindowDC(control.Handle());
    BitBlt(out.Canvas().Handle(), 0, 0, control.Width(), control.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(control.Handle(), dc);
}

// A main-window path editor: 187 x 19, white, read-only, ellipsis, flat.
class ChoiceEditLooks : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TTestForm>(260, 80);
        edit = new TQnChoiceEdit(form.get());
        edit->SetBounds(24, 30, 187, 19);
        edit->SetColor(clWhite);
        edit->SetReadOnly(true);
        edit->SetButtonChoiceStyle(TChoiceBtnStyle::btsEllipsis);
        edit->SetDrawStyle(TControlStyle::fsFlat);
        edit->SetText("C:\\Delphi5");
        form->ShowActive();
        ParkCursor();
    }
    void TearDown() override
    {
        delete edit;
        form.reset();
        ParkCursor();
    }

    std::unique_ptr<TTestForm> form;
    TQnChoiceEdit* edit = nullptr;
};

// Expects every pixel of the ring of `r` outside the button's rectangle to be `color`.
void ExpectRingOutsideButton(const TBitmap& b, RECT r, TColor color, const char* what)
{
    const RECT button{169, 2, 185, 19};
    const TColor rgb = ColorToRGB(color);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const bool ring = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
            if (ring && !PtInRect(&button, POINT{x, y})) {
                EXPECT_EQ(b.Pixel(x, y), rgb) << what << " at " << x << "," << y;
            }
        }
}

TEST_F(ChoiceEditLooks, ButtonGeometryOfTheMainWindowEditors)
{
    ASSERT_NE(edit->EditButton(), nullptr);
    const RECT r = edit->EditButton()->BoundsRect();
    EXPECT_EQ(r.left, 169);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right - r.left, 16);
    EXPECT_EQ(r.bottom - r.top, 17);
    edit->SetHeight(21);
    EXPECT_EQ(edit->EditButton()->Height, 19);
    // Text stops 4 + 16 pixels before the right edge.
    EXPECT_EQ(edit->TextRect().right, 187 - 20);
}

TEST_F(ChoiceEditLooks, DisabledReadOnlyFlatEditor)
{
    edit->SetEnabled(false);
    TBitmap shot;
    CaptureWindow(*edit, shot);
    ExpectRingOutsideButton(shot, RECT{0, 0, 187, 19}, clBtnFace, "outer ring");
    ExpectRingOutsideButton(shot, RECT{1, 1, 186, 18}, clBtnFace, "inner ring");
    for (int y = 2; y < 17; ++y)
        EXPECT_EQ(shot.Pixel(168, y), ColorToRGB(clWindow)) << "column left of the button y=" << y;
    // Dithered face, grey dots at the glyph's place (169 + 3, 2 + 2).
    const PixelSet dots = EllipsisDots(172, 4);
    EXPECT_EQ(Pixels(shot, RECT{170, 3, 184, 18}, clBtnShadow), dots);
    EXPECT_EQ(shot.Pixel(171, 4), 0xE6E6E6);
    EXPECT_EQ(shot.Pixel(172, 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.Pixel(150, 9), clWhite); // the text area keeps its colour
}

TEST_F(ChoiceEditLooks, HotPressedAndClickedWithRealInput)
{
    edit->SetEnabled(true);
    int clicks = 0;
    edit->OnButtonClick = [&](TControl&) { ++clicks; };
    TBitmap shot;
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);

    MoveCursorTo(*edit, 40, 8); // over the text
    EXPECT_TRUE(edit->Hot());
    CaptureWindow(*edit, shot);
    // Thin sunken border: shadow top/left, highlight bottom/right.
    EXPECT_EQ(shot.Pixel(50, 0), shadow);
    EXPECT_EQ(shot.Pixel(0, 9), shadow);
    EXPECT_EQ(shot.Pixel(186, 9), highlight);
    EXPECT_EQ(shot.Pixel(50, 18), highlight);
    EXPECT_EQ(shot.Pixel(50, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.Pixel(185, 9), ColorToRGB(cl3DLight));
    EXPECT_EQ(shot.Pixel(168, 9), ColorToRGB(clBtnFace));
    // The button's raised edge in a hot edit.
    EXPECT_EQ(shot.Pixel(169, 9), highlight);
    EXPECT_EQ(shot.Pixel(184, 9), shadow);
    EXPECT_EQ(Pixels(shot, RECT{170, 3, 184, 18}, clBlack), EllipsisDots(172, 4));

    const POINT onButton{176 - 1, 9 - 1}; // client coordinates of window (176, 9)
    MoveCursorTo(*edit, onButton.x, onButton.y);
    EXPECT_TRUE(edit->Hot());
    EXPECT_EQ(edit->EditButton()->EditButtonState(), TEditButtonState::ebsHot);
    CaptureWindow(*edit, shot);
    EXPECT_EQ(shot.Pixel(169, 9), highlight);
    EXPECT_EQ(shot.Pixel(184, 9), shadow);

    MouseButton(true, true);
    EXPECT_EQ(edit->EditButton()->EditButtonState(), TEditButtonState::ebsDown);
    CaptureWindow(*edit, shot);
    EXPECT_EQ(shot.Pixel(169, 9), shadow);
    EXPECT_EQ(shot.Pixel(184, 9), highlight);
    EXPECT_EQ(Pixels(shot, RECT{170, 3, 184, 18}, clBlack), EllipsisDots(173, 5));
    EXPECT_EQ(clicks, 0);
    MouseButton(true, false);
    EXPECT_EQ(clicks, 1);

    // Pressed on the button, released outside: nothing.
    MouseButton(true, true);
    MoveCursorTo(*edit, 40, 8);
    MouseButton(true, false);
    EXPECT_EQ(clicks, 1);
    // Pressed on the text, released on the button: nothing.
    MouseButton(true, true);
    MoveCursorTo(*edit, onButton.x, onButton.y);
    MouseButton(true, false);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(ChoiceEditLooks, ArrowCursorOverTheButtonOnly)
{
    edit->SetEnabled(true);
    MoveCursorTo(*edit, 176, 8);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    MoveCursorTo(*edit, 40, 8);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_IBEAM));
}

TEST_F(ChoiceEditLooks, OtherStylesPlaceTheButton)
{
    struct Case {
        TControlStyle style;
        TChoiceBtnStyle choice;
        int choiceWidth;
        RECT button; // window coordinates
    } cases[] = {
        {TControlStyle::fcsNormal, TChoiceBtnStyle::btsCombo, 0, {169, 2, 185, 19}},
        {TControlStyle::fsNone, TChoiceBtnStyle::btsForm, 0, {171, 0, 187, 17}},
        {TControlStyle::fsSingle, TChoiceBtnStyle::btsEllipsis, 0, {169, 2, 185, 21}},
        {TControlStyle::fsFlat, TChoiceBtnStyle::btsCustom, 24, {161, 2, 185, 19}},
    };
    for (const Case& c : cases) {
        edit->SetDrawStyle(c.style);
        edit->SetButtonChoiceStyle(c.choice);
        if (c.choiceWidth)
            edit->SetChoiceButtonWidth(c.choiceWidth);
        Settle();
        ASSERT_NE(edit->EditButton(), nullptr);
        const RECT r = edit->EditButton()->BoundsRect();
        EXPECT_TRUE(EqualRect(&r, &c.button)) << int(c.style) << ": " << r.left << "," << r.top << "," << r.right
                                              << "," << r.bottom;
    }
}

// Layout changes do not load the glyph again, yet every change of style or
// picture shows the right one.
TEST_F(ChoiceEditLooks, TheGlyphFollowsStyleAndPictureBackAndForth)
{
    TBitmap custom(6, 5);
    custom.Canvas().FillRect(RECT{0, 0, 6, 5}, 0x00123456);
    auto same = [](const TBitmap& a, const TBitmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height())
            return false;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return false;
        return true;
    };
    struct Step {
        TChoiceBtnStyle style;
        const TBitmap* picture; // set before the style
        const char* resource;   // the glyph expected; none: the custom picture or nothing
    } steps[] = {
        {TChoiceBtnStyle::btsCustom, &custom, nullptr},
        {TChoiceBtnStyle::btsEllipsis, &custom, "QN_BTNELLIPSIS"},
        {TChoiceBtnStyle::btsCombo, &custom, "QN_BTNCOMBO"},
        {TChoiceBtnStyle::btsCustom, nullptr, nullptr},
        {TChoiceBtnStyle::btsCombo, nullptr, "QN_BTNCOMBO"},
        {TChoiceBtnStyle::btsCustom, &custom, nullptr},
        {TChoiceBtnStyle::btsCombo, &custom, "QN_BTNCOMBO"},
    };
    int index = 0;
    for (const Step& step : steps) {
        edit->SetGlyph(step.picture);
        edit->SetButtonChoiceStyle(step.style);
        edit->SetWidth(edit->Width() + 1); // a layout change
        ASSERT_NE(edit->EditButton(), nullptr);
        const TBitmap& shown = edit->EditButton()->Glyph();
        if (step.resource) {
            TBitmap expected;
            LoadGlyph(expected, step.resource);
            EXPECT_TRUE(same(shown, expected)) << "step " << index;
        } else if (step.picture) {
            EXPECT_TRUE(same(shown, custom)) << "step " << index;
        } else {
            EXPECT_TRUE(shown.Empty()) << "step " << index;
        }
        ++index;
    }
}

TEST_F(ChoiceEditLooks, NarrowControlHasNoButton)
{
    edit->SetWidth(20);
    EXPECT_EQ(edit->EditButton(), nullptr);
    EXPECT_EQ(edit->TextRect().right, 20 - 4);
    edit->SetWidth(187);
    ASSERT_NE(edit->EditButton(), nullptr);
}

TEST_F(ChoiceEditLooks, ManyPaintsLeakNoGdiObject)
{
    edit->SetEnabled(true);
    MoveCursorTo(*edit, 40, 8);
    for (int i = 0; i < 10; ++i)
        edit->Repaint();
    const int baseline = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i) {
        if (i % 2)
            edit->Repaint();
        else
            edit->PaintFrame(true);
    }
    Settle();
    EXPECT_LE(LiveGdiObjects(), baseline + 2);
}

} // namespace
