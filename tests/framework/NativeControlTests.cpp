// Native controls as superclasses of system classes: bound to their object,
// native behaviour intact, text and font in the window, notifications
// reflected back to the child, cursors per control.
#include "tests/framework/Probes.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

class NativeControls : public ::testing::Test {
protected:
    ~NativeControls() override { ParkCursor(); }
};

void Type(const std::vector<WORD>& keys)
{
    for (WORD k : keys) {
        Key(k, true);
        Key(k, false);
    }
}

std::pair<DWORD, DWORD> Selection(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

int ChildWindowsOfClass(HWND parent, const wchar_t* className)
{
    int count = 0;
    for (HWND w = FindWindowExW(parent, nullptr, className, nullptr); w; w = FindWindowExW(parent, w, className, nullptr))
        ++count;
    return count;
}

} // namespace

TEST_F(NativeControls, AnEditSuperclassKeepsNativeTypingSelectionAndUndo)
{
    TTestForm form(200, 60);
    TNativeProbe edit(&form, L"EDIT", ES_AUTOHSCROLL, RECT{10, 10, 150, 30});
    form.ShowActive();
    edit.SetFocus();
    EXPECT_EQ(ChildWindowsOfClass(form.Handle(), L"Quillon.EDIT"), 1) << "one window, however often Handle() is asked";
    EXPECT_EQ(TWinControl::FromHandle(edit.Handle()), &edit) << "bound to its object";

    Type({'A', 'B', 'C'});
    EXPECT_EQ(edit.Caption(), "abc") << "typed by the native edit";
    EXPECT_EQ(edit.keys, (std::vector<WORD>{'A', 'B', 'C'})) << "while our handler saw the keys";
    Key(VK_SHIFT, true);
    Type({VK_HOME});
    Key(VK_SHIFT, false);
    EXPECT_EQ(Selection(edit.Handle()), std::make_pair(DWORD{0}, DWORD{3})) << "native selection";
    Type({'X'});
    EXPECT_EQ(edit.Caption(), "x");
    Key(VK_CONTROL, true);
    Type({'Z'});
    Key(VK_CONTROL, false);
    EXPECT_EQ(edit.Caption(), "abc") << "native undo";

    const int before = edit.textChanges;
    edit.SetCaption("set");
    EXPECT_EQ(edit.Caption(), "set");
    EXPECT_EQ(edit.textChanges, before + 1) << "one text notice through WM_SETTEXT";
    edit.SetCaption("set");
    EXPECT_EQ(edit.textChanges, before + 1) << "unchanged text, no notice";
}

