// The tweak state through a fake window, against the registry of the test prefix.
#include "base/Exceptions.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/TweakModel.h"
#include "tweaks/Catalog.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace quillon;
using namespace quillon::test;

namespace {

// The in-memory window plus what the user types.
class FakeWindow : public TTweakModel {
public:
    void TypeColor(const std::string& value)
    {
        text[7] = value;
        state.ColorTextChanged();
    }
    void TypeCentury(const std::string& value)
    {
        text[8] = value;
        state.CenturyTextChanged();
    }
};

std::string Key(int tag) { return std::string(EntryForTag(tag).keyPath); }
std::string Name(int tag) { return std::string(EntryForTag(tag).valueName); }
void Store(int tag, const std::string& ansi) { SetString(Key(tag), Name(tag), ansi); }
std::optional<std::string> Stored(int tag) { return GetString(Key(tag), Name(tag)); }

class TweakState : public ::testing::Test {
protected:
    CleanIdeKeys clean_;
    FakeWindow w;

    // Asks nothing when there is nothing to ask; records whether it asked.
    static bool CloseAsks(FakeWindow& window, int answer = 2)
    {
        bool asked = false;
        window.state.CloseQuery([&] {
            asked = true;
            return answer;
        });
        return asked;
    }
    bool CloseAsks(int answer = 2) { return CloseAsks(w, answer); }
};

std::string LoadError(FakeWindow& w)
{
    try {
        w.state.Load();
    } catch (const Exception& e) {
        return e.what();
    }
    return "(no error)";
}

void StoreEverything()
{
    for (int tag : {1, 2, 3, 4, 5, 6, 10})
        Store(tag, "1");
    Store(7, "clRed");
    Store(8, "30");
    Store(9, "\"Tahoma\",10,Bold");
    Store(11, "D:\\Templates");
    Store(12, "D:\\Wiz.dll");
    Store(13, "D:\\Vcs.dll");
    Store(14, "D:\\Private");
}

} // namespace

TEST_F(TweakState, EmptyRegistryLoadsEverythingOff)
{
    w.state.Load();
    for (const TweakEntry& e : Catalog()) {
        EXPECT_FALSE(w.checked[e.tag]) << e.tag;
        EXPECT_FALSE(w.enabled[e.tag]) << e.tag;
        EXPECT_EQ(w.text[e.tag], e.initialText) << e.tag;
    }
    EXPECT_EQ(w.font, FontDesc{});
    EXPECT_FALSE(w.apply);
    EXPECT_FALSE(w.state.SettingsChanged());
    EXPECT_FALSE(CloseAsks());
    EXPECT_FALSE(KeyExists("Software\\Borland")) << "loading writes nothing";
}

TEST_F(TweakState, LoadFillsBoxesAndCompanionEditors)
{
    StoreEverything();
    w.state.Load();
    for (const TweakEntry& e : Catalog()) {
        EXPECT_TRUE(w.checked[e.tag]) << e.tag;
        EXPECT_EQ(w.enabled[e.tag], HasCompanion(e)) << e.tag;
    }
    EXPECT_EQ(w.text[7], "clRed");
    EXPECT_EQ(w.text[8], "30") << "the century comes from the store too";
    EXPECT_EQ(w.text[11], "D:\\Templates");
    EXPECT_EQ(w.text[14], "D:\\Private");
    EXPECT_EQ(w.font.Name(), "Tahoma");
    EXPECT_EQ(w.font.size, 10);
    EXPECT_TRUE(w.font.bold);
    EXPECT_EQ(w.state.FontParts(), (std::vector<std::string>{"Tahoma", "10", "Bold"}));
    EXPECT_FALSE(w.apply);
    EXPECT_FALSE(w.state.SettingsChanged());
}

TEST_F(TweakState, ClicksMarkChangedAndCloseAsks)
{
    w.state.Load();
    w.Click(11);
    EXPECT_TRUE(w.enabled[11]);
    w.Click(11);
    EXPECT_FALSE(w.enabled[11]);
    EXPECT_TRUE(w.apply);
    EXPECT_TRUE(w.state.SettingsChanged());

    Store(1, "1"); // appeared after the load: "Save" deletes every unchecked value
    EXPECT_TRUE(CloseAsks(1));
    EXPECT_FALSE(Stored(1));
    EXPECT_FALSE(Stored(11));
    EXPECT_FALSE(KeyExists(Key(11))) << "no key made to delete an absent value from";
    EXPECT_FALSE(w.apply);
    EXPECT_FALSE(CloseAsks());
}

