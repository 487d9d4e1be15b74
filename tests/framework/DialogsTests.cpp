// The dialog components over a stand-in for the platform, and each real
// dialog opened, answered from a timer its modal loop runs, and closed.
#include "base/Exceptions.h"
#include "base/TextConvert.h"
#include "framework/Dialogs.h"
#include "framework/PlatformDialogs.h"
#include "tests/support/GuiHelpers.h"

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace quillon;
using namespace quillon::test;

namespace {

// Records what the components ask and gives scripted answers.
class TFakeDialogs : public IPlatformDialogs {
public:
    std::optional<TFontChoice> PickFont(HWND owner, const TFont& start) override
    {
        lastOwner = owner;
        fontStart = start;
        return fontAnswer;
    }
    std::optional<std::string> PickSaveFileName(HWND owner, const TSaveFileRequest& request) override
    {
        lastOwner = owner;
        saveRequests.push_back(request);
        return saveAnswer;
    }
    std::optional<std::string> PickFolder(HWND owner, const std::string& prompt,
                                               const std::string& startFolder) override
    {
        lastOwner = owner;
        folderPrompt = prompt;
        folderStart = startFolder;
        return folderAnswer;
    }
    std::optional<TColor> PickColor(HWND owner, TColor start) override
    {
        lastOwner = owner;
        colorStart = start;
        return colorAnswer;
    }
    void ShellOpen(const std::string& target) override { opened.push_back(target); }

    HWND lastOwner = nullptr;
    TFont fontStart;
    std::optional<TFontChoice> fontAnswer;
    std::vector<TSaveFileRequest> saveRequests;
    std::optional<std::string> saveAnswer;
    std::string folderPrompt, folderStart;
    std::optional<std::string> folderAnswer;
    TColor colorStart = -1;
    std::optional<TColor> colorAnswer;
    std::vector<std::string> opened;
};

// A plain top-level window to own the real dialogs.
class TOwnerWindow {
public:
    TOwnerWindow()
        : handle_(CreateWindowExW(0, L"STATIC", L"Dialog owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~TOwnerWindow() { DestroyWindow(handle_); }
    TOwnerWindow(const TOwnerWindow&) = delete;
    TOwnerWindow& operator=(const TOwnerWindow&) = delete;
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

// Answers the dialog that `owner` gets next with a command (IDOK, IDCANCEL),
// from a thread timer that the dialog's own modal loop dispatches; `inspect`
// runs on each tick before, until it returns true. Falls back to closing the
// dialog, so one that ignores the command cannot hang the test.
class TDialogAnswer {
public:
    TDialogAnswer(HWND owner, WORD command, std::function<bool(HWND dialog)> inspect = {})
        : owner_(owner), command_(command), inspect_(std::move(inspect))
    {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~TDialogAnswer()
    {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    TDialogAnswer(const TDialogAnswer&) = delete;
    TDialogAnswer& operator=(const TDialogAnswer&) = delete;

    bool seen = false;
    bool ownerDisabled = false;
    bool forced = false; // the command did not close it
    std::wstring title;

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) noexcept
    {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
            GetWindow(window, GW_OWNER) == active_->owner_) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept
    {
        try {
            if (!active_)
                return;
            TDialogAnswer& self = *active_;
            HWND dialog = nullptr;
            EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog)
                return;
            ++self.ticks_;
            if (!self.seen) {
                self.seen = true;
                self.ownerDisabled = !IsWindowEnabled(self.owner_);
                wchar_t text[256] = {};
                GetWindowTextW(dialog, text, 256);
                self.title = text;
            }
            if (!self.answering_) {
                self.answering_ = !self.inspect_ || self.inspect_(dialog) || self.ticks_ > 40;
                return;
            }
            ++self.answerTicks_;
            if (self.answerTicks_ % 20 == 1)
                PostMessageW(dialog, WM_COMMAND, self.command_, 0);
            if (self.answerTicks_ > 60) {
                self.forced = true;
                PostMessageW(dialog, WM_CLOSE, 0, 0);
                EndDialog(dialog, 0);
            }
        } catch (...) {
            // Nothing crosses a timer callback; a missed answer shows as `forced`.
        }
    }

    static inline TDialogAnswer* active_ = nullptr;
    HWND owner_;
    WORD command_;
    std::function<bool(HWND)> inspect_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool answering_ = false;
    int answerTicks_ = 0;
};

std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item = nullptr)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HWND FolderTree(HWND dialog)
{
    return FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
}

HTREEITEM FindVisibleItem(HWND tree, const std::wstring& text)
{
    for (HTREEITEM item = NextItem(tree, TVGN_FIRSTVISIBLE); item; item = NextItem(tree, TVGN_NEXTVISIBLE, item))
        if (ItemText(tree, item) == text)
            return item;
    return nullptr;
}

bool OkEnabled(HWND dialog)
{
    return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
}

std::string TempFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, path);
    std::string result;
    for (const wchar_t* p = path; *p; ++p)
        result += static_cast<char>(*p); // the test prefix's paths are ASCII
    return FolderPathWithoutTrailingBackslash(result);
}

} // namespace

