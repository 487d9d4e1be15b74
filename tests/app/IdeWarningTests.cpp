// The warning before a write while the IDE runs: with the process check
// replaced, every path that writes (Apply, OK, "Save") and two that do not,
// answered through the real message box; and the real check against a
// stand-in process under the IDE's file name.
#include "app/AboutForm.h"
#include "app/ConfirmForm.h"
#include "app/IdeCheck.h"
#include "app/MainForm.h"
#include "framework/Application.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/IdeStandIn.h"
#include "tests/support/GuiHelpers.h"
#include "tests/support/RegistryHelpers.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <set>
#include <string>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr wchar_t Question[] = L"Delphi 5 is running. It saves its own settings when it closes and will overwrite "
                               L"the changes made here.\r\n\r\nWrite them anyway?";

std::optional<std::string> Stored(int tag)
{
    return GetString(std::string(EntryForTag(tag).keyPath), std::string(EntryForTag(tag).valueName));
}

class TFakeIdeCheck : public IIdeCheck {
public:
    bool IsIdeRunning() override { return running; }
    bool running = true;
};

// What the message box of this thread showed, answered from inside its own
// loop by a thread timer.
class TMessageBoxAnswer {
public:
    explicit TMessageBoxAnswer(int button) : button_(button)
    {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, 30, Tick);
    }
    ~TMessageBoxAnswer()
    {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    TMessageBoxAnswer(const TMessageBoxAnswer&) = delete;
    TMessageBoxAnswer& operator=(const TMessageBoxAnswer&) = delete;

    int shown = 0;
    HWND owner = nullptr;
    std::wstring caption, text;
    HICON icon = nullptr;
    std::set<int> buttons;
    int defaultButton = 0;

private:
    static BOOL CALLBACK FindBox(HWND w, LPARAM found) noexcept
    {
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (IsWindowVisible(w) && std::wstring(cls) == L"#32770") {
            *reinterpret_cast<HWND*>(found) = w;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK FindIcon(HWND w, LPARAM icon) noexcept
    {
        if ((GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            *reinterpret_cast<HICON*>(icon) = reinterpret_cast<HICON>(SendMessageW(w, STM_GETICON, 0, 0));
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept
    {
        TMessageBoxAnswer* self = active_;
        if (!self)
            return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box || box == self->answered_)
            return;
        self->answered_ = box;
        ++self->shown;
        self->owner = GetWindow(box, GW_OWNER);
        wchar_t text[512] = {};
        GetWindowTextW(box, text, 512);
        self->caption = text;
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        self->text = text;
        EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&self->icon));
        for (int id = IDOK; id <= IDCONTINUE; ++id)
            if (HWND b = GetDlgItem(box, id); b && IsWindowVisible(b))
                self->buttons.insert(id);
        for (int id : self->buttons)
            if ((GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                self->defaultButton = id;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, self->button_)));
    }

    int button_;
    HWND answered_ = nullptr; // the answer is posted: the box stays a moment
    UINT_PTR timer_ = 0;
    static inline TMessageBoxAnswer* active_ = nullptr;
};

class IdeWarning : public ::testing::Test {
protected:
    void SetUp() override { Application().MainForm = &standIn_; }
    void TearDown() override { ParkCursor(); }

    CleanIdeKeys clean_;
    TTestForm standIn_{10, 10}; // closing the window under test must not end this program
    TFakeDialogs dialogs_;
    TPlatformDialogsScope dialogsScope_{dialogs_};
    TFakeIdeCheck ide_;
    TIdeCheckScope ideScope_{ide_};
    TErrorLog log_;
    TfrmAbout about_;
    TfrmConfirm confirm_;
};

TEST_F(IdeWarning, EveryWriteAsksWhileTheIdeRunsAndNoLeavesRegistryStateAndWindowAsTheyWere)
{
    enum class Path { Apply, Ok, Save, DontSave, Cancel };
    struct Row {
        const char* name;
        Path path;
        bool running;
        int answer;   // the message box button pressed
        bool asked;
        bool written; // else the registry and the state are as before
        bool closes;
    };
    const Row table[] = {
        {"Apply, Yes", Path::Apply, true, IDYES, true, true, false},
        {"Apply, No", Path::Apply, true, IDNO, true, false, false},
        {"Ok, Yes", Path::Ok, true, IDYES, true, true, true},
        {"Ok, No", Path::Ok, true, IDNO, true, false, false},
        {"Save, Yes", Path::Save, true, IDYES, true, true, true},
        {"Save, No", Path::Save, true, IDNO, true, false, false},
        {"Don't Save", Path::DontSave, true, IDYES, false, false, true},
        {"Cancel", Path::Cancel, true, IDYES, false, false, true},
        {"Ok, the IDE not running", Path::Ok, false, IDYES, false, true, true},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        DeleteTree(IdeRoot);
        SetString(std::string(EntryForTag(1).keyPath), std::string(EntryForTag(1).valueName), "1");
        ide_.running = row.running;
        TfrmMain f;
        UseDialogs(f, about_, confirm_);
        f.Show();
        f.CheckBoxOf(1).SetChecked(false); // a delete pending
        f.CheckBoxOf(2).SetChecked(true);  // a write pending
        Settle();

        TMessageBoxAnswer box(row.answer);
        TModalAnswer confirm(confirm_, [&] {
            (row.path == Path::Save ? confirm_.btnOk : confirm_.btnCancel).Click();
        });
        switch (row.path) {
        case Path::Apply: f.btnApply.Click(); break;
        case Path::Ok: f.btnOk.Click(); break;
        case Path::Cancel: f.btnCancel.Click(); break;
        case Path::Save:
        case Path::DontSave: f.Close(); break;
        }
        Settle();

        EXPECT_EQ(box.shown, row.asked ? 1 : 0);
        if (row.asked) {
            EXPECT_EQ(box.owner, f.Handle());
            EXPECT_EQ(box.caption, L"Quillon");
            EXPECT_EQ(box.text, Question);
            EXPECT_EQ(box.icon, LoadIconW(nullptr, IDI_WARNING)) << "warning icon";
            EXPECT_EQ(box.buttons, (std::set<int>{IDYES, IDNO}));
            EXPECT_EQ(box.defaultButton, IDNO);
        }
        EXPECT_EQ(Stored(1), row.written ? std::nullopt : std::optional<std::string>("1"));
        EXPECT_EQ(Stored(2), row.written ? std::optional<std::string>("1") : std::nullopt);
        EXPECT_EQ(f.Visible(), !row.closes);
        if (!row.written && !row.closes) {
            EXPECT_TRUE(f.SettingsChanged()) << "declined: still changed";
            EXPECT_TRUE(f.btnApply.Enabled());
            EXPECT_FALSE(f.CheckBoxOf(1).Checked());
            EXPECT_TRUE(f.CheckBoxOf(2).Checked());
        }
        EXPECT_TRUE(log_.errors.empty());
    }
}

// The snapshot finds a running process by its file name, case ignored, and
// only that name.
TEST_F(IdeWarning, TheProcessCheckFindsDelphi32ByNameCaseIgnored)
{
    EXPECT_FALSE(SystemIdeCheck().IsIdeRunning()) << "nothing runs";
    const struct {
        const wchar_t* fileName;
        bool found;
    } table[] = {{L"DELPHI32.EXE", true}, {L"xdelphi32.exe", false}};
    for (const auto& row : table) {
        SCOPED_TRACE(std::string(row.fileName, row.fileName + wcslen(row.fileName)));
        TIdeStandIn ide(row.fileName);
        ASSERT_TRUE(ide.Started());
        EXPECT_EQ(SystemIdeCheck().IsIdeRunning(), row.found);
        ide.Stop();
        EXPECT_FALSE(SystemIdeCheck().IsIdeRunning()) << "gone after it ended";
    }
}

} // namespace