TEST_F(TweakState, DontSaveAndCancelWriteNothing)
{
    w.state.Load();
    w.Click(1);
    EXPECT_TRUE(CloseAsks(2));
    EXPECT_FALSE(KeyExists("Software\\Borland"));
    w.state.Cancel();
    EXPECT_FALSE(CloseAsks());
}

TEST_F(TweakState, ApplyRewritesEveryCheckedSettingAndDeletesTheRest)
{
    Store(1, "yes");
    Store(2, "0");
    Store(7, "clRed");
    w.state.Load();
    w.Click(2);  // off
    w.Click(12); // on, with its initial text
    w.state.ApplySettings();
    EXPECT_EQ(Stored(1), "1") << "a plain entry stores exactly \"1\"";
    EXPECT_FALSE(Stored(2));
    EXPECT_EQ(Stored(7), "clRed");
    EXPECT_EQ(Stored(12), "C:\\Delphi5\\MyWiz\\CNUW.dll");
    for (int tag : {3, 4, 5, 6, 8, 9, 10, 11, 13, 14}) {
        EXPECT_FALSE(Stored(tag)) << tag;
        EXPECT_EQ(KeyExists(Key(tag)), Key(tag) == Key(1) || Key(tag) == Key(7)) << tag << ": only keys that held a value";
    }
    EXPECT_FALSE(w.apply);
    EXPECT_FALSE(w.state.SettingsChanged());
}

TEST_F(TweakState, CompanionEditsUnderACheckedBoxAreChanges)
{
    Store(7, "clRed");
    Store(8, "30");
    Store(14, "D:\\Old");
    w.state.Load();
    w.TypeCentury("40");
    EXPECT_TRUE(w.apply);
    EXPECT_TRUE(w.state.SettingsChanged());
    EXPECT_TRUE(CloseAsks(1));
    EXPECT_EQ(Stored(8), "40");

    w.TypeColor("clBlue");
    EXPECT_TRUE(w.state.SettingsChanged());
    w.state.ApplySettings();
    EXPECT_EQ(Stored(7), "clBlue");

    w.state.PathChosen(14, "E:\\New");
    EXPECT_EQ(w.text[14], "E:\\New");
    EXPECT_TRUE(w.state.SettingsChanged());
    w.state.ApplySettings();
    EXPECT_EQ(Stored(14), "E:\\New");
}

// Each companion edit alone, right after a load: under a checked box it is a
// change to apply and to ask about; under an unchecked one only the text
// changes. A confirmed font is a change either way.
TEST_F(TweakState, EachCompanionEditCountsOnlyUnderItsCheckedBox)
{
    for (int tag : {7, 8, 9, 11, 12, 13, 14}) {
        for (bool checked : {false, true}) {
            SCOPED_TRACE("tag " + std::to_string(tag) + (checked ? ", checked" : ", unchecked"));
            DeleteTree(IdeRoot);
            if (checked)
                Store(tag, tag == 9 ? "\"Tahoma\",10," : "stored");
            auto win = std::make_unique<FakeWindow>();
            win->state.Load();
            ASSERT_EQ(win->checked[tag], checked);
            ASSERT_FALSE(win->apply);
            ASSERT_FALSE(win->state.SettingsChanged());

            if (tag == 7) {
                win->TypeColor("clRed");
            } else if (tag == 8) {
                win->TypeCentury("40");
            } else if (tag == 9) {
                FontDesc chosen;
                chosen.SetName("Arial");
                win->state.FontConfirmed(chosen);
                EXPECT_EQ(win->font.Name(), "Arial");
            } else {
                win->state.PathChosen(tag, "E:\\New");
                EXPECT_EQ(win->text[tag], "E:\\New");
            }
            const bool change = checked || tag == 9;
            EXPECT_EQ(win->apply, change);
            EXPECT_EQ(win->state.SettingsChanged(), change);
        }
    }
}

