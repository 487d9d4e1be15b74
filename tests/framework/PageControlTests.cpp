// The page control: pages in the display area with only the active one
// shown, Tab order across the pages, accelerators that ignore the hidden
// page, page changes by mouse, Ctrl+Tab and code, pages that go away.
#include "framework/Buttons.h"
#include "framework/Edit.h"
#include "framework/Pages.h"
#include "tests/support/GuiHelpers.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

std::string FocusedName()
{
    const TWinControl* c = TWinControl::FromHandle(GetFocus());
    return c ? c->Name : std::string("none");
}

// Like the main window: an edit before the page control in tab order, two
// pages of check boxes and edits, a button after it.
class TPagesForm : public TTestForm {
public:
    TPagesForm() : TTestForm(300, 200)
    {
        const std::pair<TControl*, const char*> names[] = {{&first, "first"}, {&pages, "pages"}, {&a, "a"},
                                                            {&b, "b"},         {&c, "c"},         {&d, "d"},
                                                            {&ok, "ok"}};
        for (const auto& [control, name] : names)
            control->Name = std::string(name);
        first.SetBounds(5, 5, 60, 21);
        pages.SetBounds(70, 5, 220, 160);
        general.SetCaption("General");
        dirs.SetCaption("Dirs and Files");
        Place(a, "&Alpha", 10);
        Place(b, "&Bravo", 35);
        c.SetBounds(10, 10, 100, 21);
        Place(d, "&Delta", 35);
        d.SetTabOrder(0); // first on its page, though created later
        ok.SetBounds(5, 170, 60, 25);
        pages.OnChange = [this](TControl&) { ++changes; };
    }

    TEdit first{this};
    TPageControl pages{this};
    TTabSheet general{&pages}, dirs{&pages};
    TCheckBox a{&general}, b{&general};
    TEdit c{&dirs};
    TCheckBox d{&dirs};
    TButton ok{this};
    int changes = 0;

private:
    static void Place(TCheckBox& box, const std::string& caption, int top)
    {
        box.SetCaption(caption);
        box.SetBounds(10, top, 100, 17);
    }
};

std::wstring TabText(TPageControl& pages, int index)
{
    wchar_t text[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(pages.Handle(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

class PageControl : public ::testing::Test {
protected:
    ~PageControl() override { ParkCursor(); }
};

} // namespace

TEST_F(PageControl, PagesFillTheDisplayAreaOnlyTheActiveOneIsShownAndRemovedOnesTakeTheirTab)
{
    TPagesForm form;
    auto extra = std::make_unique<TTabSheet>(&form.pages);
    extra->SetCaption("Extra");
    form.pages.SetHotTrack(true);
    form.ShowActive();
    HWND tabs = form.pages.Handle();
    EXPECT_TRUE(GetWindowLongPtrW(tabs, GWL_STYLE) & TCS_HOTTRACK);
    EXPECT_TRUE(GetWindowLongPtrW(form.general.Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_EQ(TabText(form.pages, 1), L"Dirs and Files");
    EXPECT_EQ(form.pages.ActivePage(), &form.general) << "the first page is active";

    auto expectLayout = [&](const char* what) {
        RECT display;
        GetClientRect(tabs, &display);
        SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        EXPECT_GT(display.top, 10) << what << ": below the tab row";
        for (TTabSheet* page : {&form.general, &form.dirs}) {
            const RECT bounds = page->BoundsRect();
            EXPECT_TRUE(EqualRect(&display, &bounds)) << what;
        }
    };
    expectLayout("at creation");
    form.pages.SetBounds(70, 5, 200, 150);
    expectLayout("after a resize");

    for (int index : {2, 1, 0}) {
        form.pages.SetActivePageIndex(index);
        EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), index);
        EXPECT_EQ(IsWindowVisible(form.general.Handle()) != FALSE, index == 0);
        EXPECT_EQ(IsWindowVisible(form.dirs.Handle()) != FALSE, index == 1);
    }
    EXPECT_EQ(form.changes, 0) << "changes from code are not the user's";

    form.pages.SetActivePage(extra.get());
    extra.reset();
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(form.pages.ActivePage(), &form.dirs) << "the one before the removed last page";
    EXPECT_TRUE(IsWindowVisible(form.dirs.Handle()));
    form.dirs.SetCaption("Renamed");
    EXPECT_EQ(TabText(form.pages, 1), L"Renamed");
}

TEST_F(PageControl, TabGoesThroughThePageControlAndItsActivePageOnly)
{
    TPagesForm form;
    form.ShowActive();
    auto tabRound = [&] {
        std::vector<std::string> names;
        form.first.SetFocus();
        for (int i = 0; i < 5; ++i) {
            Tap(VK_TAB);
            names.push_back(FocusedName());
        }
        return names;
    };
    EXPECT_EQ(tabRound(), (std::vector<std::string>{"pages", "a", "b", "ok", "first"}));
    form.pages.SetActivePage(&form.dirs);
    EXPECT_EQ(tabRound(), (std::vector<std::string>{"pages", "d", "c", "ok", "first"}));
    Tap(VK_TAB, {VK_SHIFT});
    Tap(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(FocusedName(), "c") << "backwards";
}

TEST_F(PageControl, AcceleratorsIgnoreTheHiddenPage)
{
    TPagesForm form;
    form.ShowActive();
    form.first.SetFocus();
    Tap('D', {VK_MENU});
    EXPECT_FALSE(form.d.Checked()) << "on the hidden page";
    EXPECT_EQ(FocusedName(), "first");
    Tap('B', {VK_MENU});
    EXPECT_TRUE(form.b.Checked()) << "on the shown page";

    form.pages.SetActivePage(&form.dirs);
    form.first.SetFocus();
    Tap('B', {VK_MENU});
    EXPECT_TRUE(form.b.Checked()) << "unchanged: now hidden";
    Tap('D', {VK_MENU});
    EXPECT_TRUE(form.d.Checked());
}

TEST_F(PageControl, MouseAndCtrlTabChangeThePageAndTheFocusLeavesTheHiddenOne)
{
    TPagesForm form;
    form.ShowActive();
    form.b.SetFocus();
    Tap(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(form.pages.ActivePage(), &form.dirs);
    EXPECT_EQ(form.changes, 1);
    EXPECT_EQ(FocusedName(), "pages") << "not on the page just hidden";
    Tap(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(form.pages.ActivePage(), &form.general) << "wraps around";
    Tap(VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(form.pages.ActivePage(), &form.dirs) << "Ctrl+Shift+Tab goes back, wrapping";
    form.first.SetFocus();
    Tap(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(form.pages.ActivePage(), &form.dirs) << "only from inside the page control";
    EXPECT_EQ(form.changes, 3);

    RECT tab;
    SendMessageW(form.pages.Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    ClickAt(form.pages, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    EXPECT_EQ(form.pages.ActivePage(), &form.general) << "a click on the first tab";
    EXPECT_TRUE(IsWindowVisible(form.general.Handle()));
    EXPECT_FALSE(IsWindowVisible(form.dirs.Handle()));
    EXPECT_EQ(form.changes, 4);
}