TEST_F(NativeControls, TheFontGoesToTheWindowAtCreationAndOnEveryChange)
{
    TTestForm form(200, 60);
    TNativeProbe edit(&form, L"EDIT", ES_AUTOHSCROLL, RECT{10, 10, 150, 30});
    TFont font = form.Font();
    font.height = -15;
    edit.SetFont(font);
    form.ShowActive();
    auto windowFont = [&] { return reinterpret_cast<HFONT>(SendMessageW(edit.Handle(), WM_GETFONT, 0, 0)); };
    EXPECT_EQ(windowFont(), SharedFontHandle(font));
    font.bold = true;
    edit.SetFont(font);
    EXPECT_EQ(windowFont(), SharedFontHandle(font));
    LOGFONTW lf{};
    GetObjectW(windowFont(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD) << "a live font, kept while in use";
}

TEST_F(NativeControls, EachFontsMetricsAreItsOwn)
{
    TFont small;
    TFont large = small;
    large.height = -24;
    TFont bold = small;
    bold.bold = true;
    for (const TFont* font : {&small, &large, &bold, &small}) {
        HDC screen = GetDC(nullptr);
        const HGDIOBJ old = SelectObject(screen, SharedFontHandle(*font));
        TEXTMETRICW measured{};
        GetTextMetricsW(screen, &measured);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        const TEXTMETRICW& kept = SharedFontMetrics(*font);
        EXPECT_EQ(kept.tmHeight, measured.tmHeight) << font->height;
        EXPECT_EQ(kept.tmMaxCharWidth, measured.tmMaxCharWidth) << font->height;
        EXPECT_EQ(kept.tmWeight, measured.tmWeight) << font->height;
    }
    EXPECT_GT(SharedFontMetrics(large).tmHeight, SharedFontMetrics(small).tmHeight);
}

TEST_F(NativeControls, NotificationsAreReflectedToTheChildThatSentThem)
{
    TTestForm form(300, 140);
    TWindowProbe panel(&form, "panel", nullptr, RECT{0, 0, 300, 140});
    TNativeProbe push(&panel, L"BUTTON", BS_PUSHBUTTON, RECT{5, 5, 80, 30});
    TNativeProbe drawn(&panel, L"BUTTON", BS_OWNERDRAW, RECT{90, 5, 160, 30});
    TNativeProbe edit(&panel, L"EDIT", ES_AUTOHSCROLL, RECT{170, 5, 290, 25});
    TNativeProbe list(&panel, L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, RECT{5, 40, 150, 130});
    edit.ctlBrush = GetSysColorBrush(COLOR_INFOBK);
    form.ShowActive();
    SendMessageW(list.Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    edit.Update();
    list.Update();
    drawn.Update();
    MoveCursorTo(push, 10, 10);
    MouseButton(true, true);
    MouseButton(true, false);
    NMHDR header{edit.Handle(), 0, 1234};
    const LRESULT notifyResult = SendMessageW(panel.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));

    auto saw = [](const TNativeProbe& p, UINT msg) {
        return std::count(p.reflected.begin(), p.reflected.end(), msg) > 0;
    };
    struct Case {
        const TNativeProbe* child;
        UINT msg;
        const char* what;
    };
    const Case cases[] = {
        {&push, WM_COMMAND, "BN_CLICKED from a click"},
        {&drawn, WM_DRAWITEM, "owner-drawn button"},
        {&list, WM_MEASUREITEM, "measured while its window was made, found by its id"},
        {&list, WM_DRAWITEM, "owner-drawn list item"},
        {&edit, WM_CTLCOLOREDIT, "the edit's colours"},
        {&edit, WM_NOTIFY, "WM_NOTIFY by hwndFrom"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(saw(*c.child, c.msg)) << c.what;
    EXPECT_EQ(push.clicks, 1);
    EXPECT_EQ(notifyResult, 77) << "the child's result goes back";
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 21);
    EXPECT_FALSE(saw(push, WM_DRAWITEM)) << "only the sender sees it";
}

TEST_F(NativeControls, EachControlShowsItsCursorWindowlessOnesIncluded)
{
    TTestForm form(300, 60);
    TNativeProbe edit(&form, L"EDIT", ES_AUTOHSCROLL, RECT{10, 10, 110, 30});
    TNativeProbe arrowEdit(&form, L"EDIT", ES_AUTOHSCROLL, RECT{120, 10, 220, 30});
    arrowEdit.SetCursor(TCursor::crArrow);
    TLabelProbe link(&form, "link", nullptr, RECT{230, 10, 290, 30});
    link.SetCursor(TCursor::crHandPoint);
    form.ShowActive();
    struct Case {
        TControl* over;
        const wchar_t* cursor;
        const char* what;
    };
    const Case cases[] = {
        {&edit, IDC_IBEAM, "crDefault keeps the class cursor"},
        {&arrowEdit, IDC_ARROW, "a control's own cursor"},
        {&link, IDC_HAND, "a windowless control's cursor"},
        {&form, IDC_ARROW, "the form's class cursor"},
    };
    for (const Case& c : cases) {
        MoveCursorTo(*c.over, c.over == &form ? 150 : 5, c.over == &form ? 45 : 5);
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor)) << c.what;
    }
}
