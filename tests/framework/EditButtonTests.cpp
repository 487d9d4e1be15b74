// The single-line edit and the push button over the system classes: text
// changes and OnChange, read-only and the flags that survive a new window,
// the automatic selection, background colours, the form's Enter and Escape,
// the active button following the focus, and owner drawing for subclasses.
#include "framework/Buttons.h"
#include "framework/Edit.h"
#include "tests/framework/Probes.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

bool HasDefaultStyle(TButton& button)
{
    return (GetWindowLongPtrW(button.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// A pixel of the control as the screen shows it.
TColor ScreenPixel(TWinControl& control, int x, int y)
{
    control.Update();
    HDC dc = GetDC(control.Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(control.Handle(), dc);
    return static_cast<TColor>(c);
}

class EditButton : public ::testing::Test {
protected:
    ~EditButton() override { ParkCursor(); }
};

} // namespace

TEST_F(EditButton, OnChangeRunsOncePerChangeByTheUserOrByCodeAndNeverWhileLoading)
{
    TTestForm form(200, 60);
    TEdit edit(&form);
    edit.SetBounds(10, 10, 150, 21);
    int changes = 0;
    edit.OnChange = [&](TControl&) { ++changes; };
    struct Step {
        std::function<void()> act;
        int changes;
        const char* text;
        const char* what;
    };
    const Step steps[] = {
        {[&] { edit.SetText("one"); }, 1, "one", "set before the window exists"},
        {[&] { form.Load([&] { edit.SetText("stored"); }); }, 0, "stored", "loading, no window"},
        {[&] { form.ShowActive(); }, 0, "stored", "creating the window"},
        {[&] { edit.SetText("two"); }, 1, "two", "set with a window"},
        {[&] { edit.SetText("two"); }, 0, "two", "the same text again"},
        {[&] { form.Load([&] { edit.SetText("three"); }); }, 0, "three", "loading with a window"},
        {[&] {
             edit.SetFocus();
             edit.SetSelStart(5);
             Tap('A');
             Tap('B');
         },
         2, "threeab", "typed"},
    };
    for (const Step& s : steps) {
        changes = 0;
        s.act();
        Settle();
        EXPECT_EQ(changes, s.changes) << s.what;
        EXPECT_EQ(edit.Text(), s.text) << s.what;
    }
    changes = 0;
    edit.Undo();
    EXPECT_EQ(edit.Text(), "three");
    EXPECT_GE(changes, 1) << "undone (Wine's edit tells EN_CHANGE twice for it)";
}

TEST_F(EditButton, ReadOnlyRefusesTypingAndTheFlagsSurviveANewWindow)
{
    TTestForm form(200, 60);
    TEdit edit(&form);
    edit.SetBounds(10, 10, 150, 21);
    edit.SetText("fixed");
    edit.SetReadOnly(true);
    edit.SetMaxLength(7);
    form.ShowActive();
    edit.SetFocus();
    edit.SetSelStart(5);
    Tap('X');
    EXPECT_EQ(edit.Text(), "fixed") << "created read-only";
    edit.SetReadOnly(false);
    for (WORD k : {'A', 'B', 'C'})
        Tap(k);
    EXPECT_EQ(edit.Text(), "fixedab") << "writable again, up to MaxLength";

    edit.SetAlignment(TAlignment::taRightJustify); // a new window
    EXPECT_TRUE(GetWindowLongPtrW(edit.Handle(), GWL_STYLE) & ES_RIGHT);
    EXPECT_EQ(edit.Text(), "fixedab");
    EXPECT_TRUE(edit.Modified()) << "kept across the new window";
    edit.SetFocus();
    edit.SetSelStart(7);
    Tap('D');
    EXPECT_EQ(edit.Text(), "fixedab") << "so is the limit";
}

TEST_F(EditButton, AutoSelectSelectsTheTextWhenEnteredByKeyboardOnly)
{
    TTestForm form(300, 60);
    TEdit first(&form), second(&form);
    first.SetBounds(10, 10, 120, 21);
    second.SetBounds(150, 10, 120, 21);
    second.SetText("second");
    form.ShowActive();
    struct Case {
        bool autoSelect, byMouse;
        int selLength;
        const char* what;
    };
    const Case cases[] = {
        {true, false, 6, "Tab selects the whole text"},
        {true, true, 0, "a click places the caret"},
        {false, false, 0, "AutoSelect off"},
    };
    for (const Case& c : cases) {
        first.SetFocus();
        second.SetSelStart(0);
        second.AutoSelect = c.autoSelect;
        if (c.byMouse)
            ClickAt(second, 30, 10);
        else
            Tap(VK_TAB);
        ASSERT_TRUE(second.Focused()) << c.what;
        EXPECT_EQ(second.SelLength(), c.selLength) << c.what;
    }
    second.SetSelStart(1);
    second.SetSelLength(3);
    EXPECT_EQ(second.SelText(), "eco");
}

TEST_F(EditButton, EditsAndCheckBoxesPaintTheirBackgroundInTheirColour)
{
    TTestForm form(300, 60);
    TWindowProbe page(&form, "page", nullptr, RECT{0, 0, 300, 60});
    page.SetColor(0x00D0E0F0);
    TEdit plain(&page), coloured(&page), readOnly(&page);
    plain.SetBounds(10, 5, 80, 21);
    coloured.SetBounds(100, 5, 80, 21);
    coloured.SetColor(0x00C0FFFF);
    readOnly.SetBounds(190, 5, 80, 21);
    readOnly.SetColor(clBtnFace);
    readOnly.SetReadOnly(true);
    TCheckBox box(&page);
    box.SetBounds(10, 35, 150, 17);
    box.SetCaption("On a page");
    form.ShowActive();
    EXPECT_EQ(ScreenPixel(plain, 60, 8), ColorToRGB(clWindow));
    EXPECT_EQ(ScreenPixel(coloured, 60, 8), 0x00C0FFFF);
    EXPECT_EQ(ScreenPixel(readOnly, 60, 8), ColorToRGB(clBtnFace)) << "read-only asks WM_CTLCOLORSTATIC";
    coloured.SetColor(0x00FFC0C0);
    EXPECT_EQ(ScreenPixel(coloured, 60, 8), 0x00FFC0C0) << "a new colour, a new brush";
    EXPECT_EQ(ScreenPixel(box, 145, 8), 0x00D0E0F0) << "a check box takes its parent's colour";
}

namespace {

// Uses the multi-line system edit (for its formatting rectangle, as the
// choice edit does).
class TMultiLineEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    std::wstring chars;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TCustomEdit::CreateParams(params);
        params.style |= ES_MULTILINE;
    }
    bool KeyPress(wchar_t& key) override
    {
        chars += key;
        return false;
    }
};

} // namespace

TEST_F(EditButton, EscapeAndEnterThatTheFormLeavesDoNotCloseItThroughAMultiLineEdit)
{
    TTestForm form(200, 60);
    TMultiLineEdit edit(&form);
    edit.SetBounds(10, 10, 150, 21);
    int closeRequests = 0;
    form.OnCloseQuery = [&] {
        ++closeRequests;
        return false;
    };
    form.ShowActive();
    edit.SetFocus();
    Tap(VK_ESCAPE);
    Tap(VK_RETURN);
    EXPECT_EQ(closeRequests, 0);
    EXPECT_EQ(edit.chars, L"\x1b\r") << "the characters still reach the edit's handlers";
}

// Like the main window: an edit, a default and a cancel button, and two more.
class TButtonForm : public TTestForm {
public:
    TButtonForm() : TTestForm(400, 60)
    {
        edit.SetBounds(10, 10, 80, 21);
        const char* captions[] = {"Ok", "Cancel", "&Apply", "About"};
        TButton* buttons[] = {&ok, &cancel, &apply, &about};
        for (int i = 0; i < 4; ++i) {
            buttons[i]->SetBounds(100 + 70 * i, 10, 60, 25);
            buttons[i]->SetCaption(captions[i]);
            buttons[i]->OnClick = [this](TControl& sender) { clicks.push_back(sender.Caption()); };
        }
        ok.SetDefault(true);
        ok.ModalResult = mrOk;
        cancel.SetCancel(true);
        cancel.ModalResult = mrCancel;
    }
    TEdit edit{this};
    TButton ok{this}, cancel{this}, apply{this}, about{this};
    std::vector<std::string> clicks;
};

TEST_F(EditButton, EnterPressesTheFocusedButtonElseTheDefaultAndEscapeTheCancelButton)
{
    TButtonForm form;
    form.ShowActive();
    EXPECT_EQ(form.DefaultControl, &form.ok);
    EXPECT_EQ(form.CancelControl, &form.cancel);
    struct Case {
        TWinControl* focus;
        WORD key;
        std::initializer_list<WORD> modifiers;
        const char* clicked;
    };
    const Case cases[] = {
        {&form.edit, VK_RETURN, {}, "Ok"},
        {&form.edit, VK_ESCAPE, {}, "Cancel"},
        {&form.about, VK_RETURN, {}, "About"},
        {&form.about, VK_SPACE, {}, "About"},
        {&form.edit, 'A', {VK_MENU}, "&Apply"},
        {&form.about, 'A', {}, "&Apply"}, // a button takes no characters
    };
    for (const Case& c : cases) {
        form.clicks.clear();
        c.focus->SetFocus();
        Tap(c.key, c.modifiers);
        EXPECT_EQ(form.clicks, std::vector<std::string>{c.clicked}) << c.clicked;
    }
    form.clicks.clear();
    ClickAt(form.apply, 30, 12);
    EXPECT_EQ(form.clicks, std::vector<std::string>{"&Apply"}) << "a mouse click";

    form.ok.SetDefault(false);
    EXPECT_EQ(form.DefaultControl, nullptr);
    form.clicks.clear();
    form.edit.SetFocus();
    Tap(VK_RETURN);
    EXPECT_TRUE(form.clicks.empty()) << "no default button any more";

    for (const UINT command : {IDOK, IDCANCEL}) {
        TButtonForm modal;
        modal.Handle();
        PostMessageW(modal.Handle(), WM_COMMAND, command, 0); // Enter or Escape in the modal loop
        EXPECT_EQ(modal.ShowModal(), command == IDOK ? mrOk : mrCancel) << "the button's modal result";
    }
}

TEST_F(EditButton, TheActiveButtonFollowsTheFocus)
{
    TButtonForm form;
    form.Handle();
    EXPECT_TRUE(form.ok.ButtonActive()) << "the default button is active once its window exists";
    EXPECT_TRUE(HasDefaultStyle(form.ok));
    form.ShowActive();
    struct Case {
        TWinControl* focus;
        TButton* active;
        const char* what;
    };
    const Case cases[] = {
        {&form.edit, &form.ok, "focus elsewhere: the default button"},
        {&form.apply, &form.apply, "a focused button, not the default"},
        {&form.ok, &form.ok, "the focused default button"},
        {&form.cancel, &form.cancel, "the cancel button focused"},
        {&form.edit, &form.ok, "back to the edit"},
    };
    for (const Case& c : cases) {
        c.focus->SetFocus();
        Settle();
        for (TButton* b : {&form.ok, &form.cancel, &form.apply, &form.about}) {
            EXPECT_EQ(b->ButtonActive(), b == c.active) << c.what << ": " << b->Caption();
            EXPECT_EQ(HasDefaultStyle(*b), b == c.active) << c.what << ": " << b->Caption();
        }
    }
    form.ok.SetDefault(false);
    EXPECT_FALSE(form.ok.ButtonActive()) << "no longer default: inactive at once";
    form.about.SetDefault(true);
    EXPECT_TRUE(form.about.ButtonActive());
}

namespace {

// Draws the button itself.
class TDrawnButton : public TButton {
public:
    using TButton::TButton;
    std::vector<UINT> states;
    int doubleClicks = 0;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TButton::CreateParams(params);
        params.style |= BS_OWNERDRAW;
    }
    bool DrawItem(const DRAWITEMSTRUCT& item) override
    {
        states.push_back(item.itemState);
        TCanvas canvas(item.hDC);
        canvas.FillRect(item.rcItem, 0x000000C0);
        return true;
    }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        doubleClicks += msg == WM_LBUTTONDBLCLK;
        return TButton::WndProc(msg, wp, lp);
    }
};

} // namespace

TEST_F(EditButton, AnOwnerDrawnSubclassPaintsItselfAndGetsDoubleClicks)
{
    TTestForm form(200, 60);
    TDrawnButton drawn(&form);
    drawn.SetBounds(80, 10, 75, 23);
    drawn.SetDefault(true);
    form.ShowActive();
    EXPECT_EQ(GetWindowLongPtrW(drawn.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
        << "the default-push bit is absorbed";
    EXPECT_EQ(ScreenPixel(drawn, 37, 11), 0x000000C0);
    drawn.SetFocus();
    Settle();
    ASSERT_FALSE(drawn.states.empty());
    EXPECT_TRUE(drawn.states.back() & ODS_FOCUS);
    MoveCursorTo(drawn, 30, 10);
    for (int i = 0; i < 2; ++i) {
        MouseButton(true, true);
        MouseButton(true, false);
    }
    EXPECT_EQ(drawn.doubleClicks, 1) << "the class keeps CS_DBLCLKS";
}
