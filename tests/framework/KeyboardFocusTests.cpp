// The keyboard across containers: Tab in tab order (not z-order), the first
// focus on show, enter/exit notices, cancel mode, accelerators only for
// reachable controls, Enter and Escape.
#include "tests/framework/Probes.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

void Press(WORD vk, bool shift = false)
{
    if (shift)
        Key(VK_SHIFT, true);
    Key(vk, true);
    Key(vk, false);
    if (shift)
        Key(VK_SHIFT, false);
}

void AltKey(WORD vk)
{
    Key(VK_MENU, true);
    Press(vk);
    Key(VK_MENU, false);
}

std::string Focused()
{
    const TWinControl* c = TWinControl::FromHandle(GetFocus());
    return NameOf(c);
}

// Like the main window: a container holding pages, a control over the
// container's corner that is created last (so above it in z-order) and comes
// last in tab order, and controls that Tab must skip.
class TTabForm : public TTestForm {
public:
    TTabForm() : TTestForm(260, 130)
    {
        for (TWindowProbe* p : {&first, &a, &b, &c, &about, &disabled, &onHidden})
            p->SetTabStop(true);
        a.SetTabOrder(0); // created after b, but first
        disabled.SetEnabled(false);
        hiddenPage.SetVisible(false);
    }

    TLog log;
    TWindowProbe first{this, "first", &log, {5, 5, 45, 25}};
    TWindowProbe pages{this, "pages", &log, {50, 5, 250, 125}};
    TWindowProbe page{&pages, "page", &log, {0, 20, 200, 120}};
    TWindowProbe hiddenPage{&pages, "hiddenPage", &log, {0, 20, 200, 120}};
    TWindowProbe b{&page, "b", &log, {10, 40, 50, 60}};
    TWindowProbe a{&page, "a", &log, {10, 10, 50, 30}};
    TWindowProbe nested{&page, "nested", &log, {60, 10, 190, 90}};
    TWindowProbe c{&nested, "c", &log, {10, 10, 50, 30}};
    TWindowProbe disabled{&page, "disabled", &log, {10, 70, 50, 90}};
    TWindowProbe noStop{&page, "noStop", &log, {60, 95, 100, 115}};
    TWindowProbe onHidden{&hiddenPage, "onHidden", &log, {10, 10, 50, 30}};
    TWindowProbe about{this, "about", &log, {200, 2, 250, 22}};
};

class KeyboardFocus : public ::testing::Test {
protected:
    ~KeyboardFocus() override { ParkCursor(); }
};

} // namespace

TEST_F(KeyboardFocus, TabFollowsTheTabOrderAcrossContainersNotTheZOrder)
{
    TTabForm form;
    form.ShowActive();
    EXPECT_EQ(Focused(), "first") << "the first tab stop gets the focus on show";
    const POINT overlap = form.about.ClientToScreen(POINT{45, 12});
    EXPECT_EQ(WindowFromPoint(overlap), form.about.Handle()) << "the last-created control lies on top";
    EXPECT_TRUE(GetWindowLongPtrW(form.pages.Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);

    std::vector<std::string> forward, backward;
    for (int i = 0; i < 5; ++i) {
        Press(VK_TAB);
        forward.push_back(Focused());
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"a", "b", "c", "about", "first"}));
    for (int i = 0; i < 5; ++i) {
        Press(VK_TAB, true);
        backward.push_back(Focused());
    }
    EXPECT_EQ(backward, (std::vector<std::string>{"about", "c", "b", "a", "first"}));

    form.hiddenPage.SetVisible(true);
    form.page.SetVisible(false);
    EXPECT_EQ(form.FindNextControl(&form.first, true), &form.onHidden) << "the page shown now";
}

TEST_F(KeyboardFocus, TheActiveControlGetsTheFocusOnShowAndOnActivation)
{
    TTabForm form;
    form.SetActiveControl(&form.b);
    form.ShowActive();
    EXPECT_EQ(Focused(), "b");
    TTestForm other(50, 50);
    other.ShowActive();
    EXPECT_NE(Focused(), "b");
    form.ShowActive();
    EXPECT_EQ(Focused(), "b") << "activation returns the focus to the active control";
}

TEST_F(KeyboardFocus, ExitsThenEntersUpToTheCommonAncestor)
{
    TTabForm form;
    form.ShowActive();
    struct Move {
        TWindowProbe* to;
        TLog expected;
    };
    const Move moves[] = {
        {&form.a, {"cancel:first<-a", "exit:first", "enter:pages", "enter:page", "enter:a"}},
        {&form.c, {"cancel:a<-c", "exit:a", "enter:nested", "enter:c"}},
        {&form.b, {"cancel:c<-b", "exit:c", "exit:nested", "enter:b"}},
        {&form.first, {"cancel:b<-first", "exit:b", "exit:page", "exit:pages", "enter:first"}},
    };
    for (const Move& m : moves) {
        form.log.clear();
        m.to->SetFocus();
        Settle();
        EXPECT_EQ(form.log, m.expected) << "to " << m.to->Name;
        EXPECT_EQ(form.ActiveControl(), m.to);
    }
}

