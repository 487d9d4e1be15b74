// Flat buttons driven through real windows, cursor positions and input.
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatPanel.h"
#include "controls/flat/FlatSpeedButton.h"
#include "tests/support/GuiHelpers.h"
#include "tests/support/SaveDialogForm.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quillon;
using namespace quillon::test;

namespace {

class FlatInteraction : public ::testing::Test {
protected:
    FlatInteraction() : form(300, 200)
    {
        a.SetBounds(20, 20, 60, 25);
        a.SetCaption("&Alpha");
        b.SetBounds(100, 20, 60, 25);
        b.SetCaption("&Beta");
        speed.SetBounds(180, 20, 75, 21);
        speed.SetCaption("&Save");
        for (TControl* c : {static_cast<TControl*>(&a), static_cast<TControl*>(&b), static_cast<TControl*>(&speed)})
            c->OnClick = [this, c](TControl&) { clicks.push_back(c); };
        form.ShowActive();
    }
    ~FlatInteraction() override
    {
        MouseButton(true, false);
        ParkCursor();
    }

    int ClicksOf(const TControl& c) const { return static_cast<int>(std::count(clicks.begin(), clicks.end(), &c)); }

    TTestForm form;
    TFlatButton a{&form};
    TFlatButton b{&form};
    TFlatSpeedButton speed{&form};
    std::vector<TControl*> clicks;
};

} // namespace

TEST_F(FlatInteraction, PressDragOutAndBackReleaseInsideClicks)
{
    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsDown);
    EXPECT_TRUE(a.MouseHeld());
    EXPECT_TRUE(a.Focused()) << "a press takes the focus";
    MoveCursorTo(a, 10, 60);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsUp);
    EXPECT_TRUE(a.IsHot()) << "held: leaving has no effect on hot";
    MoveCursorTo(a, 10, 10);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsDown);
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(a), 1);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsUp);
    EXPECT_TRUE(a.IsHot()) << "the pointer is still over it";
}

TEST_F(FlatInteraction, ReleaseOutsideDoesNotClick)
{
    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    MoveCursorTo(a, 10, 60);
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(a), 0);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsUp);
    EXPECT_FALSE(a.IsHot());
    EXPECT_FALSE(a.MouseHeld());
}

TEST_F(FlatInteraction, TheRowBelowCountsAsInside)
{
    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    MoveCursorTo(a, 10, a.Height()); // one row below the client area
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsDown);
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(a), 1);

    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    MoveCursorTo(a, 10, a.Height() + 1);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsUp);
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(a), 1);
}

TEST_F(FlatInteraction, AnotherButtonsReleaseEndsThePress)
{
    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    MouseButton(false, true);
    MouseButton(false, false);
    EXPECT_FALSE(a.MouseHeld());
    EXPECT_EQ(ClicksOf(a), 1);
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(a), 1) << "the left release after it is no second click";
}

TEST_F(FlatInteraction, HoverMovesBetweenButtonsAndToASpeedButton)
{
    MoveCursorTo(a, 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return a.IsHot(); }, 500));
    EXPECT_EQ(TFlatButton::HoverOwner(), &a);
    EXPECT_TRUE(TFlatButton::HoverTimer()->Enabled());

    MoveCursorTo(b, 10, 10);
    EXPECT_TRUE(PumpUntil([&] { return b.IsHot() && !a.IsHot(); }, 500));
    EXPECT_EQ(TFlatButton::HoverOwner(), &b);

    MoveCursorTo(speed, 10, 10);
    EXPECT_TRUE(speed.IsHot()) << "the speed button turns hot at once";
    EXPECT_TRUE(PumpUntil([&] { return !b.IsHot(); }, 500)) << "the flat button follows at its next tick";
    EXPECT_EQ(TFlatButton::HoverOwner(), nullptr);
    EXPECT_FALSE(TFlatButton::HoverTimer()->Enabled());
    EXPECT_EQ(TFlatSpeedButton::HoverOwner(), &speed);

    MoveCursorToScreen(form.ClientToScreen(POINT{150, 150}));
    EXPECT_TRUE(PumpUntil([&] { return !speed.IsHot(); }, 500));
    EXPECT_EQ(TFlatSpeedButton::HoverOwner(), nullptr);
}

TEST_F(FlatInteraction, DisabledButtonsDoNotTurnHotOrClick)
{
    a.SetEnabled(false);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsDisabled);
    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_FALSE(a.IsHot());
    EXPECT_EQ(ClicksOf(a), 0);
    a.SetEnabled(true);
    EXPECT_TRUE(a.IsHot()) << "enabling synchronises hover with the pointer";
}

