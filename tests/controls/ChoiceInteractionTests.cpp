// The choice edit's keys, mouse, focus and validation with real input: F2
// by button style, Enter and Esc handed to the form, clicks and moves on the
// text and on the button, what entering selects, the balloon on an invalid
// exit and what hides it (another program's window too).
#include "controls/choice/ChoiceEdit.h"
#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ColorComboBox.h"
#include "controls/choice/ErrorPopup.h"
#include "controls/choice/PopupHook.h"
#include "framework/Application.h"
#include "framework/Hints.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

using namespace quillon;
using namespace quillon::test;

namespace {

// A form button stand-in: counts its clicks.
class TClickProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int clicks = 0;
    void Click() override { ++clicks; }

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), clBtnFace); }
};

// Another program with a window of its own (Wine's notepad), ended with the test.
class TOtherProgram {
public:
    TOtherProgram()
    {
        wchar_t command[] = L"notepad.exe";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
            return;
        WaitForInputIdle(process_.hProcess, 10000);
        PumpUntil([&] { return (window_ = FindWindowOf(process_.dwProcessId)) != nullptr; }, 10000);
    }
    ~TOtherProgram()
    {
        if (!process_.hProcess)
            return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    TOtherProgram(const TOtherProgram&) = delete;
    TOtherProgram& operator=(const TOtherProgram&) = delete;

    HWND Window() const { return window_; }

private:
    // A visible top-level window of the process.
    static BOOL CALLBACK Found(HWND hwnd, LPARAM data) noexcept
    {
        auto& search = *reinterpret_cast<std::pair<DWORD, HWND>*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != search.first || !IsWindowVisible(hwnd))
            return TRUE;
        search.second = hwnd;
        return FALSE;
    }
    static HWND FindWindowOf(DWORD processId)
    {
        std::pair<DWORD, HWND> search{processId, nullptr};
        EnumWindows(Found, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Makes `window` the foreground window and waits until it is. Asked again
// while waiting: a program that has just started may still take the
// foreground for its own window.
bool Activate(HWND window)
{
    return PumpUntil(
        [&] {
            if (GetForegroundWindow() != window)
                SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        2000);
}

std::pair<int, int> Selection(TWinControl& edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

class ChoiceEditKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TTestForm>(300, 120);
        edit = new TQnChoiceEdit(form.get());
        edit->SetBounds(24, 20, 187, 19);
        edit->SetButtonChoiceStyle(TChoiceBtnStyle::btsEllipsis);
        edit->SetDrawStyle(TControlStyle::fsFlat);
        edit->SetTabStop(true);
        other = new TQnChoiceEdit(form.get());
        other->SetBounds(24, 60, 187, 19);
        other->SetTabStop(true);
        ok = new TClickProbe(form.get());
        cancel = new TClickProbe(form.get());
        form->DefaultControl = ok;
        form->CancelControl = cancel;
        edit->OnButtonClick = [&](TControl&) { ++buttonClicks; };
        form->ShowActive();
        edit->SetFocus();
        Settle();
    }
    void TearDown() override
    {
        delete edit;
        delete other;
        delete ok;
        delete cancel;
        form.reset();
        ParkCursor();
    }
    void Press(WORD vk)
    {
        Key(vk, true);
        Key(vk, false);
    }

    std::unique_ptr<TTestForm> form;
    TQnChoiceEdit* edit = nullptr;
    TQnChoiceEdit* other = nullptr;
    TClickProbe* ok = nullptr;
    TClickProbe* cancel = nullptr;
    int buttonClicks = 0;
};

// The keyboard presses the button in either style: F2, or Alt+Down.
TEST_F(ChoiceEditKeys, F2AndAltDownPressTheButton)
{
    for (TEventStyle style : {TEventStyle::esNormal, TEventStyle::esDropDown}) {
        edit->SetButtonStyle(style);
        buttonClicks = 0;
        Press(VK_F2);
        Tap(VK_DOWN, {VK_MENU});
        EXPECT_EQ(buttonClicks, 2);
        EXPECT_EQ(edit->EditButton()->EditButtonState(), TEditButtonState::ebsUp);
        Tap(VK_F2, {VK_SHIFT});
        EXPECT_EQ(buttonClicks, 2) << "not with Shift";
    }
}

TEST_F(ChoiceEditKeys, EnterAndEscGoToTheFormsButtons)
{
    edit->SetText("abc");
    Press(VK_RETURN);
    EXPECT_EQ(ok->clicks, 1);
    EXPECT_EQ(edit->Text(), "abc"); // no line break went in
    Press(VK_ESCAPE);
    EXPECT_EQ(cancel->clicks, 1);
    EXPECT_TRUE(edit->Focused());
    // Multi-line: they stay in the edit.
    edit->MultiLine = true;
    Press(VK_ESCAPE);
    EXPECT_EQ(cancel->clicks, 1);
}

TEST_F(ChoiceEditKeys, TabMovesOnWithoutATabCharacter)
{
    edit->SetText("x");
    Press(VK_TAB);
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(edit->Text(), "x");
}

TEST_F(ChoiceEditKeys, EmptyTextIsRefusedOnLeavingUnlessReadOnly)
{
    edit->CanEmpty = false;
    edit->SetText("");
    Press(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->ErrorCode, ErrEmptyValue);
    ASSERT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));
    TQnMessageWindow* balloon = TQnCustomEdit::ErrorPopup();
    EXPECT_EQ(balloon->Text(), LoadResString(ResEmptyValue));
    EXPECT_TRUE(edit->ErrorShown());
    RECT r;
    GetWindowRect(balloon->Handle(), &r);
    const POINT at = edit->ClientToScreen(POINT{5, edit->Height() - 5});
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.top, at.y);
    // A typed character hides it (the hook posts the request).
    Press('A');
    EXPECT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() == nullptr; }, 1000));
    EXPECT_FALSE(PopupHookInstalled());
    EXPECT_FALSE(edit->ErrorShown());

    // Read-only: no validation at all.
    edit->SetText("");
    edit->SetReadOnly(true);
    Press(VK_TAB);
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(edit->ErrorCode, 0);
}