TEST_F(TweakState, DefaultFontGoesBackUnchangedUntilTheUserPicksOne)
{
    Store(9, "\"Tahoma\",10,Bold,Italic,Underline");
    w.state.Load();
    EXPECT_FALSE(w.font.bold) << "five items carry no style";
    w.state.ApplySettings();
    EXPECT_EQ(Stored(9), "\"Tahoma\",10,Bold,Italic,Underline");

    FontDesc chosen;
    chosen.SetName("Arial");
    chosen.size = 12;
    chosen.italic = true;
    w.state.FontConfirmed(chosen);
    EXPECT_TRUE(w.apply);
    EXPECT_TRUE(w.state.SettingsChanged());
    w.state.ApplySettings();
    EXPECT_EQ(Stored(9), "\"Arial\",12,Italic");
}

TEST_F(TweakState, DefaultFontBoxCheckedByTheUserStoresTheDialogFont)
{
    w.state.Load();
    w.Click(9);
    EXPECT_TRUE(w.enabled[9]);
    w.state.ApplySettings();
    EXPECT_EQ(Stored(9), "\"MS Sans Serif\",8,");
}

TEST_F(TweakState, AStoppedLoadProtectsWhatItDidNotReach)
{
    StoreEverything();
    const DWORD one = 1;
    SetRaw(Key(3), Name(3), REG_DWORD, &one, sizeof one);
    EXPECT_EQ(LoadError(w), "Invalid data type for 'NoCtrlAltKeys'");
    EXPECT_FALSE(w.apply);
    EXPECT_FALSE(w.state.SettingsChanged());
    EXPECT_TRUE(w.checked[2]);
    EXPECT_FALSE(w.checked[4]);
    EXPECT_EQ(w.text[14], "C:\\Delphi5\\Mine");

    w.Click(2); // off
    w.state.ApplySettings();
    EXPECT_EQ(Stored(1), "1");
    EXPECT_FALSE(Stored(2));
    EXPECT_EQ(GetRaw(Key(3), Name(3))->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Stored(8), "30");
    EXPECT_EQ(Stored(9), "\"Tahoma\",10,Bold");
    EXPECT_EQ(Stored(14), "D:\\Private");

    EXPECT_EQ(w.notLoaded[3], "Not loaded: Invalid data type for 'NoCtrlAltKeys'");
    EXPECT_EQ(w.notLoaded[14], "Not loaded: the load stopped before it, at 'NoCtrlAltKeys'.");
    EXPECT_EQ(w.notLoaded[2], "");
}

// The load stops inside the codec, the font changed as far as the parse got,
// and the window still opens. What the tweak state leaves must be safe to
// apply: the broken value is stored so that any rewrite would show
// (expandable type, bytes after a zero), and it must come through untouched.
TEST_F(TweakState, ABrokenDefaultFontStopsTheLoadAtItsEntryAndStaysUntouched)
{
    struct Case {
        std::string text;
        const char* error;
        const char* fontName;
    };
    const Case cases[] = {
        {"\"\"", "List index out of bounds (0)", "MS Sans Serif"},
        {"\"Tahoma\"", "List index out of bounds (1)", "Tahoma"},
        {"\"Arial\",8 ,Bold", "'8 ' is not a valid integer value", "Arial"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DeleteTree(IdeRoot);
        StoreEverything();
        const std::string data = c.text + '\0' + "tail" + '\0';
        SetRaw(Key(9), Name(9), REG_EXPAND_SZ, data.data(), static_cast<DWORD>(data.size()));
        auto win = std::make_unique<FakeWindow>();

        EXPECT_EQ(LoadError(*win), c.error);
        EXPECT_EQ(win->font.Name(), c.fontName);
        EXPECT_EQ(win->font.size, 8);
        EXPECT_FALSE(win->font.bold);
        EXPECT_TRUE(win->checked[8] && win->checked[9]) << "its box was set before the parse failed";
        EXPECT_FALSE(win->enabled[9]);
        EXPECT_EQ(win->notLoaded[9], std::string("Not loaded: ") + c.error);
        for (int tag = 10; tag <= LastTag; ++tag) {
            EXPECT_FALSE(win->checked[tag]) << tag;
            EXPECT_FALSE(win->enabled[tag]) << tag;
            EXPECT_EQ(win->text[tag], EntryForTag(tag).initialText) << tag;
        }
        EXPECT_FALSE(win->apply);
        EXPECT_FALSE(win->state.SettingsChanged());
        EXPECT_FALSE(CloseAsks(*win));

        win->state.ApplySettings();
        const auto raw = GetRaw(Key(9), Name(9));
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->type, static_cast<DWORD>(REG_EXPAND_SZ));
        EXPECT_EQ(std::string(raw->data.begin(), raw->data.end()), data);
        EXPECT_EQ(Stored(8), "30");
        EXPECT_EQ(Stored(10), "1");
        EXPECT_EQ(Stored(14), "D:\\Private");
    }
}