TEST_F(FlatInteraction, GroupMembersLatchAndReleaseEachOther)
{
    TFlatPanel other(&form);
    other.SetBounds(20, 100, 200, 60);
    TFlatButton c(&other);
    c.SetBounds(10, 10, 60, 25);
    for (TFlatButton* m : {&a, &b, &c})
        m->SetGroupIndex(1);

    c.SetDown(true); // another parent: not a member
    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_TRUE(a.Down());
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsExclusive);
    MoveCursorTo(b, 10, 10);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down()) << "latching one member releases the other";
    EXPECT_TRUE(c.Down()) << "members under another parent are not affected";

    // A latched member stays down when clicked, and still clicks.
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(ClicksOf(b), 2);

    b.SetAllowAllUp(true); // the group notice carries it to the members
    EXPECT_TRUE(a.AllowAllUp());
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(ClicksOf(b), 3);
}

TEST_F(FlatInteraction, SpaceKeyPressesAndClicks)
{
    a.SetFocus();
    Settle();
    Key(VK_SPACE, true);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsDown);
    Key(VK_SPACE, false);
    EXPECT_EQ(a.ButtonState(), TFlatButtonState::fbsUp);
    EXPECT_EQ(ClicksOf(a), 1);

    b.SetGroupIndex(3);
    b.SetAllowAllUp(true);
    b.SetFocus();
    Settle();
    Key(VK_SPACE, true);
    EXPECT_TRUE(b.Down());
    Key(VK_SPACE, false);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(ClicksOf(b), 1);
}

TEST_F(FlatInteraction, FocusMakesHotAndEnterDoesNotClick)
{
    b.SetDefault(true); // the look only
    form.DefaultControl = &speed; // so Enter does reach the form
    a.SetFocus();
    Settle();
    EXPECT_TRUE(a.IsHot());
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(ClicksOf(speed), 1) << "Enter went to the form's default control";
    EXPECT_EQ(ClicksOf(a) + ClicksOf(b), 0) << "not to the focused or the Default flat button";
    b.SetFocus();
    Settle();
    EXPECT_FALSE(a.IsHot()) << "losing the focus runs the leave rule";
}

TEST_F(FlatInteraction, DoubleClicks)
{
    int doubles = 0;
    a.OnDblClick = [&](TControl&) { ++doubles; };
    MoveCursorTo(a, 10, 10);
    for (int i = 0; i < 2; ++i) {
        MouseButton(true, true);
        MouseButton(true, false);
    }
    EXPECT_EQ(ClicksOf(a), 2) << "an ordinary button clicks twice";
    EXPECT_EQ(doubles, 0);

    Pump(static_cast<int>(GetDoubleClickTime()) + 50); // past the double-click time
    a.SetGroupIndex(2);
    for (int i = 0; i < 2; ++i) {
        MouseButton(true, true);
        MouseButton(true, false);
    }
    EXPECT_TRUE(a.Down());
    EXPECT_EQ(doubles, 1) << "fires for a latched button";
}

TEST_F(FlatInteraction, AcceleratorsClick)
{
    Key(VK_MENU, true);
    Key('A', true);
    Key('A', false);
    Key(VK_MENU, false);
    EXPECT_EQ(ClicksOf(a), 1);

    speed.SetGroupIndex(5);
    Key(VK_MENU, true);
    Key('S', true);
    Key('S', false);
    Key(VK_MENU, false);
    EXPECT_EQ(ClicksOf(speed), 1);
    EXPECT_FALSE(speed.Down()) << "a speed button's accelerator does not latch it";

    b.SetGroupIndex(6);
    Key(VK_MENU, true);
    Key('B', true);
    Key('B', false);
    Key(VK_MENU, false);
    EXPECT_TRUE(b.Down()) << "a grouped flat button's accelerator latches it";
}

TEST_F(FlatInteraction, ClickSetsTheModalResultFirst)
{
    int seen = -1;
    a.ModalResult = 0;
    form.SetModalResult(7);
    a.OnClick = [&](TControl&) { seen = form.ModalResult(); };
    MoveCursorTo(a, 10, 10);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(seen, 0) << "ModalResult 0 is given to the form too";

    TFlatSpeedButton orphan(nullptr); // no parent form: still clicks
    bool clicked = false;
    orphan.OnClick = [&](TControl&) { clicked = true; };
    orphan.Click();
    EXPECT_TRUE(clicked);
}

