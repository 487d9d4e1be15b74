// The title-bar routine for every border style, and the save-confirmation
// dialog: its looks, its answers, and where it appears.
#include "app/ConfirmForm.h"
#include "app/HideTitleBar.h"
#include "framework/Application.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

DWORD Style(TForm& form)
{
    return static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_STYLE));
}

TEST(HideTitleBar, EachBorderStyleLosesItsCaptionAndKeepsItsClientArea)
{
    using B = TFormBorderStyle;
    // A single frame becomes a one-pixel border: the client area gains the
    // dialog frame it had beyond that, on each side.
    const int thinner = 2 * (GetSystemMetrics(SM_CYFIXEDFRAME) - GetSystemMetrics(SM_CYBORDER));
    struct Case {
        const char* name;
        B border;
        DWORD set, cleared; // style bits afterwards
        bool shrinks;
        int clientGain;
    } cases[] = {
        {"none", B::bsNone, 0, 0, false, 0},
        {"single", B::bsSingle, WS_BORDER, WS_DLGFRAME, true, thinner},
        {"sizeable", B::bsSizeable, WS_BORDER | WS_THICKFRAME, WS_DLGFRAME, true, 0},
        {"dialog", B::bsDialog, WS_DLGFRAME | DS_MODALFRAME, WS_BORDER, true, 0},
        // A tool window's caption is a small one: it stays, and so does the height.
        {"tool window", B::bsToolWindow, WS_CAPTION, 0, false, 0},
        {"sizeable tool window", B::bsSizeToolWin, WS_CAPTION | WS_THICKFRAME, 0, false, 0},
    };
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestForm form(200, 100);
        form.SetBorderStyle(c.border);
        form.SetClientSize(200, 100);
        const int height = form.Height();
        const DWORD before = Style(form);
        HideTitleBar(form);
        const DWORD after = Style(form);
        EXPECT_EQ(after & c.set, c.set);
        EXPECT_EQ(after & c.cleared, 0u);
        EXPECT_EQ(form.Height(), c.shrinks ? height - caption : height);
        if (c.shrinks) {
            EXPECT_NE(after & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
            RECT client{};
            GetClientRect(form.Handle(), &client);
            EXPECT_EQ(client.right, 200 + c.clientGain);
            EXPECT_EQ(client.bottom, 100 + c.clientGain);
        } else {
            EXPECT_EQ(after, before);
        }
        HideTitleBar(form);
        EXPECT_EQ(form.Height(), c.shrinks ? height - caption : height) << "a second call finds no title bar";
    }
}

class ConfirmDialog : public ::testing::Test {
protected:
    void TearDown() override { ParkCursor(); }

    TTestForm main_{283, 307};
    TfrmConfirm confirm_;
};

TEST_F(ConfirmDialog, WhiteSizeableFrameWithoutTitleBarLabelsAndFlatButtons)
{
    const DWORD style = Style(confirm_);
    EXPECT_NE(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_THICKFRAME) << "the sizing frame stays";
    EXPECT_EQ(confirm_.Width(), 304);
    EXPECT_EQ(confirm_.Height(), 186 - GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(confirm_.Color(), clWhite);
    EXPECT_EQ(confirm_.Caption(), "Save Changes ???");
    EXPECT_FALSE(confirm_.Visible());

    EXPECT_EQ(confirm_.Label1.Caption(), "Save Changes ???");
    EXPECT_TRUE(confirm_.Label1.Font().bold);
    EXPECT_EQ(confirm_.Label1.Font().name, "Tahoma");
    EXPECT_EQ(confirm_.Label1.Font().height, -11);
    EXPECT_EQ(confirm_.Label2.Caption(),
              "One or more settings have changed\r\ndo you want to save them ?\r\n\r\nClick \"Save\" to update your "
              "configuration,\r\nyou'll see the settings changed next time\r\nyou run Delphi");
    EXPECT_FALSE(confirm_.Label2.Font().bold);
    struct Row {
        TControl& control;
        RECT bounds;
    } rows[] = {
        {confirm_.Label1, {26, 10, 126, 23}},
        {confirm_.Label2, {52, 40, 253, 118}},
        {confirm_.btnOk, {125, 126, 200, 147}},
        {confirm_.btnCancel, {205, 126, 280, 147}},
    };
    for (const Row& row : rows) {
        const RECT r = row.control.BoundsRect();
        EXPECT_TRUE(EqualRect(&r, &row.bounds)) << row.control.Caption();
    }
    EXPECT_EQ(confirm_.btnOk.Caption(), "Save");
    EXPECT_EQ(confirm_.btnCancel.Caption(), "Don't Save");
    EXPECT_EQ(confirm_.DefaultControl, nullptr);
    EXPECT_EQ(confirm_.CancelControl, nullptr);
}

TEST_F(ConfirmDialog, SaveGivesOneDontSaveTwoAltF4TwoEnterAndEscapeNothing)
{
    main_.ShowActive();
    struct Case {
        const char* name;
        int result;
    } cases[] = {{"Save", 1}, {"Don't Save", 2}, {"Alt+F4", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int keysIgnored = -1;
        TModalAnswer answer(confirm_, [&] {
            // Keys while shown: neither button reacts.
            SetActiveWindow(confirm_.Handle());
            Tap(VK_RETURN);
            Tap(VK_ESCAPE);
            keysIgnored = confirm_.Visible() && confirm_.ModalResult() == mrNone;
            const std::string which = c.name;
            if (which == "Alt+F4")
                Tap(VK_F4, {VK_MENU});
            else
                ClickAt(which == "Save" ? static_cast<TControl&>(confirm_.btnOk) : confirm_.btnCancel, 37, 10);
        });
        EXPECT_EQ(confirm_.ShowModal(), c.result);
        EXPECT_EQ(keysIgnored, 1);
        EXPECT_FALSE(confirm_.Visible());
    }
}

TEST_F(ConfirmDialog, CentredOverTheMainWindowTheFirstTimeThenLeftWhereItIs)
{
    main_.SetBounds(100, 120, main_.Width(), main_.Height());
    main_.ShowActive();
    Application().MainForm = &main_;
    RECT first{};
    {
        TModalAnswer answer(confirm_, [&] {
            GetWindowRect(confirm_.Handle(), &first);
            confirm_.SetBounds(10, 10, confirm_.Width(), confirm_.Height());
            confirm_.btnCancel.Click();
        });
        confirm_.ShowModal();
    }
    const RECT m = main_.BoundsRect();
    EXPECT_NEAR((first.left + first.right) / 2, (m.left + m.right) / 2, 1);
    EXPECT_NEAR((first.top + first.bottom) / 2, (m.top + m.bottom) / 2, 1);
    RECT second{};
    TModalAnswer answer(confirm_, [&] {
        GetWindowRect(confirm_.Handle(), &second);
        confirm_.btnOk.Click();
    });
    confirm_.ShowModal();
    EXPECT_EQ(second.left, 10);
    EXPECT_EQ(second.top, 10);
}

} // namespace
