// The choice edit's keys, focus and validation with real input: F2 by
// button style, Enter and Esc handed to the form, the balloon on an invalid
// exit and what hides it.
#include "controls/choice/ChoiceEdit.h"
#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ErrorPopup.h"
#include "controls/choice/PopupHook.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <memory>

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

TEST_F(ChoiceEditKeys, F2PressesTheButtonOnlyInDropDownStyle)
{
    Press(VK_F2);
    EXPECT_EQ(buttonClicks, 0);
    edit->SetButtonStyle(TEventStyle::esDropDown);
    Press(VK_F2);
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_EQ(edit->EditButton()->EditButtonState(), TEditButtonState::ebsUp);
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