TEST_F(FlatInteraction, SpeedButtonPressRunsThroughTheParentsCapture)
{
    MoveCursorTo(speed, 10, 10);
    MouseButton(true, true);
    EXPECT_EQ(speed.ButtonState(), TFlatButtonState::fbsDown);
    EXPECT_EQ(GetCapture(), form.Handle()) << "the parent captures for its windowless child";
    EXPECT_TRUE(speed.MouseCapture());
    MoveCursorToScreen(form.ClientToScreen(POINT{-30, 150})); // off the form
    EXPECT_EQ(speed.ButtonState(), TFlatButtonState::fbsUp) << "moves still arrive outside";
    EXPECT_TRUE(speed.MouseHeld());
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(speed), 0) << "released outside: no click";
    EXPECT_FALSE(speed.MouseHeld());
    EXPECT_FALSE(speed.IsHot());
    EXPECT_EQ(GetCapture(), nullptr);

    MoveCursorTo(speed, 10, 10);
    MouseButton(true, true);
    MouseButton(false, true); // another button's release ends the press
    MouseButton(false, false);
    EXPECT_EQ(ClicksOf(speed), 1);
    EXPECT_FALSE(speed.MouseHeld());
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(speed), 1) << "the left release after it is no second click";

    int doubles = 0;
    speed.OnDblClick = [&](TControl&) { ++doubles; };
    Pump(static_cast<int>(GetDoubleClickTime()) + 50); // a fresh click sequence
    for (int i = 0; i < 2; ++i) {
        MouseButton(true, true);
        MouseButton(true, false);
    }
    EXPECT_EQ(ClicksOf(speed), 3) << "an ordinary speed button clicks twice";
    EXPECT_EQ(doubles, 0);
    speed.SetGroupIndex(4);
    Pump(static_cast<int>(GetDoubleClickTime()) + 50);
    for (int i = 0; i < 2; ++i) {
        MouseButton(true, true);
        MouseButton(true, false);
    }
    EXPECT_TRUE(speed.Down());
    EXPECT_EQ(doubles, 1) << "fires for a latched one";
}

TEST_F(FlatInteraction, DisablingTheHoverOwnerReleasesTheTimer)
{
    MoveCursorTo(a, 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return TFlatButton::HoverOwner() == &a; }, 500));
    a.SetEnabled(false);
    EXPECT_EQ(TFlatButton::HoverOwner(), nullptr);
    EXPECT_FALSE(TFlatButton::HoverTimer()->Enabled());
    EXPECT_FALSE(a.IsHot());

    MoveCursorTo(speed, 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return TFlatSpeedButton::HoverOwner() == &speed; }, 500));
    speed.SetEnabled(false);
    EXPECT_EQ(TFlatSpeedButton::HoverOwner(), nullptr);
    EXPECT_FALSE(TFlatSpeedButton::HoverTimer()->Enabled());
    EXPECT_FALSE(speed.IsHot());
}

TEST(FlatHoverTimer, OwnedByTheHoveredButtonAndFreedByTheLast)
{
    TTestForm form(200, 100);
    auto first = std::make_unique<TFlatButton>(&form);
    first->SetBounds(10, 10, 50, 25);
    form.ShowActive();
    EXPECT_EQ(TFlatButton::InstanceCount(), 1);
    ASSERT_NE(TFlatButton::HoverTimer(), nullptr);
    EXPECT_FALSE(TFlatButton::HoverTimer()->Enabled()) << "created disabled";
    {
        TFlatButton second(&form);
        second.SetBounds(100, 10, 50, 25);
        MoveCursorTo(second, 5, 5);
        ASSERT_TRUE(PumpUntil([&] { return second.IsHot(); }, 500));
        EXPECT_TRUE(TFlatButton::HoverTimer()->Enabled());
    }
    EXPECT_EQ(TFlatButton::HoverOwner(), nullptr) << "destroying the owner releases the timer";
    EXPECT_FALSE(TFlatButton::HoverTimer()->Enabled());
    first.reset();
    EXPECT_EQ(TFlatButton::InstanceCount(), 0);
    EXPECT_EQ(TFlatButton::HoverTimer(), nullptr) << "the last button frees it";
    ParkCursor();
}