TEST_F(ChoiceEditKeys, AcceptedErrorsAndTheKillFocusEvent)
{
    edit->CanEmpty = false;
    edit->SetText("");
    bool accept = true;
    edit->OnKillFocus = [&](TControl&, bool& error) { error = !accept; };
    Press(VK_TAB);
    EXPECT_TRUE(other->Focused()) << "the handler dropped the error";
    other->SetFocus();
    edit->SetFocus();
    Settle();
    accept = false;
    edit->SetText("filled");
    Press(VK_TAB);
    EXPECT_TRUE(edit->Focused()) << "the handler raised one";
    // Code 0 has no text but the edit's own ErrorHint, blank here: no balloon.
    Pump(100);
    EXPECT_EQ(TQnCustomEdit::ErrorPopup(), nullptr);
    EXPECT_FALSE(edit->ErrorShown());
    // With a hint of its own it shows (leaving again by a key: once refused,
    // only the user brings the balloon back).
    edit->ErrorHint = "Not allowed";
    Press(VK_TAB);
    ASSERT_TRUE(PumpUntil([] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));
    EXPECT_EQ(TQnCustomEdit::ErrorPopup()->Text(), "Not allowed");
    EXPECT_TRUE(edit->Focused());
}

TEST_F(ChoiceEditKeys, ButtonClickHidesTheBalloon)
{
    edit->CanEmpty = false;
    edit->SetText("");
    Press(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));
    MoveCursorTo(*edit, 175, 8);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() == nullptr; }, 1000));
}

