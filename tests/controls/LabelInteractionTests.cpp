// The gradient caption label driven through real windows and input: hot
// tracking, glyph clicks and double clicks, the form-caption emulation
// (drag, frame, closing) and the accelerator.
#include "framework/Application.h"
#include "framework/GdiObjects.h"
#include "tests/controls/LabelTestSupport.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Ground = 0x00FF00;

class TFocusProbe : public TCustomControl {
public:
    TFocusProbe(TWinControl* parent, RECT r) : TCustomControl(parent)
    {
        SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        SetTabStop(true);
    }
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), clWhite); }
};

void SetFontColor(TGradientCaptionLabel& label, TColor color)
{
    TFont font = label.Font();
    font.color = color;
    label.SetFont(font);
}

void Click()
{
    MouseButton(true, true);
    MouseButton(true, false);
}

class LabelInteraction : public ::testing::Test {
protected:
    LabelInteraction()
    {
        MakeGlyph(picture, 16, 16, Ground, Red);
        label.SetBounds(20, 20, 240, 24);
        label.SetCaption("&Name");
        label.OnClick = [this](TControl&) { log.push_back("click"); };
        label.OnDblClick = [this](TControl&) { log.push_back("dbl"); };
        label.OnMouseDown = [this](TControl&, TMouseButton, unsigned shift, int, int) {
            log.push_back(shift & ssDouble ? "down2" : "down");
        };
        label.OnMouseUp = [this](TControl&, TMouseButton, unsigned, int, int) { log.push_back("up"); };
        label.OnGlyphClick = [this](TControl&) { log.push_back("glyph"); };
        label.OnGlyphDblClick = [this](TControl&) { log.push_back("glyph2"); };
    }
    ~LabelInteraction() override
    {
        MouseButton(true, false);
        ParkCursor();
    }

    // The glyph sits at (5, 4): Glyph.Margin, centred in 24 rows.
    void OverGlyph() { MoveCursorTo(label, 10, 10); }
    void OverText() { MoveCursorTo(label, 120, 12); }
    void DoubleClick()
    {
        Click();
        Click();
    }

    using Log = std::vector<std::string>;
    TTestForm form{320, 160};
    TProbeLabel label{&form};
    TBitmap picture;
    Log log;
};

} // namespace

TEST_F(LabelInteraction, HotTrackingRecoloursAndPutsBackWhatItChanged)
{
    label.HotTrack = true;
    label.SubCaption().SetCaption("sub");
    SetFontColor(label, Blue);
    TColor seenOnEnter = -1;
    int enters = 0, leaves = 0;
    label.OnMouseEnter = [&](TControl&) { ++enters, seenOnEnter = label.Font().color; };
    label.OnMouseLeave = [&](TControl&) { ++leaves; };
    form.ShowActive();

    OverText();
    EXPECT_EQ(label.Font().color, 0x800000);
    EXPECT_EQ(seenOnEnter, 0x800000) << "OnMouseEnter follows the colour change";
    EXPECT_EQ(label.SubCaption().Font().color, clWindowText) << "its own HotTrack is off";
    SetFontColor(label, Red); // changed meanwhile: the leave still restores the colour before the enter
    MoveCursorTo(form, 300, 150);
    EXPECT_EQ(label.Font().color, Blue);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);

    label.HotTrack = false;
    label.SubCaption().HotTrack = true;
    OverText();
    EXPECT_EQ(label.Font().color, Blue);
    EXPECT_EQ(label.SubCaption().Font().color, 0x800000);
    MoveCursorTo(form, 300, 150);
    EXPECT_EQ(label.SubCaption().Font().color, clWindowText);

    // An empty caption: no change, no repaint, but the callback.
    label.HotTrack = true;
    label.SubCaption().HotTrack = false;
    label.SetCaption("");
    label.repaints = 0;
    OverText();
    EXPECT_EQ(label.Font().color, Blue);
    EXPECT_EQ(label.repaints, 0);
    EXPECT_EQ(enters, 3);

    // Switched on while the pointer is over it: the leave changes nothing.
    label.SetCaption("&Name");
    MoveCursorTo(form, 300, 150);
    label.HotTrack = false;
    OverText();
    label.HotTrack = true;
    MoveCursorTo(form, 300, 150);
    EXPECT_EQ(label.Font().color, Blue) << "not the initial saved colour (black)";
}

TEST_F(LabelInteraction, GlyphClicksAreNotOrdinaryClicks)
{
    label.Glyph().SetBitmap(&picture);
    form.ShowActive();

    // Each click a few pixels from the last, so that none is a double click.
    MoveCursorTo(label, 8, 8);
    Click();
    EXPECT_EQ(log, (Log{"glyph", "up"})) << "no OnMouseDown, no capture, no click on release";
    log.clear();
    label.SetOptions(loReplyGlyphClick);
    MoveCursorTo(label, 16, 16);
    Click();
    EXPECT_EQ(log, (Log{"glyph", "click", "up"}));
    log.clear();

    label.Glyph().SetVisible(false);
    MoveCursorTo(label, 8, 8);
    Click();
    EXPECT_EQ(log, (Log{"glyph", "click", "up"})) << "an invisible glyph is still hit";
    log.clear();

    OverText();
    Click();
    EXPECT_EQ(log, (Log{"down", "click", "up"}));
    log.clear();
    MoveCursorTo(label, 160, 12);
    MouseButton(true, true);
    MoveCursorTo(form, 300, 150);
    MouseButton(true, false);
    EXPECT_EQ(log, (Log{"down", "up"})) << "released outside: no click";
}