TEST(FolderPath, NoTrailingBackslashExceptForADriveRoot)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\", "C:\\"},
        {"C:", "C:\\"},
        {"d:\\\\", "d:\\"},
        {"C:\\Windows", "C:\\Windows"},
        {"C:\\Windows\\", "C:\\Windows"},
        {"C:\\Program Files\\Borland\\\\", "C:\\Program Files\\Borland"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"1:\\", "1:"},
        {"", ""},
    };
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(FolderPathWithoutTrailingBackslash(given), expected) << given;
}

TEST(PlatformDialogs, AStandInServesWhileItsScopeLasts)
{
    IPlatformDialogs* system = &SystemDialogs();
    EXPECT_EQ(&PlatformDialogs(), system);
    TFakeDialogs outer, inner;
    {
        TPlatformDialogsScope a(outer);
        {
            TPlatformDialogsScope b(inner);
            ShellOpen("mailto:someone@example.com?subject=Quillon");
        }
        ShellOpen("https://example.com/");
    }
    EXPECT_EQ(&PlatformDialogs(), system);
    EXPECT_EQ(inner.opened, (std::vector<std::string>{"mailto:someone@example.com?subject=Quillon"}));
    EXPECT_EQ(outer.opened, (std::vector<std::string>{"https://example.com/"}));
}

TEST(PlatformDialogs, FontDialogGivesBackNameSizeBoldAndItalicOnly)
{
    TFakeDialogs fake;
    TPlatformDialogsScope scope(fake);
    TFontDialog dialog;
    dialog.Font.name = "MS Sans Serif";
    dialog.Font.height = -11;
    dialog.Font.underline = true;
    dialog.Font.color = 0x123456;
    HWND owner = reinterpret_cast<HWND>(0x1234);

    EXPECT_FALSE(dialog.Execute(owner));
    EXPECT_EQ(fake.lastOwner, owner);
    EXPECT_EQ(fake.fontStart, dialog.Font) << "starts with the dialog's font";
    EXPECT_EQ(dialog.Font.name, "MS Sans Serif") << "cancel changes nothing";

    fake.fontAnswer = TFontChoice{"Tahoma", 12, true, true};
    EXPECT_TRUE(dialog.Execute(owner));
    EXPECT_EQ(dialog.Font.name, "Tahoma");
    EXPECT_EQ(dialog.Font.height, -16) << "12 points at 96 pixels per inch";
    EXPECT_TRUE(dialog.Font.bold);
    EXPECT_TRUE(dialog.Font.italic);
    EXPECT_TRUE(dialog.Font.underline) << "no effects: the rest stays";
    EXPECT_EQ(dialog.Font.color, 0x123456);
}

TEST(PlatformDialogs, SaveDialogPassesItsSettingsAndRemembersTheName)
{
    TFakeDialogs fake;
    TPlatformDialogsScope scope(fake);
    TSaveDialog dialog;
    dialog.Title = "Save New DLL as..";
    dialog.Filter = "DLL (*.dll)|*.dll|All Files (*.*)|*.*";
    dialog.DefaultExt = "*.dll";

    fake.saveAnswer = "C:\\Borland\\first.dll";
    EXPECT_TRUE(dialog.Execute());
    fake.saveAnswer.reset();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "C:\\Borland\\first.dll") << "cancel keeps the name";

    ASSERT_EQ(fake.saveRequests.size(), 2u);
    const TSaveFileRequest& first = fake.saveRequests[0];
    EXPECT_EQ(first.title, "Save New DLL as..");
    EXPECT_EQ(first.filter, "DLL (*.dll)|*.dll|All Files (*.*)|*.*");
    EXPECT_EQ(first.defaultExt, "*.dll") << "as given";
    EXPECT_EQ(first.fileName, "") << "empty at first";
    EXPECT_EQ(fake.saveRequests[1].fileName, "C:\\Borland\\first.dll") << "the next use starts with it";
}

