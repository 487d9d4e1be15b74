// The colour combo box with real input: typing with completion, Up/Down,
// validation with the balloon, the colour value's text, loading in stream
// order, the list's items, place, keys and mouse, the colour dialog, and GDI.
#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ColorComboBox.h"
#include "controls/choice/ErrorPopup.h"
#include "framework/Application.h"
#include "framework/PlatformDialogs.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace quillon;
using namespace quillon::test;

namespace {

void Press(WORD vk)
{
    Key(vk, true);
    Key(vk, false);
}

class TColorStub : public IPlatformDialogs {
public:
    std::optional<TColor> answer;
    TColor started = -1;
    int calls = 0;
    std::optional<TFontChoice> PickFont(HWND, const TFont&) override { return std::nullopt; }
    std::optional<std::string> PickSaveFileName(HWND, const TSaveFileRequest&) override { return std::nullopt; }
    std::optional<std::string> PickFolder(HWND, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<TColor> PickColor(HWND, TColor start) override
    {
        ++calls;
        started = start;
        return answer;
    }
    void ShellOpen(const std::string&) override {}
};

// The main window's cbColor, loaded in its stored order, enabled.
class ColorCombo : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TTestForm>(300, 220);
        form->BeginLoad();
        combo = new TQnColorComboBox(form.get());
        combo->SetBounds(24, 20, 143, 19);
        combo->SetTabStop(true);
        combo->SetColor(clWhite);
        combo->SetText("clHighlight");
        combo->SetAlignment(TAlignment::taCenter);
        combo->SetDropDownStyle(TDropDownStyle::clsDropDown);
        combo->SetColorValue(clHighlight);
        combo->SetColorWidth(15);
        combo->SetDrawStyle(TControlStyle::fsFlat);
        combo->OnChange = [&](TControl&) { changes.push_back(combo->Text()); };
        other = new TQnColorComboBox(form.get());
        other->SetBounds(24, 180, 143, 19);
        other->SetTabStop(true);
        form->EndLoad();
        form->ShowActive();
        combo->SetFocus();
        PumpUntil([&] { return combo->Focused(); }, 1000);
        changes.clear();
    }
    void TearDown() override
    {
        Application().OnException = nullptr;
        delete combo;
        delete other;
        form.reset();
        ParkCursor();
    }
    // The swatch's inner colour in the check glyph.
    TColor Swatch() { return combo->CheckGlyph().Pixel(combo->ColorWidth() / 2, combo->CheckGlyph().Height() / 2); }
    std::pair<int, int> Selection()
    {
        DWORD start = 0, end = 0;
        SendMessageW(combo->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    void Retype(const std::wstring& text)
    {
        combo->SelectAll();
        TypeText(text);
    }

    std::unique_ptr<TTestForm> form;
    TQnColorComboBox* combo = nullptr;
    TQnColorComboBox* other = nullptr;
    std::vector<std::string> changes;
};

TEST_F(ColorCombo, CreatedAndLoadedStates)
{
    EXPECT_EQ(other->ItemList.size(), 41u);
    EXPECT_EQ(other->DropDownStyle(), TDropDownStyle::clsDropDown);
    EXPECT_EQ(other->ColorWidth(), 20);
    EXPECT_EQ(other->ColorValue(), clBlack);
    EXPECT_EQ(other->ItemIndex(), 0);
    EXPECT_EQ(other->Text(), "clBlack");
    // Loaded in stream order, silently.
    EXPECT_EQ(combo->ItemIndex(), 29);
    EXPECT_EQ(combo->Text(), "clHighlight");
    EXPECT_EQ(combo->ColorValue(), clHighlight);
    EXPECT_EQ(combo->CheckGlyph().Width(), 15);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(Swatch(), ColorToRGB(clHighlight));
}

TEST_F(ColorCombo, TextFromCodeKeepsTheItemUntilMatchedToIt)
{
    struct Case {
        const char* text;
        int index;
        TColor value;
    } cases[] = {{"clRed", 9, 0x0000FF}, {"clred", 9, 0x0000FF}, {"$00123456", -1, 0x123456}, {"abc", -1, clWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        combo->SetColorValue(clHighlight);
        combo->SetText(c.text);
        EXPECT_EQ(combo->ItemIndex(), 29) << "a text from code leaves the item";
        combo->MatchItemToText();
        EXPECT_EQ(combo->Text(), c.text);
        EXPECT_EQ(combo->ItemIndex(), c.index);
        EXPECT_EQ(combo->ColorValue(), c.value);
        EXPECT_EQ(Swatch(), ColorToRGB(c.value));
    }
}

TEST_F(ColorCombo, TypingCompletesAfterThreeLetters)
{
    Retype(L"cl");
    EXPECT_EQ(combo->Text(), "cl");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(Swatch(), clWhite); // no number: white
    TypeText(L"h");
    EXPECT_EQ(combo->Text(), "clHighlight");
    EXPECT_EQ(combo->ItemIndex(), 29);
    EXPECT_EQ(Selection(), std::make_pair(3, 11));
    EXPECT_EQ(Swatch(), ColorToRGB(clHighlight));
    EXPECT_FALSE(changes.empty());
}

TEST_F(ColorCombo, LeavingWithNumbersAndNames)
{
    struct Case {
        const wchar_t* typed;
        const char* after;
        TColor value;
    } cases[] = {
        {L"$000000FF", "clRed", 0x0000FF},
        {L"255", "clRed", 0x0000FF},
        {L"$00123456", "$00123456", 0x123456},
        {L"1193046", "$00123456", 0x123456},
    };
    for (const Case& c : cases) {
        combo->SetFocus();
        Settle();
        Retype(c.typed);
        Press(VK_TAB);
        EXPECT_TRUE(other->Focused()) << c.after;
        EXPECT_EQ(combo->Text(), c.after);
        EXPECT_EQ(combo->ColorValue(), c.value) << c.after;
        EXPECT_EQ(Swatch(), c.value) << c.after;
    }
}

TEST_F(ColorCombo, InvalidTextKeepsTheFocusAndShowsTheBalloon)
{
    Retype(L"abc");
    EXPECT_EQ(Swatch(), clWhite);
    Press(VK_TAB);
    EXPECT_TRUE(combo->Focused());
    EXPECT_EQ(combo->ErrorCode, ErrInvalidInteger);
    ASSERT_TRUE(PumpUntil([] { return TQnCustomEdit::ErrorPopup() != nullptr; }, 1000));
    EXPECT_EQ(TQnCustomEdit::ErrorPopup()->Text(), "Некорректное целочисленное значение");
    EXPECT_EQ(TQnCustomEdit::ErrorPopup()->TailVariant(), 0);
}

// One rule for a colour text, read-only or not: what TextAccepted answers
// (the main window asks it before a write) is what leaving does. Read-only
// keeps the colour rules: a text put in from code is read as a colour too.
TEST_F(ColorCombo, TextAcceptedIsWhatLeavingDoes)
{
    struct Case {
        bool readOnly;
        const char* text;
        const char* after;
        bool leaves;
    } cases[] = {
        {true, "255", "clRed", true},
        {true, "abc", "abc", false},
        {true, "$FFFFFFFF", "$FFFFFFFF", false},
        {false, "$00123456", "$00123456", true},
        {false, "abc", "abc", false},
    };
    std::vector<std::string> errors;
    Application().OnException = [&](const std::exception& e) { errors.push_back(e.what()); };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.readOnly ? ", read-only" : ""));
        combo->SetReadOnly(c.readOnly);
        combo->SetFocus();
        Settle();
        combo->SetText(c.text);
        EXPECT_EQ(combo->TextAccepted(), c.leaves);
        Press(VK_TAB);
        EXPECT_EQ(other->Focused(), c.leaves);
        EXPECT_EQ(combo->Text(), c.after);
        EXPECT_EQ(combo->ErrorCode, c.leaves ? 0 : ErrInvalidInteger);
    }
    EXPECT_TRUE(errors.empty());
}

