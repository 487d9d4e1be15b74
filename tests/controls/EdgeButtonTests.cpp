// The edge button in a real form: the active look following the focus, hover,
// the standard button's keys and clicks, and the owner-draw plumbing.
#include "controls/edit/EdgeButton.h"
#include "framework/Edit.h"
#include "tests/controls/PixelRules.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// Counts its paints and the double-clicks the system reports.
class TProbedEdgeButton : public TEdgeButton {
public:
    using TEdgeButton::TEdgeButton;
    int paints = 0;
    int doubleClicks = 0;

protected:
    bool DrawItem(const DRAWITEMSTRUCT& item) override
    {
        ++paints;
        return TEdgeButton::DrawItem(item);
    }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_LBUTTONDBLCLK)
            ++doubleClicks;
        return TEdgeButton::WndProc(msg, wp, lp);
    }
};

// The main window's four buttons and an edit that holds the focus first.
class EdgeButtons : public ::testing::Test {
protected:
    EdgeButtons() : form(300, 100)
    {
        edit.SetBounds(10, 10, 100, 21);
        place(ok, "Ok", 10);
        place(cancel, "Cancel", 90);
        place(apply, "&Apply", 170);
        ok.SetDefault(true);
        ok.ModalResult = mrOk;
        cancel.SetCancel(true);
        apply.SetEnabled(false);
        cancel.SetTabOrder(1); // Tab from the edit reaches Cancel
        form.SetActiveControl(&edit);
        ParkCursor();
        form.ShowActive();
    }
    ~EdgeButtons() override
    {
        MouseButton(true, false);
        ParkCursor();
    }

    void place(TProbedEdgeButton& b, const char* caption, int left)
    {
        b.SetBounds(left, 60, b.Width(), b.Height());
        b.SetCaption(caption);
        b.OnClick = [this, &b](TControl&) { clicks.push_back(&b); };
    }
    int ClicksOf(const TControl& c) const { return static_cast<int>(std::count(clicks.begin(), clicks.end(), &c)); }

    // What the button shows on the screen now.
    static TBitmap& Shown(TEdgeButton& b, TBitmap& out)
    {
        CaptureWindow(b.Handle(), out);
        return out;
    }
    static bool HasOutline(const TBitmap& shot)
    {
        return Pixels(shot, RECT{0, 0, shot.Width(), shot.Height()}, clWindowText).size() >= Ring(RECT{0, 0, 75, 23}).size();
    }

    TTestForm form;
    TEdit edit{&form};
    TProbedEdgeButton ok{&form}, cancel{&form}, apply{&form};
    std::vector<TControl*> clicks;
};

} // namespace

