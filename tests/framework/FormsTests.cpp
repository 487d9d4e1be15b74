// Forms (border styles, placement, modal show with an owner) and popup
// windows (no activation, mouse transparency).
#include "framework/Popup.h"
#include "framework/Timer.h"
#include "tests/framework/Probes.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

POINT Centre(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Forms : public ::testing::Test {
protected:
    ~Forms() override { ParkCursor(); }
};

} // namespace

TEST_F(Forms, BorderStylesGiveTheirFramesAndKeepTheClientSize)
{
    struct Case {
        TFormBorderStyle style;
        DWORD has, hasNot, exHas;
    };
    const Case cases[] = {
        {TFormBorderStyle::bsNone, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
        {TFormBorderStyle::bsSingle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME, 0},
        {TFormBorderStyle::bsSizeable, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0},
        {TFormBorderStyle::bsDialog, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX,
         WS_EX_DLGMODALFRAME},
        {TFormBorderStyle::bsToolWindow, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
        {TFormBorderStyle::bsSizeToolWin, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
    };
    for (const Case& c : cases) {
        TForm form;
        form.SetBorderStyle(c.style);
        form.SetBounds(60, 60, 10, 10);
        form.SetClientSize(240, 130);
        EXPECT_EQ(form.ClientHeight(), 130) << static_cast<int>(c.style) << " before the window";
        form.Show();
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE));
        EXPECT_EQ(style & c.has, c.has) << static_cast<int>(c.style);
        EXPECT_EQ(style & c.hasNot, 0u) << static_cast<int>(c.style);
        EXPECT_EQ(exStyle & c.exHas, c.exHas) << static_cast<int>(c.style);
        EXPECT_EQ(form.ClientWidth(), 240) << static_cast<int>(c.style);
        EXPECT_EQ(form.ClientHeight(), 130) << static_cast<int>(c.style);
        form.Hide();
    }
}

TEST_F(Forms, AModalFormIsOwnedAndCentredOverItsOwner)
{
    TTestForm owner(400, 300);
    owner.SetBounds(100, 80, owner.Width(), owner.Height());
    TWindowProbe focused(&owner, "focused");
    focused.SetTabStop(true);
    owner.ShowActive();
    ASSERT_EQ(GetFocus(), focused.Handle());

    TTestForm dialog(200, 100);
    dialog.Position = TPosition::poOwnerFormCenter;
    HWND ownerSeen = nullptr;
    POINT dialogCentre{};
    bool ownerDisabled = false;
    TTimer check(50);
    check.OnTimer = [&] {
        if (!dialog.Visible())
            return;
        check.SetEnabled(false);
        ownerSeen = GetWindow(dialog.Handle(), GW_OWNER);
        dialogCentre = Centre(dialog.Handle());
        ownerDisabled = !IsWindowEnabled(owner.Handle());
        dialog.SetBounds(dialog.Left() + 30, dialog.Top(), dialog.Width(), dialog.Height());
        dialog.SetModalResult(mrOk);
    };
    check.SetEnabled(true);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(ownerSeen, owner.Handle());
    EXPECT_EQ(dialog.OwnerForm(), &owner);
    const POINT ownerCentre = Centre(owner.Handle());
    EXPECT_LE(std::abs(dialogCentre.x - ownerCentre.x), 1);
    EXPECT_LE(std::abs(dialogCentre.y - ownerCentre.y), 1);
    EXPECT_TRUE(ownerDisabled);
    Settle();
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetActiveWindow(), owner.Handle()) << "the owner is active again";
    EXPECT_EQ(GetFocus(), focused.Handle()) << "with the focus where it was";

    // Later showings leave the form where it was put.
    const int movedLeft = dialog.Left();
    check.OnTimer = [&] {
        check.SetEnabled(false);
        dialog.SetModalResult(mrCancel);
    };
    check.SetEnabled(true);
    dialog.ShowModal();
    EXPECT_EQ(dialog.Left(), movedLeft);
}

TEST_F(Forms, APopupTakesNoActivationAndCanLetTheMouseThrough)
{
    TTestForm form(200, 100);
    TWindowProbe below(&form, "below", nullptr, RECT{10, 10, 190, 90});
    int belowPresses = 0;
    below.OnMouseDown = [&](TControl&, TMouseButton, unsigned, int, int) { ++belowPresses; };
    form.ShowActive();

    TWindowProbe popupOwner(&form, "owner", nullptr, RECT{0, 0, 5, 5});
    class TProbePopup : public TPopupWindow {
    public:
        using TPopupWindow::TPopupWindow;
        int presses = 0;
        void MouseDown(TMouseButton, unsigned, int, int) override { ++presses; }
        void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), clInfoBk); }
    } popup(&popupOwner);
    const POINT at = below.ClientToScreen(POINT{20, 20});
    popup.SetBounds(at.x, at.y, 60, 30);
    EXPECT_FALSE(popup.HandleAllocated()) << "made hidden when shown, not before";
    popup.ShowNoActivate();
    Settle();
    ASSERT_TRUE(IsWindowVisible(popup.Handle()));
    EXPECT_EQ(GetActiveWindow(), form.Handle()) << "showing takes no activation";
    EXPECT_EQ(GetWindow(popup.Handle(), GW_OWNER), form.Handle()) << "owned by the owner's form";
    EXPECT_EQ(GetParent(popup.Handle()), form.Handle());
    EXPECT_FALSE(GetWindowLongPtrW(popup.Handle(), GWL_STYLE) & WS_CHILD);
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(popup.Handle(), GWL_EXSTYLE));
    EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), DWORD{WS_EX_TOPMOST | WS_EX_TOOLWINDOW});
    EXPECT_TRUE(GetClassLongPtrW(popup.Handle(), GCL_STYLE) & CS_SAVEBITS);

    auto clickOnPopup = [&] {
        MoveCursorToScreen(POINT{at.x + 30, at.y + 15});
        MouseButton(true, true);
        MouseButton(true, false);
    };
    clickOnPopup();
    EXPECT_EQ(popup.presses, 1) << "an ordinary popup takes the click";
    EXPECT_EQ(belowPresses, 0);
    EXPECT_EQ(GetActiveWindow(), form.Handle()) << "and still no activation";

    popup.SetMouseTransparent(true);
    clickOnPopup();
    EXPECT_EQ(popup.presses, 1);
    EXPECT_EQ(belowPresses, 1) << "a transparent popup lets the click through";

    popup.Hide();
    EXPECT_FALSE(IsWindowVisible(popup.Handle()));
    EXPECT_EQ(GetActiveWindow(), form.Handle());
}