// An editor takes text up to its length limit whatever its width (the
// centred one scrolls too); a paste that would pass the limit is refused
// whole, and a paste takes the clipboard's first line.
TEST_F(ColorCombo, TextUpToItsLimitGoesInWhateverTheWidth)
{
    struct Case {
        const char* name;
        TQnColorComboBox* editor;
        std::wstring typed, pasted;
        std::string after;
    } cases[] = {
        {"typed, centred", combo, L"clInactiveCaptionText", L"", "clInactiveCaptionText"},
        {"typed, left", other, L"clInactiveCaptionText", L"", "clInactiveCaptionText"},
        {"pasted, centred", combo, L"", std::wstring(40, L'7'), std::string(40, '7')},
        {"pasted up to the limit", combo, L"", std::wstring(100, L'7'), std::string(100, '7')},
        {"pasted past the limit", combo, L"", std::wstring(101, L'7'), "clRed"},
        {"pasted past the limit, left", other, L"", std::wstring(300, L'7'), "clRed"},
        {"pasted, two lines", combo, L"", L"$000000FF\r\nmore", "$000000FF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.editor->SetMaxLength(100);
        c.editor->SetText("clRed");
        c.editor->SetFocus();
        Settle();
        c.editor->SelectAll();
        changes.clear();
        if (!c.typed.empty())
            TypeText(c.typed);
        if (!c.pasted.empty()) {
            ASSERT_TRUE(SetClipboardText(form->Handle(), c.pasted));
            Tap('V', {VK_CONTROL});
        }
        EXPECT_EQ(c.editor->Text(), c.after);
        EXPECT_EQ(changes.empty(), c.after == "clRed" || c.editor != combo) << "refused: no change";
    }
}

// A centred text that fits starts where the platform's own centring puts
// it: halfway in what the platform makes of the whole rectangle (its margins
// and the border's inset stay inside), also after a resize or a new font.
TEST_F(ColorCombo, ACentredTextStartsWhereThePlatformCentresIt)
{
    const std::string wide(60, '7');
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(step);
        if (step == 1)
            combo->SetWidth(170);
        if (step == 2) {
            TFont font = combo->Font();
            font.SetSize(10);
            combo->SetFont(font);
        }
        for (const char* text : {"clRed", "$00123456", "clBtnFace"}) {
            SCOPED_TRACE(text);
            combo->SetText(wide);
            RECT whole{};
            SendMessageW(combo->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&whole));
            combo->SetText(text);
            Settle();
            HDC dc = GetDC(combo->Handle());
            const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(combo->Handle(), WM_GETFONT, 0, 0)));
            SIZE extent{};
            const std::wstring wtext(text, text + strlen(text));
            GetTextExtentPoint32W(dc, wtext.c_str(), static_cast<int>(wtext.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(combo->Handle(), dc);
            const LRESULT at = SendMessageW(combo->Handle(), EM_POSFROMCHAR, 0, 0);
            EXPECT_EQ(static_cast<short>(LOWORD(at)), whole.left + (whole.right - whole.left - extent.cx) / 2);
        }
    }
}