TEST_F(EdgeButtons, CreatedAs75By23OwnerDrawnButtons)
{
    EXPECT_EQ(ok.Width(), 75);
    EXPECT_EQ(ok.Height(), 23);
    const LONG_PTR style = GetWindowLongPtrW(ok.Handle(), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << "the default-push bit is absorbed";
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_GT(ok.paints, 0);
    EXPECT_EQ(ok.ButtonCanvas().Handle(), nullptr) << "bound during a paint only";
}

TEST_F(EdgeButtons, TheActiveLookFollowsTheFocus)
{
    TBitmap shot;
    EXPECT_TRUE(edit.Focused());
    EXPECT_TRUE(ok.ActiveLook()) << "the default button, while the focus is on an edit";
    EXPECT_FALSE(cancel.ActiveLook());
    EXPECT_FALSE(apply.ActiveLook());
    EXPECT_TRUE(HasOutline(Shown(ok, shot)));
    ExpectRing(shot, RECT{0, 0, 75, 23}, clWindowText, clWindowText, "Ok outline");
    EXPECT_FALSE(HasOutline(Shown(cancel, shot)));

    Key(VK_TAB, true);
    Key(VK_TAB, false);
    ASSERT_TRUE(cancel.Focused());
    EXPECT_TRUE(cancel.ActiveLook());
    EXPECT_FALSE(ok.ActiveLook());
    Shown(cancel, shot);
    ExpectRing(shot, RECT{0, 0, 75, 23}, clWindowText, clWindowText, "Cancel outline");
    EXPECT_FALSE(Pixels(shot, RECT{4, 4, 71, 5}, clBtnFace, false).empty()) << "dotted focus rectangle, top";
    EXPECT_FALSE(Pixels(shot, RECT{4, 4, 5, 19}, clBtnFace, false).empty()) << "dotted focus rectangle, left";
    EXPECT_FALSE(HasOutline(Shown(ok, shot)));

    // The repaint is immediate: the screen is right before any message is handled.
    edit.SetFocus();
    EXPECT_TRUE(HasOutline(Shown(ok, shot)));
    EXPECT_FALSE(HasOutline(Shown(cancel, shot)));
}

TEST_F(EdgeButtons, HoverDrawsTheTwoPixelEdgeOnTheButtonUnderThePointer)
{
    TBitmap shot;
    MoveCursorTo(cancel, 30, 10);
    ASSERT_TRUE(PumpUntil([&] { return cancel.MouseInside(); }, 1000));
    ExpectRing(Shown(cancel, shot), RECT{0, 0, 75, 23}, clBtnHighlight, clWindowText, "hot, outer");
    ExpectRing(shot, RECT{1, 1, 74, 22}, clBtnFace, clBtnShadow, "hot, inner");

    MoveCursorTo(ok, 30, 10);
    ASSERT_TRUE(PumpUntil([&] { return ok.MouseInside() && !cancel.MouseInside(); }, 1000)) << "both repainted";
    ExpectRing(Shown(cancel, shot), RECT{0, 0, 75, 23}, clBtnHighlight, clBtnShadow, "Cancel at rest");
    ExpectRing(Shown(ok, shot), RECT{0, 0, 75, 23}, clWindowText, clWindowText, "Ok keeps its outline");
    ExpectRing(shot, RECT{1, 1, 74, 22}, clBtnHighlight, clWindowText, "Ok hot inside it");

    MoveCursorToScreen(form.ClientToScreen(POINT{280, 30}));
    ASSERT_TRUE(PumpUntil([&] { return !ok.MouseInside(); }, 1000));
    ExpectRing(Shown(ok, shot), RECT{1, 1, 74, 22}, clBtnHighlight, clBtnShadow, "Ok at rest again");
}

TEST_F(EdgeButtons, ADisabledButtonRepaintedUnderThePointerIsHotAndEmbossed)
{
    MoveCursorTo(apply, 30, 10);
    const int before = apply.paints;
    apply.Repaint();
    ASSERT_GT(apply.paints, before);
    EXPECT_TRUE(apply.MouseInside()) << "the hot test ignores Enabled";
    TBitmap shot;
    ExpectRing(Shown(apply, shot), RECT{0, 0, 75, 23}, clBtnHighlight, clWindowText, "hot, outer");
    ExpectRing(shot, RECT{1, 1, 74, 22}, clBtnFace, clBtnShadow, "hot, inner");
    const RECT inside{2, 2, 73, 21};
    EXPECT_FALSE(Pixels(shot, inside, clBtnHighlight).empty()) << "light echo";
    EXPECT_TRUE(Pixels(shot, inside, clBtnText).empty()) << "no plain caption";

    apply.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return Pixels(Shown(apply, shot), inside, clBtnHighlight).empty(); }, 1000))
        << "enabling repaints: a plain caption";
    EXPECT_FALSE(Pixels(shot, inside, clBtnText).empty());
}

TEST_F(EdgeButtons, ADoubleClickPressesTheButtonASecondTime)
{
    MoveCursorTo(cancel, 30, 10);
    MouseButton(true, true);
    MouseButton(true, false);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(cancel.doubleClicks, 1) << "the system saw a double-click";
    EXPECT_EQ(ClicksOf(cancel), 2);
}

TEST_F(EdgeButtons, PressingShowsTheSunkenLook)
{
    TBitmap shot;
    MoveCursorTo(cancel, 30, 10);
    MouseButton(true, true);
    ASSERT_TRUE(cancel.Focused()) << "a press takes the focus";
    Shown(cancel, shot);
    ExpectRing(shot, RECT{0, 0, 75, 23}, clWindowText, clWindowText, "outline");
    ExpectRing(shot, RECT{1, 1, 74, 22}, clBtnShadow, clBtnHighlight, "sunken edge");
    MouseButton(true, false);
    EXPECT_EQ(ClicksOf(cancel), 1);
}