TEST_F(ChoiceEditKeys, BalloonGoesAfterItsTimeAndWithItsEdit)
{
    edit->CanEmpty = false;
    edit->SetText("");
    Press(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));
    const ULONGLONG shown = GetTickCount64();
    ASSERT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() == nullptr; }, 4000));
    const ULONGLONG elapsed = GetTickCount64() - shown;
    EXPECT_GE(elapsed, 1700u);
    EXPECT_LT(elapsed, 2700u);
    // Shown again, then the edit goes: the balloon and the hook go with it.
    edit->RequestShowError();
    ASSERT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));
    delete edit;
    edit = nullptr;
    EXPECT_EQ(TQnCustomEdit::ErrorPopup(), nullptr);
    EXPECT_FALSE(PopupHookInstalled());
}

TEST_F(ChoiceEditKeys, ClickOnTheTextIsTheEditsClickOnTheButtonTheButtonsOnly)
{
    int clicks = 0, ups = 0;
    edit->OnClick = [&](TControl&) { ++clicks; };
    edit->OnMouseUp = [&](TControl&, TMouseButton, unsigned, int, int) { ++ups; };
    struct Case {
        const char* where;
        POINT at; // client coordinates
        int clicks;
        int buttonClicks;
    } cases[] = {
        {"on the text", {40, 8}, 1, 0},
        {"on the button", {175, 8}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        clicks = buttonClicks = ups = 0;
        ClickAt(*edit, c.at.x, c.at.y);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(buttonClicks, c.buttonClicks);
        EXPECT_EQ(ups, 1) << "the release is the edit's too";
        Pump(static_cast<int>(GetDoubleClickTime()) + 50); // the next press is no double-click
    }
}

// The edit's own move handling stays off the button; the hint and the
// pointer's enter and leave notices still see those moves.
TEST_F(ChoiceEditKeys, MovesOverTheButtonAreTheButtonsYetLeavingStillCoolsTheEdit)
{
    const int pause = Application().HintPause;
    Application().HintPause = 50;
    edit->Hint = "Pick a folder";
    edit->ShowHint = true;
    other->SetFocus(); // unfocused: only the pointer keeps it hot
    int moves = 0;
    edit->OnMouseMove = [&](TControl&, unsigned, int, int) { ++moves; };
    ParkCursor();
    ASSERT_FALSE(edit->Hot());

    MoveCursorTo(*edit, 175, 8); // from outside straight onto the button
    MoveCursorTo(*edit, 176, 9);
    EXPECT_EQ(moves, 0);
    EXPECT_TRUE(edit->Hot());
    EXPECT_EQ(edit->EditButton()->EditButtonState(), TEditButtonState::ebsHot);
    HWND tip = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (tip = HintWindowHandle()) && IsWindowVisible(tip); }, 2000))
        << "the hint sees the moves";

    ParkCursor();
    EXPECT_TRUE(PumpUntil([&] { return !edit->Hot(); }, 1000)) << "leaving is noticed";
    EXPECT_EQ(edit->EditButton()->EditButtonState(), TEditButtonState::ebsUp);
    HDC dc = GetWindowDC(edit->Handle());
    const COLORREF top = GetPixel(dc, 50, 0);
    ReleaseDC(edit->Handle(), dc);
    EXPECT_EQ(static_cast<TColor>(top), ColorToRGB(clBtnFace)) << "the flat frame again";

    MoveCursorTo(*edit, 40, 8);
    EXPECT_GT(moves, 0) << "over the text the edit sees the moves";
    Application().HintPause = pause;
}

// Switching to another program hides the balloon, and so does coming back.
TEST_F(ChoiceEditKeys, BalloonGoesWhenAnotherProgramOrThisOneIsActivated)
{
    TOtherProgram notepad;
    ASSERT_NE(notepad.Window(), nullptr) << "another program with a window";
    ASSERT_TRUE(Activate(form->Handle()));
    edit->SetFocus();
    edit->CanEmpty = false;
    edit->SetText("");
    Press(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));

    ASSERT_TRUE(Activate(notepad.Window()));
    EXPECT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() == nullptr; }, 800))
        << "hidden at the switch, long before its time";

    edit->RequestShowError(); // shown while the other program is active
    ASSERT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));
    ASSERT_TRUE(Activate(form->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return TQnCustomEdit::ErrorPopup() == nullptr; }, 800));
}