TEST_F(ColorCombo, UpAndDownStopAtTheEnds)
{
    combo->SelectAll();
    Press(VK_DELETE); // typed empty: no item
    EXPECT_EQ(combo->ItemIndex(), -1);
    Press(VK_DOWN);
    EXPECT_EQ(combo->Text(), "clBlack");
    Press(VK_UP);
    EXPECT_EQ(combo->Text(), "clBlack");
    combo->SetColorValue(SystemColor(24));
    EXPECT_EQ(combo->Text(), "clInfoBk");
    Press(VK_DOWN);
    EXPECT_EQ(combo->Text(), "clInfoBk");
    Press(VK_UP);
    EXPECT_EQ(combo->Text(), "clInfoText");
}

TEST_F(ColorCombo, ColourValueBecomesNameOrHexInSteps)
{
    combo->SetColorValue(SystemColor(5));
    EXPECT_EQ(combo->Text(), "clWindow");
    changes.clear();
    combo->SetColorValue(86 + 256 * 52 + 65536 * 18);
    EXPECT_EQ(combo->Text(), "$00123456");
    const std::vector<std::string> expected{"", "123456", "0123456", "00123456", "$00123456"};
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(combo->ColorValue(), 0x123456);
}

// Typing such a number is no error: the swatch shows white, as for any
// text that is no colour, and leaving refuses it.
TEST_F(ColorCombo, NumberBeyond32BitsShowsWhiteAndIsRefusedOnLeaving)
{
    std::vector<std::string> errors;
    Application().OnException = [&](const std::exception& e) { errors.push_back(e.what()); };
    Retype(L"$FFFFFFFF");
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(combo->Text(), "$FFFFFFFF");
    EXPECT_EQ(Swatch(), clWhite);
    Press(VK_TAB);
    EXPECT_TRUE(combo->Focused());
    EXPECT_EQ(combo->ErrorCode, ErrInvalidInteger);
}