TEST_F(EdgeButtons, TheCaptionIsAlwaysInTheButtonTextColour)
{
    TFont red = cancel.Font();
    red.color = 0x0000FF;
    cancel.SetFont(red);
    cancel.Update();
    TBitmap shot;
    const RECT inside{2, 2, 73, 21};
    Shown(cancel, shot);
    EXPECT_TRUE(Pixels(shot, inside, 0x0000FF).empty());
    EXPECT_EQ(Pixels(shot, inside, clBtnText), Pixels(shot, inside, clBtnFace, false)) << "every caption pixel";
    EXPECT_FALSE(Pixels(shot, inside, clBtnText).empty());
}

TEST_F(EdgeButtons, TheStandardButtonsKeysStillWork)
{
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(ClicksOf(ok), 1) << "Enter presses the default button";
    EXPECT_EQ(form.ModalResult(), mrOk);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    EXPECT_EQ(ClicksOf(cancel), 1) << "Escape presses the cancel button";

    cancel.SetFocus();
    Settle();
    Key(VK_SPACE, true);
    Key(VK_SPACE, false);
    EXPECT_EQ(ClicksOf(cancel), 2) << "Space presses the focused button";
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(ClicksOf(cancel), 3) << "Enter presses the focused button";

    apply.SetEnabled(true);
    Key(VK_MENU, true);
    Key('A', true);
    Key('A', false);
    Key(VK_MENU, false);
    EXPECT_EQ(ClicksOf(apply), 1) << "Alt+A";
}

TEST_F(EdgeButtons, AMeasureRequestIsAnsweredWithTheBounds)
{
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_BUTTON;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(cancel.Handle()));
    const LRESULT result = SendMessageW(form.Handle(), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(measure.itemWidth, 75u);
    EXPECT_EQ(measure.itemHeight, 23u);
}

TEST_F(EdgeButtons, TheRealButtonPaintsWhatItsStateSays)
{
    // Each state made the way a user makes it, rendered by the system's print
    // path and compared with the paint routine's picture of that look.
    struct Case {
        const char* name;
        std::function<void()> make;
        TEdgeLook look;
    };
    TProbedEdgeButton& b = cancel;
    const Case cases[] = {
        {"rest", [] {}, {}},
        {"focused", [&] { b.SetFocus(); }, {.active = true, .focused = true}},
        {"pressed", [&] { SendMessageW(b.Handle(), BM_SETSTATE, TRUE, 0); }, {.active = true, .focused = true, .pressed = true}},
        {"default, focus elsewhere", [&] { SendMessageW(b.Handle(), BM_SETSTATE, FALSE, 0); edit.SetFocus(); ok.SetDefault(false); b.SetDefault(true); }, {.active = true}},
        {"disabled", [&] { b.SetDefault(false); b.SetEnabled(false); }, {.embossed = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        Settle();
        TBitmap printed(75, 23), expected(75, 23);
        b.PaintTo(printed.Canvas());
        PaintEdgeButton(expected.Canvas(), RECT{0, 0, 75, 23}, c.look, b.Caption(), b.Font());
        int differences = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 75; ++x)
                differences += printed.Pixel(x, y) != expected.Pixel(x, y);
        EXPECT_EQ(differences, 0);
    }
}

TEST_F(EdgeButtons, TenThousandPaintsOfEachLookKeepTheGdiCount)
{
    struct Look {
        const char* name;
        std::function<void()> make;
    };
    const Look looks[] = {
        {"rest", [] {}},
        {"active and focused", [&] { cancel.SetFocus(); }},
        {"pressed", [&] { SendMessageW(cancel.Handle(), BM_SETSTATE, TRUE, 0); }},
        {"hot", [&] {
             SendMessageW(cancel.Handle(), BM_SETSTATE, FALSE, 0);
             MoveCursorTo(cancel, 30, 10);
         }},
        {"disabled", [&] { cancel.SetEnabled(false); }},
    };
    // Painted through the system's print path into a bitmap: the same owner
    // draw request as on the screen, without the display's cost.
    TBitmap target(75, 23);
    const auto paint = [&] { cancel.PaintTo(target.Canvas()); };
    for (const Look& look : looks) {
        SCOPED_TRACE(look.name);
        look.make();
        Settle();
        for (int i = 0; i < 5; ++i)
            paint();
        const int before = LiveGdiObjects();
        const int paintsBefore = cancel.paints;
        for (int i = 0; i < 10000; ++i)
            paint();
        EXPECT_EQ(LiveGdiObjects(), before);
        EXPECT_EQ(cancel.paints - paintsBefore, 10000);
    }
}