// Entering by the keyboard selects the whole text; a click on the text puts
// the caret where it was (the colour combo selects the whole text itself),
// and a click on the button selects nothing.
TEST(ChoiceEditEntering, TabSelectsTheWholeTextAClickPlacesTheCaret)
{
    TTestForm form(260, 120);
    TQnChoiceEdit start(&form);
    start.SetBounds(24, 10, 187, 19);
    start.SetTabStop(true);
    TQnChoiceEdit path(&form); // a main-window path editor
    path.SetBounds(24, 40, 187, 19);
    path.SetTabStop(true);
    path.SetColor(clWhite);
    path.SetReadOnly(true);
    path.SetButtonChoiceStyle(TChoiceBtnStyle::btsEllipsis);
    path.SetDrawStyle(TControlStyle::fsFlat);
    path.SetText("C:\\Delphi5\\Objrepos");
    TQnColorComboBox color(&form); // cbColor
    color.SetBounds(24, 70, 143, 19);
    color.SetTabStop(true);
    color.SetColor(clWhite);
    color.SetAlignment(TAlignment::taCenter);
    color.SetColorValue(0x0000FF); // clRed
    color.SetColorWidth(15);
    color.SetDrawStyle(TControlStyle::fsFlat);
    form.ShowActive();

    struct Case {
        const char* name;
        TQnCustomChoiceEdit& control;
        bool clickSelectsAll;
    } cases[] = {
        {"path editor", path, false},
        {"colour combo", color, true},
    };
    start.SetFocus();
    Settle();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tap(VK_TAB);
        ASSERT_TRUE(c.control.Focused());
        const int length = static_cast<int>(c.control.Text().size());
        EXPECT_EQ(Selection(c.control), std::make_pair(0, length)) << "by Tab";
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start.SetFocus();
        Settle();
        ClickAt(c.control, 60, 8);
        ASSERT_TRUE(c.control.Focused());
        const int length = static_cast<int>(c.control.Text().size());
        const auto [from, to] = Selection(c.control);
        if (c.clickSelectsAll) {
            EXPECT_EQ(std::make_pair(from, to), std::make_pair(0, length)) << "by a click";
        } else {
            EXPECT_EQ(from, to) << "by a click: no selection";
            EXPECT_GT(from, 0) << "the caret where the click was";
            EXPECT_LT(from, length);
        }
        Pump(static_cast<int>(GetDoubleClickTime()) + 50);
    }
    start.SetFocus();
    Settle();
    ClickAt(path, 175, 8);
    ASSERT_TRUE(path.Focused());
    const auto [from, to] = Selection(path);
    EXPECT_EQ(from, to) << "by a click on the button: no selection";
    ParkCursor();
}

TEST_F(ChoiceEditKeys, LockedUpdatesHoldOnChangeUntilTheLastUnlock)
{
    int changes = 0;
    edit->OnChange = [&](TControl&) { ++changes; };
    edit->LockUpdates();
    edit->LockUpdates();
    edit->SetText("one");
    edit->SetText("two");
    edit->UnlockUpdates();
    EXPECT_EQ(changes, 0);
    edit->UnlockUpdates();
    EXPECT_EQ(changes, 1) << "one notice for the changes while locked";
    edit->LockUpdates();
    edit->SetText("three");
    edit->UnlockUpdates(false);
    EXPECT_EQ(changes, 1) << "unlocked without the notice";
    edit->SetText("four");
    EXPECT_EQ(changes, 2);
}

} // namespace