TEST_F(ColorCombo, ListItemsSwatchAndText)
{
    combo->DropDown();
    ASSERT_TRUE(combo->Dropped());
    TQnPopupListBox& list = *combo->List();
    EXPECT_EQ(list.ItemHeight(), 16);
    EXPECT_EQ(list.ItemIndex(), 29);
    list.SetItemIndex(-1);
    list.SetTopIndex(9);
    TBitmap out(list.Width(), list.Height());
    list.PaintTo(out.Canvas());
    const RECT item = list.ItemRect(9); // clRed
    const int ox = item.left, oy = item.top;
    ASSERT_GE(oy, 0);
    const TColor shadow = ColorToRGB(clBtnShadow);
    for (int x = 2; x <= 14; ++x) {
        EXPECT_EQ(out.Pixel(ox + x, oy + 1), shadow) << x;
        EXPECT_EQ(out.Pixel(ox + x, oy + 14), shadow) << x;
    }
    for (int y = 1; y <= 14; ++y) {
        EXPECT_EQ(out.Pixel(ox + 2, oy + y), shadow) << y;
        EXPECT_EQ(out.Pixel(ox + 14, oy + y), shadow) << y;
    }
    EXPECT_EQ(out.Pixel(ox + 8, oy + 8), 0x0000FF);
    EXPECT_EQ(out.Pixel(ox + 15, oy + 8), clWhite);
    // The text starts at x 19.
    int firstInk = 1000;
    for (int y = oy; y < oy + 16; ++y)
        for (int x = ox + 15; x < item.right; ++x)
            if (out.Pixel(x, y) != clWhite)
                firstInk = std::min(firstInk, x - ox);
    EXPECT_GE(firstInk, 19);
    EXPECT_LE(firstInk, 21);
    combo->CloseUp(false, true);
}

TEST_F(ColorCombo, ListWidthAndPlaceBelowOrAbove)
{
    combo->DropDown();
    RECT edit, list;
    GetWindowRect(combo->Handle(), &edit);
    GetWindowRect(combo->List()->Handle(), &list);
    EXPECT_EQ(list.left, edit.left);
    EXPECT_EQ(list.top, edit.bottom);
    EXPECT_EQ(list.bottom - list.top, 7 * 16 + 4);
    EXPECT_EQ(list.right - list.left, combo->DropDownWidth) << "narrower than the computed width";
    combo->CloseUp(false, true);
    // At the bottom of the screen it opens above.
    const POINT corner = ScreenCorner();
    const POINT inForm = form->ScreenToClient(POINT{100, corner.y - 19});
    combo->SetBounds(inForm.x, inForm.y, 400, 19);
    Settle();
    EXPECT_EQ(combo->DropDownWidth, 0);
    combo->DropDown();
    GetWindowRect(combo->Handle(), &edit);
    GetWindowRect(combo->List()->Handle(), &list);
    EXPECT_EQ(list.bottom, edit.top);
    EXPECT_EQ(list.right - list.left, 400);
    combo->CloseUp(false, true);
}