TEST_F(TweakState, StoredTextOutsideTheAnsiCodePageStopsTheLoad)
{
    StoreEverything();
    SetWideString(Key(12), Name(12), L"D:\\\x65E5\x672C.dll");
    EXPECT_EQ(LoadError(w),
              "The text of 'CreateNewUniversumWizard' has characters that the ANSI code page cannot "
              "represent");
    w.state.ApplySettings();
    EXPECT_EQ(GetWideString(Key(12), Name(12)), L"D:\\\x65E5\x672C.dll") << "left as it was";
}

TEST_F(TweakState, ApplyChecksEveryTextBeforeWritingAny)
{
    w.state.Load();
    w.Click(1);
    w.Click(14);
    w.text[14] = "C:\\\xD0\x96";
    try {
        w.state.ApplySettings();
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(),
                     "The text of 'PrivateDir' has characters that the ANSI code page cannot represent");
    }
    EXPECT_FALSE(KeyExists("Software\\Borland"));
    EXPECT_TRUE(w.apply);
    EXPECT_TRUE(w.state.SettingsChanged());
}

TEST_F(TweakState, AFailedApplyStopsAtTheFailingEntryAndKeepsTheChanges)
{
    w.state.Load();
    w.Click(1);
    w.Click(11);
    w.Click(12);              // after the failing entry: a write to come
    Store(10, "1");           // before it and unchecked: a delete that goes through
    Store(13, "D:\\Vcs.dll"); // after it and unchecked: a delete to come
    // A key that refuses full access makes the write of tag 11 fail.
    std::optional<ReadOnlyKey> locked(std::in_place, Key(11));

    try {
        w.state.ApplySettings();
        ADD_FAILURE() << "the apply went through";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'CCLibDir'");
    }
    EXPECT_EQ(Stored(1), "1");
    EXPECT_FALSE(Stored(10)) << "the first page went before";
    EXPECT_FALSE(KeyExists(Key(12))) << "nothing after the failure is written";
    EXPECT_EQ(Stored(13), "D:\\Vcs.dll") << "nor deleted";
    EXPECT_TRUE(w.apply);
    EXPECT_TRUE(w.state.SettingsChanged());
    EXPECT_THROW(CloseAsks(1), ERegistryException);

    locked.reset();
    EXPECT_TRUE(CloseAsks(1));
    EXPECT_EQ(Stored(11), "C:\\Delphi5\\MyComps");
    EXPECT_EQ(Stored(12), "C:\\Delphi5\\MyWiz\\CNUW.dll");
    EXPECT_FALSE(Stored(13));
}

// The IDE's key may refuse changes: what it holds still shows, and a delete
// it refuses stops the apply like a refused write, with nothing counted as done.
TEST_F(TweakState, AReadOnlyKeyLoadsAsStoredAndARefusedDeleteStopsTheApply)
{
    Store(7, "clRed");
    Store(8, "30");
    std::optional<ReadOnlyKey> locked(std::in_place, Key(7));
    w.state.Load();
    EXPECT_TRUE(w.checked[7]);
    EXPECT_EQ(w.text[7], "clRed");
    EXPECT_TRUE(w.checked[8]);
    EXPECT_FALSE(w.checked[14]);

    w.Click(7); // off: its value is to be deleted
    try {
        w.state.ApplySettings();
        ADD_FAILURE() << "the apply went through";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to delete data for 'PropValueColor'");
    }
    EXPECT_EQ(Stored(7), "clRed");
    EXPECT_TRUE(w.apply);
    EXPECT_TRUE(w.state.SettingsChanged());

    locked.reset();
    w.state.ApplySettings();
    EXPECT_FALSE(Stored(7));
    EXPECT_EQ(Stored(8), "30");
}