TEST(PlatformDialogs, ColourDialogAndFolderChooser)
{
    TFakeDialogs fake;
    TPlatformDialogsScope scope(fake);
    TOwnerWindow owner;
    SetActiveWindow(owner.Handle());

    TColorDialog colors;
    colors.Color = clHighlight;
    EXPECT_FALSE(colors.Execute());
    EXPECT_EQ(fake.lastOwner, GetActiveWindow()) << "no owner given: the active window";
    EXPECT_EQ(fake.colorStart, clHighlight);
    EXPECT_EQ(colors.Color, clHighlight);
    fake.colorAnswer = 0x00123456;
    EXPECT_TRUE(colors.Execute(owner.Handle()));
    EXPECT_EQ(colors.Color, 0x00123456);

    EXPECT_EQ(ChooseFolder(owner.Handle(), "Choose a Folder", "C:\\Borland\\"), std::nullopt);
    EXPECT_EQ(fake.folderPrompt, "Choose a Folder");
    EXPECT_EQ(fake.folderStart, "C:\\Borland");
    fake.folderAnswer = "C:\\Program Files\\";
    EXPECT_EQ(ChooseFolder(owner.Handle(), "Choose a Folder", ""), "C:\\Program Files");
}

// The real dialogs: each opens modal to its owner and reports a cancel.
TEST(SystemDialogs, EachDialogOpensModalAndCancels)
{
    TOwnerWindow owner;
    auto cancel = [&](const std::function<bool()>& run, const wchar_t* what) {
        TDialogAnswer answer(owner.Handle(), IDCANCEL);
        EXPECT_FALSE(run()) << what;
        EXPECT_TRUE(answer.seen) << what;
        EXPECT_TRUE(answer.ownerDisabled) << what << ": the owner is disabled while it is open";
        EXPECT_FALSE(answer.forced) << what;
        EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << what << ": and enabled again";
        return answer.title;
    };

    TFontDialog font;
    const TFont before = font.Font;
    cancel([&] { return font.Execute(owner.Handle()); }, L"font");
    EXPECT_EQ(font.Font, before);

    TSaveDialog save;
    save.Title = "Save New DLL as..";
    save.Filter = "DLL (*.dll)|*.dll|All Files (*.*)|*.*";
    save.DefaultExt = "*.dll";
    save.FileName = "remembered.dll";
    EXPECT_EQ(cancel([&] { return save.Execute(owner.Handle()); }, L"save"), L"Save New DLL as..");
    EXPECT_EQ(save.FileName, "remembered.dll");

    TColorDialog color;
    color.Color = 0x00123456;
    cancel([&] { return color.Execute(owner.Handle()); }, L"colour");
    EXPECT_EQ(color.Color, 0x00123456);

    cancel([&] { return ChooseFolder(owner.Handle(), "Choose a Folder", "C:\\").has_value(); }, L"folder");
}

// The font dialog offers no effects: the system's strike-out, underline and
// colour controls are not shown.
TEST(SystemDialogs, FontDialogShowsNoEffects)
{
    TOwnerWindow owner;
    struct Control {
        const char* name;
        int id;
        bool shown = true;
    } controls[] = {{"strike-out", chx1}, {"underline", chx2}, {"colour", cmb4}};
    bool faceListShown = false;
    TDialogAnswer answer(owner.Handle(), IDCANCEL, [&](HWND dialog) {
        faceListShown = IsWindowVisible(GetDlgItem(dialog, cmb1)) != FALSE;
        for (Control& c : controls)
            c.shown = IsWindowVisible(GetDlgItem(dialog, c.id)) != FALSE;
        return true;
    });
    TFontDialog font;
    EXPECT_FALSE(font.Execute(owner.Handle()));
    ASSERT_TRUE(answer.seen);
    EXPECT_TRUE(faceListShown) << "the dialog's own controls are there";
    for (const Control& c : controls)
        EXPECT_FALSE(c.shown) << c.name;
}