TEST_F(KeyboardFocus, AnExitHandlerThatTakesTheFocusBackEndsTheMove)
{
    TTabForm form;
    form.ShowActive();
    form.b.SetFocus();
    form.b.onExit = [&] { form.b.SetFocus(); }; // validation failed
    form.log.clear();
    Press(VK_TAB);
    EXPECT_EQ(Focused(), "b");
    EXPECT_EQ(form.ActiveControl(), &form.b);
    EXPECT_EQ(form.log, (TLog{"cancel:b<-c", "exit:b"})) << "no enter notices for c";
}

TEST_F(KeyboardFocus, PressingAnotherControlSendsCancelModeToTheActiveOne)
{
    TTabForm form;
    TLabelProbe label(&form, "label", &form.log, RECT{5, 100, 45, 120});
    form.ShowActive();
    form.log.clear();
    for (TControl* target : {static_cast<TControl*>(&label), static_cast<TControl*>(&form.about),
                             static_cast<TControl*>(&form.first)}) {
        MoveCursorTo(*target, 5, 5);
        MouseButton(true, true);
        MouseButton(true, false);
    }
    EXPECT_EQ(form.log, (TLog{"cancel:first<-label", "cancel:first<-about"})) << "not for a press on itself";
}

TEST_F(KeyboardFocus, AcceleratorsReachOnlyControlsVisibleAndEnabledWithTheirAncestors)
{
    TTabForm form;
    TLabelProbe onPage(&form.page, "onPage", nullptr, RECT{100, 95, 120, 115});
    TLabelProbe onHiddenPage(&form.hiddenPage, "onHiddenPage", nullptr, RECT{100, 95, 120, 115});
    TLabelProbe inDisabled(&form.disabled, "inDisabled");
    onPage.SetCaption("&K");
    onHiddenPage.SetCaption("&K");
    inDisabled.SetCaption("&K");
    form.ShowActive();
    AltKey('K');
    EXPECT_EQ(onPage.accels, 1);
    EXPECT_EQ(onHiddenPage.accels, 0) << "a hidden page hides its controls' accelerators";
    EXPECT_EQ(inDisabled.accels, 0) << "so does a disabled container";

    form.page.SetVisible(false);
    form.hiddenPage.SetVisible(true);
    AltKey('K');
    EXPECT_EQ(onPage.accels, 1);
    EXPECT_EQ(onHiddenPage.accels, 1);
}

TEST_F(KeyboardFocus, EnterAndEscapePressTheFormsButtons)
{
    TTestForm form(300, 100);
    TNativeProbe push(&form, L"BUTTON", BS_PUSHBUTTON, RECT{5, 5, 80, 30}, true);
    TNativeProbe single(&form, L"EDIT", ES_AUTOHSCROLL, RECT{90, 5, 190, 25});
    TNativeProbe multi(&form, L"EDIT", ES_MULTILINE | ES_WANTRETURN, RECT{200, 5, 290, 60});
    TLabelProbe ok(&form, "ok"), cancel(&form, "cancel");
    int okClicks = 0, cancelClicks = 0;
    ok.OnClick = [&](TControl&) { ++okClicks; };
    cancel.OnClick = [&](TControl&) { ++cancelClicks; };
    form.DefaultControl = &ok;
    form.CancelControl = &cancel;
    form.ShowActive();

    struct Case {
        TNativeProbe* focus;
        WORD key;
        int push, ok, cancel;
        const char* what;
    };
    const Case cases[] = {
        {&push, VK_RETURN, 1, 0, 0, "a focused push button takes Enter itself"},
        {&single, VK_RETURN, 0, 1, 0, "from an edit Enter presses the default control"},
        {&multi, VK_RETURN, 0, 0, 0, "an edit that wants Enter keeps it"},
        {&single, VK_ESCAPE, 0, 0, 1, "Escape presses the cancel control"},
    };
    for (const Case& c : cases) {
        const int pushBefore = push.clicks, okBefore = okClicks, cancelBefore = cancelClicks;
        c.focus->SetFocus();
        Press(c.key);
        EXPECT_EQ(push.clicks - pushBefore, c.push) << c.what;
        EXPECT_EQ(okClicks - okBefore, c.ok) << c.what;
        EXPECT_EQ(cancelClicks - cancelBefore, c.cancel) << c.what;
    }
    EXPECT_NE(multi.Caption().find('\n'), std::string::npos) << "the line break went into the edit";

    cancel.SetEnabled(false);
    single.SetFocus();
    Press(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1) << "a disabled cancel control is not pressed";

    cancel.SetEnabled(true);
    push.SetFocus();
    push.SetEnabled(false);
    EXPECT_EQ(GetFocus(), form.Handle()) << "a focused control that is disabled hands the focus to its form";
    Press(VK_ESCAPE);
    Press(VK_RETURN);
    EXPECT_EQ(cancelClicks, 2) << "Escape still reaches the form";
    EXPECT_EQ(okClicks, 2) << "and so does Enter";
}