TEST_F(LabelInteraction, DoubleClicksOnAndBesideTheGlyph)
{
    label.Glyph().SetBitmap(&picture);
    form.ShowActive();

    OverGlyph();
    DoubleClick();
    EXPECT_EQ(log, (Log{"glyph", "up", "glyph2", "up"}));
    log.clear();
    label.SetOptions(loReplyGlyphDblClick);
    MoveCursorTo(label, 11, 10); // not a triple click
    DoubleClick();
    EXPECT_EQ(log, (Log{"glyph", "up", "glyph2", "dbl", "down2", "up"}));
    log.clear();

    OverText();
    DoubleClick();
    EXPECT_EQ(log, (Log{"down", "click", "up", "dbl", "down2", "up"})) << "the second release clicks no more";
}

TEST_F(LabelInteraction, AltWithTheAcceleratorFocusesFocusControl)
{
    TFocusProbe first(&form, RECT{20, 80, 80, 100});
    TFocusProbe partner(&form, RECT{100, 80, 160, 100});
    label.SetFocusControl(&partner);
    form.ShowActive();
    auto altN = [] {
        Key(VK_MENU, true);
        Key('N', true);
        Key('N', false);
        Key(VK_MENU, false);
    };
    ASSERT_TRUE(first.Focused());

    label.SetShowAccelChar(false);
    altN();
    EXPECT_TRUE(first.Focused()) << "no accelerator without ShowAccelChar";
    label.SetShowAccelChar(true);
    label.SetEnabled(false);
    altN();
    EXPECT_TRUE(first.Focused()) << "a disabled label takes no accelerator";
    label.SetEnabled(true);
    altN();
    EXPECT_TRUE(partner.Focused());

    first.SetFocus();
    label.SetFocusControl(nullptr);
    altN();
    EXPECT_TRUE(first.Focused());
}

TEST_F(LabelInteraction, AnEmulatedCaptionFramesTheFormAndDragsIt)
{
    int clicks = 0;
    form.Load([&] {
        label.SetOptions(loEmulateFormCaption | loReplyFormDragClick);
        label.SetBoundColor(Red);
    });
    label.OnClick = [&](TControl&) { ++clicks; };
    EXPECT_EQ(form.BorderStyle(), TFormBorderStyle::bsNone);
    EXPECT_EQ(label.Top(), 0);
    EXPECT_EQ(label.Width(), form.ClientWidth()) << "aligned to the top";
    EXPECT_EQ(label.BevelInner(), TBevelCut::bvRaised);
    EXPECT_EQ(label.BevelOuter(), TBevelCut::bvRaised);
    EXPECT_EQ(label.BoundLines(), blLeft | blTop | blRight | blBottom);
    form.ShowActive();

    {
        TClientDC dc(form.Handle());
        const int w = form.ClientWidth(), h = form.ClientHeight();
        for (POINT p : {POINT{0, h / 2}, POINT{w - 1, h / 2}, POINT{w / 2, h - 1}, POINT{w - 1, h - 1}})
            EXPECT_EQ(static_cast<TColor>(GetPixel(dc.Handle(), p.x, p.y)), Red) << "frame at " << p.x << ", " << p.y;
        EXPECT_NE(static_cast<TColor>(GetPixel(dc.Handle(), w / 2, h / 2)), Red);
    }

    // Pressed outside the glyph, the form follows the pointer while the
    // button is held; the release ends the drag with one click.
    const RECT before = form.BoundsRect();
    MoveCursorTo(label, 120, 12);
    MouseButton(true, true);
    for (int step = 1; step <= 4; ++step) {
        MoveCursorToScreen(POINT{before.left + 120 + 10 * step, before.top + 12 + 7 * step});
        EXPECT_EQ(form.Left() - before.left, 10 * step) << "while held, step " << step;
        EXPECT_EQ(form.Top() - before.top, 7 * step);
    }
    EXPECT_EQ(clicks, 0);
    MouseButton(true, false);
    EXPECT_EQ(clicks, 1) << "one click when the drag ends";
    EXPECT_TRUE(log.empty()) << "no OnMouseDown or OnMouseUp of its own";
    EXPECT_EQ(form.Left() - before.left, 40);
    EXPECT_EQ(form.Top() - before.top, 28);
    MoveCursorToScreen(POINT{before.left + 200, before.top + 100});
    EXPECT_EQ(form.Left() - before.left, 40) << "the drag is over";

    // Without loReplyFormDragClick a drag clicks nothing.
    label.SetOptions(loEmulateFormCaption);
    MoveCursorTo(label, 150, 12);
    MouseButton(true, true);
    MoveCursorTo(label, 140, 12);
    MouseButton(true, false);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.Left() - before.left, 30);
}

TEST_F(LabelInteraction, DoubleClickingTheGlyphClosesTheEmulatedForm)
{
    TTestForm mainStandIn(10, 10); // closing the main form would end the program
    Application().MainForm = &mainStandIn;
    label.Glyph().SetBitmap(&picture);
    form.Load([&] { label.SetOptions(loEmulateFormCaption); });
    int queries = 0;
    form.OnCloseQuery = [&] { return ++queries > 0; };

    form.ShowActive();
    MoveCursorTo(label, 10, 10);
    DoubleClick();
    EXPECT_EQ(log, (Log{"glyph", "up", "glyph2", "up"})) << "OnGlyphDblClick assigned: the form stays";
    EXPECT_TRUE(form.Visible());

    label.OnGlyphDblClick = nullptr;
    MoveCursorTo(label, 11, 10);
    DoubleClick();
    EXPECT_EQ(queries, 1) << "the ordinary close, with its query";
    EXPECT_FALSE(form.Visible());
}