TEST(SystemDialogs, FolderChooserAcceptsOnlyExistingFolders)
{
    TOwnerWindow owner;
    const std::string name = "quillon-vanishing-" + std::to_string(GetCurrentProcessId());
    const std::string folder = "C:\\" + name; // Wine's browser finds nothing below Temp
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    bool found = false, okWhileThere = false, okWhenGone = true;
    int step = 0;
    TDialogAnswer answer(owner.Handle(), IDOK, [&](HWND dialog) {
        HWND tree = FolderTree(dialog);
        if (step++ == 0) {
            okWhileThere = OkEnabled(dialog);
            // The folder goes while it is shown, then is selected again.
            HTREEITEM item = FindVisibleItem(tree, std::wstring(name.begin(), name.end()));
            found = item != nullptr;
            RemoveDirectoryA(folder.c_str());
            const HTREEITEM parent = NextItem(tree, TVGN_PARENT, item);
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(parent));
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
            return false; // the dialog first handles what that posted
        }
        okWhenGone = OkEnabled(dialog);
        return true; // then OK, sent as a message past the disabled button
    });
    EXPECT_EQ(ChooseFolder(owner.Handle(), "Choose a Folder", folder), std::nullopt) << "a folder that is gone";
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(found) << "the start folder is shown";
    EXPECT_TRUE(okWhileThere);
    EXPECT_FALSE(okWhenGone);
}

TEST(SystemDialogs, ConfirmedDialogsGiveBackWhatTheyStartedWith)
{
    TOwnerWindow owner;
    {
        TFontDialog font;
        font.Font.name = "Tahoma";
        font.Font.height = -11;
        font.Font.bold = true;
        TDialogAnswer answer(owner.Handle(), IDOK);
        ASSERT_TRUE(font.Execute(owner.Handle()));
        EXPECT_EQ(font.Font.name, "Tahoma");
        EXPECT_EQ(font.Font.height, -11) << "8 points and back";
        EXPECT_TRUE(font.Font.bold);
        EXPECT_FALSE(font.Font.italic);
    }
    {
        TColorDialog color;
        color.Color = 0x00123456;
        TDialogAnswer answer(owner.Handle(), IDOK);
        ASSERT_TRUE(color.Execute(owner.Handle()));
        EXPECT_EQ(color.Color, 0x00123456);
    }
    {
        // A name without extension takes the selected filter's.
        TSaveDialog save;
        save.Filter = "DLL (*.dll)|*.dll|All Files (*.*)|*.*";
        save.DefaultExt = "*.dll";
        save.FileName = TempFolder() + "\\quillon-pick";
        TDialogAnswer answer(owner.Handle(), IDOK);
        ASSERT_TRUE(save.Execute(owner.Handle()));
        EXPECT_EQ(save.FileName, TempFolder() + "\\quillon-pick.dll");
    }
    {
        // The start folder is preselected.
        bool okEnabled = false;
        TDialogAnswer answer(owner.Handle(), IDOK, [&](HWND dialog) {
            okEnabled = OkEnabled(dialog);
            return true;
        });
        const std::string start = TempFolder();
        const std::optional<std::string> chosen = ChooseFolder(owner.Handle(), "Choose a Folder", start + "\\");
        EXPECT_TRUE(okEnabled);
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, chosen->c_str(), -1, start.c_str(), -1),
                  CSTR_EQUAL)
            << *chosen << " vs " << start;
    }
}