TEST_F(ColorCombo, KeyboardOpensMovesAcceptsAndCancels)
{
    ASSERT_TRUE(combo->Focused());
    Key(VK_MENU, true);
    Press(VK_DOWN);
    Key(VK_MENU, false);
    ASSERT_TRUE(PumpUntil([&] { return combo->Dropped(); }, 1000));
    EXPECT_EQ(combo->EditButton()->EditButtonState(), TEditButtonState::ebsDown);
    Press(VK_DOWN);
    EXPECT_EQ(combo->Text(), "clHighlightText");
    Press(VK_NEXT);
    EXPECT_EQ(combo->List()->ItemIndex(), 36);
    Press(VK_RETURN);
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(combo->Text(), "clBtnHighlight");
    EXPECT_EQ(combo->RestoreText, "clBtnHighlight");
    EXPECT_EQ(combo->EditButton()->EditButtonState(), TEditButtonState::ebsUp);
    // Esc closes without the form seeing it.
    Key(VK_MENU, true);
    Press(VK_DOWN);
    Key(VK_MENU, false);
    Press(VK_UP);
    Press(VK_ESCAPE);
    EXPECT_FALSE(combo->Dropped());
    // Esc with the list closed puts the remembered text back, and the undo
    // that follows takes nothing back.
    Retype(L"abc");
    Press(VK_ESCAPE);
    EXPECT_EQ(combo->Text(), "clBtnHighlight");
    EXPECT_EQ(combo->ItemIndex(), 36);
    Retype(L"clBtnHighlight");
    Press(VK_ESCAPE);
    EXPECT_EQ(combo->Text(), "clBtnHighlight");
}

TEST_F(ColorCombo, MouseOpensAcceptsAndClosesElsewhere)
{
    const RECT button = combo->EditButton()->BoundsRect();
    const POINT onButton{(button.left + button.right) / 2 - 1, 8};
    MoveCursorTo(*combo, onButton.x, onButton.y);
    MouseButton(true, true);
    EXPECT_TRUE(combo->Dropped()) << "the press opens";
    MouseButton(true, false);
    ASSERT_TRUE(combo->Dropped());
    TQnPopupListBox& list = *combo->List();
    const RECT item = list.ItemRect(list.TopIndex() + 2);
    const int chosen = list.TopIndex() + 2;
    MoveCursorTo(list, item.left + 30, item.top + 5);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(combo->ItemIndex(), chosen);
    EXPECT_EQ(combo->Text(), combo->ItemList[static_cast<size_t>(chosen)]);
    EXPECT_TRUE(combo->Focused());
    // Open, then a press on another control closes without accepting.
    MoveCursorTo(*combo, onButton.x, onButton.y);
    MouseButton(true, true);
    MouseButton(true, false);
    ASSERT_TRUE(combo->Dropped());
    Press(VK_DOWN);
    const std::string moved = combo->Text();
    MoveCursorTo(*other, 20, 8);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_FALSE(combo->Dropped());
    EXPECT_EQ(combo->Text(), moved);
}

TEST_F(ColorCombo, DoubleClickOnTheTextPicksAColour)
{
    TColorStub stub;
    TPlatformDialogsScope scope(stub);
    stub.answer = 0x0000FF;
    MoveCursorTo(*combo, 60, 8);
    MouseButton(true, true);
    MouseButton(true, false);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(stub.calls, 1);
    EXPECT_EQ(stub.started, clHighlight);
    EXPECT_EQ(combo->Text(), "clRed");
    // Cancelled: the value stays but its text is set again.
    stub.answer.reset();
    changes.clear();
    MouseButton(true, true);
    MouseButton(true, false);
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(combo->Text(), "clRed");
    EXPECT_FALSE(changes.empty());
}

TEST_F(ColorCombo, ManyOpeningsLeakNoGdiObject)
{
    combo->DropDown();
    combo->CloseUp(false, true);
    Settle();
    const int baseline = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        combo->DropDown();
        UpdateWindow(combo->List()->Handle());
        combo->CloseUp(i % 2 == 0, true);
    }
    Settle();
    EXPECT_LE(LiveGdiObjects(), baseline + 2);
}

} // namespace