TEST(FlatModal, SpeedButtonsEndAModalDialog)
{
    TSaveDialogForm dialog;
    for (auto [button, expected] : {std::pair{&dialog.save, 1}, std::pair{&dialog.dontSave, 2}}) {
        TTimer press(150);
        press.OnTimer = [&, button = button] {
            press.SetEnabled(false);
            MoveCursorTo(*button, 20, 10);
            MouseButton(true, true);
            MouseButton(true, false);
        };
        press.SetEnabled(true);
        EXPECT_EQ(dialog.ShowModal(), expected);
    }
    ParkCursor();
}

TEST(FlatSpeedButtonAction, AnEmptyGlyphTakesTheActionsImageOnFuchsia)
{
    TTestForm form(200, 60);
    TImageList images(16, 16);
    TBitmap image(16, 16);
    image.Fill(clWhite); // the image's transparent colour
    image.SetPixel(3, 3, 0x0000FF);
    images.Add(image, clWhite);
    TActionList list;
    list.SetImages(&images);
    TCustomAction action;
    action.Caption = "&Act";
    action.ImageIndex = 0;
    action.ActionList = &list;

    TFlatSpeedButton s(&form);
    s.SetAction(&action);
    EXPECT_EQ(s.Caption(), "&Act");
    ASSERT_EQ(s.Glyph().Width(), 16);
    EXPECT_EQ(s.Glyph().Pixel(3, 3), 0x0000FF);
    EXPECT_EQ(s.Glyph().Pixel(0, 15), clFuchsia) << "transparent parts stay fuchsia";
    EXPECT_EQ(s.NumGlyphs(), 1);

    TBitmap own(8, 8);
    own.Fill(clBlack);
    TFlatSpeedButton withGlyph(&form), outside(&form);
    withGlyph.SetGlyph(&own);
    withGlyph.SetAction(&action);
    EXPECT_EQ(withGlyph.Glyph().Width(), 8) << "a glyph already set stays";
    TCustomAction elsewhere;
    elsewhere.ImageIndex = 1;
    elsewhere.ActionList = &list;
    outside.SetAction(&elsewhere);
    EXPECT_TRUE(outside.Glyph().Empty()) << "an index outside the list changes nothing";

    action.Enabled = false;
    action.Change();
    EXPECT_FALSE(s.Enabled());
    bool executed = false;
    action.OnExecute = [&] { executed = true; };
    s.Click();
    EXPECT_TRUE(executed);
}

TEST(FlatButtonProperties, GlyphShapeMarginAndForeignNotices)
{
    TTestForm form(100, 60);
    TFlatButton b(&form);
    auto glyphOf = [](int w, int h) {
        auto g = std::make_unique<TBitmap>(w, h);
        g->Fill(clFuchsia);
        return g;
    };
    b.SetGlyph(glyphOf(64, 16).get());
    EXPECT_EQ(b.NumGlyphs(), 4);
    b.SetGlyph(glyphOf(80, 16).get());
    EXPECT_EQ(b.NumGlyphs(), 1) << "a quotient over 4 gives one cell";
    b.SetNumGlyphs(3);
    b.SetGlyph(glyphOf(50, 16).get());
    EXPECT_EQ(b.NumGlyphs(), 3) << "not a multiple of the height: unchanged";
    b.SetGlyph(nullptr);
    EXPECT_TRUE(b.Glyph().Empty());
    EXPECT_EQ(b.NumGlyphs(), 3);
    b.SetNumGlyphs(0);
    b.SetNumGlyphs(5);
    EXPECT_EQ(b.NumGlyphs(), 3) << "never outside 1..4";

    b.SetGlyph(glyphOf(2, 16).get()); // narrower than its cells: no glyph drawn
    b.SetNumGlyphs(4);
    TBitmap out(b.Width(), b.Height());
    b.Paint(out.Canvas());
    for (int y = 1; y < b.Height() - 1; ++y)
        for (int x = 1; x < b.Width() - 1; ++x)
            ASSERT_NE(out.Pixel(x, y), clFuchsia);

    b.SetMargin(3);
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), 3) << "a margin below -1 is ignored";
    b.SetMargin(-1);
    EXPECT_EQ(b.Margin(), -1);

    TFlatSpeedButton speed(&form);
    b.SetGroupIndex(1);
    speed.SetGroupIndex(1);
    b.SetDown(true);
    speed.SetAllowAllUp(true);
    speed.SetDown(true); // its notice reaches b, which ignores another class
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(b.AllowAllUp());
    TFlatButton ungrouped(&form);
    ungrouped.SetDown(true);
    EXPECT_FALSE(ungrouped.Down()) << "only a grouped button latches";
}