// The platform's dialog builds the full name in a buffer of its own of
// MAX_PATH characters: a longer name typed in it, and Enter, used to end the
// program. The dialog now refuses it with a message and stays open; a name
// that fits goes through.
TEST(SystemDialogs, SaveDialogRefusesANameTooLongAndStaysOpen)
{
    TOwnerWindow owner;
    const std::string folder = TempFolder();
    struct Case {
        const char* name;
        std::wstring typed;
        int maxLength;
        bool refused;
    } cases[] = {
        {"300 characters", std::wstring(300, L'n'), MaxPlatformFileName, true},
        {"a whole path of 300", L"C:\\" + std::wstring(296, L'n') + L".dll", MaxPlatformFileName, true},
        {"fits only without the extension", std::wstring(MaxPlatformFileName - folder.size() - 4, L'n'),
         MaxPlatformFileName, true},
        {"fits with the extension", std::wstring(MaxPlatformFileName - folder.size() - 5, L'n'),
         MaxPlatformFileName, false},
        {"beyond a lower limit", L"abcdefghij", static_cast<int>(folder.size()) + 10, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSaveDialog save;
        save.Filter = "DLL (*.dll)|*.dll|All Files (*.*)|*.*";
        save.DefaultExt = "*.dll";
        save.FileName = folder + "\\start";
        save.MaxFileNameLength = c.maxLength;
        std::wstring message;
        int step = 0;
        TDialogAnswer answer(owner.Handle(), c.refused ? IDCANCEL : IDOK, [&](HWND dialog) {
            HWND box = GetDlgItem(dialog, 0x47C);
            if (step == 0) {
                SetWindowTextW(box ? box : GetDlgItem(dialog, 0x480), c.typed.c_str());
                ++step;
                if (!c.refused)
                    return true;
                PostMessageW(dialog, WM_COMMAND, IDOK, 0); // Enter in the name box
                return false;
            }
            if (step == 1) { // the message, owned by the dialog
                HWND box = nullptr;
                for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
                     w = FindWindowExW(nullptr, w, L"#32770", nullptr))
                    if (GetWindow(w, GW_OWNER) == dialog && IsWindowVisible(w))
                        box = w;
                if (!box)
                    return false;
                wchar_t text[512] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 512);
                message = text;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                ++step;
                return false;
            }
            return IsWindowVisible(dialog) && IsWindowEnabled(dialog); // still open: cancel it
        });
        const bool chosen = save.Execute(owner.Handle());
        EXPECT_EQ(chosen, !c.refused);
        EXPECT_FALSE(answer.forced);
        if (c.refused) {
            EXPECT_NE(message.find(L"The file name is too long"), std::wstring::npos) << WideToUtf8(message);
            EXPECT_NE(message.find(L"at most " + std::to_wstring(c.maxLength)), std::wstring::npos);
            EXPECT_EQ(save.FileName, folder + "\\start") << "unchanged";
        } else {
            EXPECT_EQ(save.FileName, folder + "\\" + WideToUtf8(c.typed) + ".dll");
            EXPECT_EQ(static_cast<int>(save.FileName.size()), MaxPlatformFileName);
        }
    }
}

TEST(PlatformDialogs, ASaveNameTooLongThatComesBackAnywayIsAnError)
{
    TFakeDialogs fake;
    TPlatformDialogsScope scope(fake);
    TSaveDialog save;
    save.FileName = "before.dll";
    fake.saveAnswer = "C:\\" + std::string(300, 'n');
    try {
        save.Execute();
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "The file name is too long: with its folder and extension it has 303 characters, and at most 259 are "
                     "possible.");
    }
    EXPECT_EQ(fake.saveRequests.back().maxLength, MaxPlatformFileName);
    EXPECT_EQ(save.FileName, "before.dll");
    save.MaxFileNameLength = 400; // never beyond what the platform takes
    EXPECT_THROW(save.Execute(), Exception);
    EXPECT_EQ(fake.saveRequests.back().maxLength, MaxPlatformFileName);
}

TEST(SystemDialogs, ShellOpensATarget)
{
    const std::string dir = TempFolder();
    const std::string script = dir + "\\quillon-open.cmd", marker = dir + "\\quillon-opened.txt";
    DeleteFileA(marker.c_str());
    {
        FILE* f = std::fopen(script.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fprintf(f, "@echo opened> \"%s\"\r\n", marker.c_str());
        std::fclose(f);
    }
    ShellOpen(script);
    const UINT_PTR wake = SetTimer(nullptr, 0, 50, nullptr); // the pump looks at the file on each tick
    const bool opened =
        PumpUntil([&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000);
    KillTimer(nullptr, wake);
    DeleteFileA(script.c_str());
    DeleteFileA(marker.c_str());
    EXPECT_TRUE(opened) << "the shell ran the script";
}
