// The edge button in a real form under real input: what the screen shows in
// each state (compared with the paint routine's picture of that look), the
// standard button's behaviour, the owner-draw plumbing and GDI use.
#include "controls/edit/EdgeButton.h"
#include "framework/Edit.h"
#include "tests/controls/PixelRules.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace quillon;
using namespace quillon::test;

namespace {

// Counts its paints and the double-clicks the system reports.
class TProbedEdgeButton : public TEdgeButton {
public:
    using TEdgeButton::TEdgeButton;
    int paints = 0, doubleClicks = 0;

protected:
    bool DrawItem(const DRAWITEMSTRUCT& item) override
    {
        ++paints;
        return TEdgeButton::DrawItem(item);
    }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        doubleClicks += msg == WM_LBUTTONDBLCLK;
        return TEdgeButton::WndProc(msg, wp, lp);
    }
};

// The main window's buttons; an edit holds the focus first.
class EdgeButtons : public ::testing::Test {
protected:
    EdgeButtons() : form(300, 100)
    {
        edit.SetBounds(10, 10, 100, 21);
        int left = 10;
        for (auto [b, caption] : {std::pair{&ok, "Ok"}, {&cancel, "Cancel"}, {&apply, "&Apply"}}) {
            b->SetBounds(left, 60, b->Width(), b->Height());
            b->SetCaption(caption);
            b->OnClick = [this, b = b](TControl&) { ++clicks[b]; };
            left += 80;
        }
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

    // The screen shows exactly the picture of `look`.
    static bool Shows(TEdgeButton& b, TEdgeLook look)
    {
        TBitmap shown, expected(b.Width(), b.Height());
        CaptureWindow(b.Handle(), shown);
        PaintEdgeButton(expected.Canvas(), b.ClientRect(), look, b.Caption(), b.Font());
        return SamePicture(shown, expected);
    }
    static void Press(WORD vk)
    {
        Key(vk, true);
        Key(vk, false);
    }

    TTestForm form;
    TEdit edit{&form};
    TProbedEdgeButton ok{&form}, cancel{&form}, apply{&form};
    std::map<TControl*, int> clicks;
};

} // namespace

TEST_F(EdgeButtons, TheLooksFollowFocusPointerPressAndEnabledState)
{
    EXPECT_EQ(ok.Width() * 100 + ok.Height(), 7523) << "75 x 23";
    EXPECT_TRUE(ok.ActiveLook()) << "the default button, while the focus is on an edit";
    EXPECT_TRUE(Shows(ok, {.active = true}));
    EXPECT_TRUE(Shows(cancel, {}));
    EXPECT_TRUE(Shows(apply, {.embossed = true}));

    Press(VK_TAB);
    ASSERT_TRUE(cancel.Focused());
    EXPECT_TRUE(Shows(cancel, {.active = true, .focused = true})) << "outline and focus rectangle";
    EXPECT_TRUE(Shows(ok, {})) << "Ok loses its outline";
    edit.SetFocus(); // the repaint is immediate: no message handled before looking
    EXPECT_TRUE(Shows(ok, {.active = true}) && Shows(cancel, {}));

    MoveCursorTo(cancel, 30, 10);
    ASSERT_TRUE(PumpUntil([&] { return cancel.MouseInside(); }, 1000));
    EXPECT_TRUE(Shows(cancel, {.hot = true}));
    MoveCursorTo(ok, 30, 10); // between two buttons: both repaint
    ASSERT_TRUE(PumpUntil([&] { return ok.MouseInside() && !cancel.MouseInside(); }, 1000));
    EXPECT_TRUE(Shows(ok, {.active = true, .hot = true}) && Shows(cancel, {}));
    MouseButton(true, true);
    EXPECT_TRUE(Shows(ok, {.active = true, .focused = true, .pressed = true, .hot = true}));
    MouseButton(true, false);
    MoveCursorToScreen(form.ClientToScreen(POINT{280, 30}));
    ASSERT_TRUE(PumpUntil([&] { return !ok.MouseInside(); }, 1000));
    EXPECT_TRUE(Shows(ok, {.active = true, .focused = true}));

    // No enter notice reaches a disabled button, but the hot test of a
    // repaint ignores Enabled.
    MoveCursorTo(apply, 30, 10);
    apply.Repaint();
    EXPECT_TRUE(apply.MouseInside());
    EXPECT_TRUE(Shows(apply, {.hot = true, .embossed = true}));
    apply.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return Shows(apply, {.hot = true}); }, 1000));

    TFont red = cancel.Font();
    red.color = 0x0000FF;
    cancel.SetFont(red);
    cancel.Update();
    EXPECT_TRUE(Shows(cancel, {})) << "the caption in the button text colour, whatever Font.Color says";
    EXPECT_EQ(ok.ButtonCanvas().Handle(), nullptr) << "bound during a paint only";
}

TEST_F(EdgeButtons, TheStandardButtonsBehaviourStays)
{
    EXPECT_EQ(GetWindowLongPtrW(ok.Handle(), GWL_STYLE) & (BS_TYPEMASK | WS_TABSTOP), BS_OWNERDRAW | WS_TABSTOP);
    Press(VK_RETURN);
    EXPECT_EQ(clicks[&ok], 1) << "Enter presses the default button";
    EXPECT_EQ(form.ModalResult(), mrOk);
    Press(VK_ESCAPE);
    EXPECT_EQ(clicks[&cancel], 1) << "Escape presses the cancel button";
    cancel.SetFocus();
    Settle();
    Press(VK_SPACE);
    Press(VK_RETURN);
    EXPECT_EQ(clicks[&cancel], 3) << "Space and Enter press the focused button";
    apply.SetEnabled(true);
    Key(VK_MENU, true);
    Press('A');
    Key(VK_MENU, false);
    EXPECT_EQ(clicks[&apply], 1) << "Alt+A";

    MoveCursorTo(ok, 30, 10);
    for (int i = 0; i < 4; ++i)
        MouseButton(true, i % 2 == 0);
    EXPECT_EQ(ok.doubleClicks, 1) << "the system saw a double-click";
    EXPECT_EQ(clicks[&ok], 3) << "which pressed the button a second time";

    // The system never measures a button; the answer is the bounds.
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_BUTTON;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(ok.Handle()));
    EXPECT_EQ(SendMessageW(form.Handle(), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_EQ(measure.itemWidth * 100 + measure.itemHeight, 7523u);
}

TEST_F(EdgeButtons, TenThousandPaintsOfEachLookKeepTheGdiCount)
{
    // Through the system's print path into a bitmap: the same owner-draw
    // request as on the screen, without the display's cost.
    const std::function<void()> looks[] = {
        [] {},
        [&] { cancel.SetFocus(); },
        [&] { SendMessageW(cancel.Handle(), BM_SETSTATE, TRUE, 0); },
        [&] {
            SendMessageW(cancel.Handle(), BM_SETSTATE, FALSE, 0);
            MoveCursorTo(cancel, 30, 10);
        },
        [&] { cancel.SetEnabled(false); },
    };
    TBitmap target(75, 23);
    for (const auto& make : looks) {
        make();
        Settle();
        cancel.PaintTo(target.Canvas());
        const int before = LiveGdiObjects(), paints = cancel.paints;
        for (int i = 0; i < 10000; ++i)
            cancel.PaintTo(target.Canvas());
        EXPECT_EQ(LiveGdiObjects(), before);
        EXPECT_EQ(cancel.paints - paints, 10000);
    }
}
