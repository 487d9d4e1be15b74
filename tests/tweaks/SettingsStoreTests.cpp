// The settings store against the registry of the test prefix.
#include "base/Exceptions.h"
#include "tests/support/HandleCount.h"
#include "tests/support/RegistryHelpers.h"
#include "tweaks/SettingsStore.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace quillon;
using namespace quillon::test;

namespace {

const std::string Extras = "Software\\Borland\\Delphi\\5.0\\Extras";

class SettingsStore : public ::testing::Test {
    CleanIdeKeys clean_;
};

template <typename E, typename F>
std::string ErrorOf(F&& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST_F(SettingsStore, ReadingAMissingKeyOrValueYieldsEmptyAndCreatesNothing)
{
    EXPECT_EQ(ReadSettingValue(Extras, "AutoPaletteSelect"), "");
    EXPECT_FALSE(IsSettingSet(Extras, "AutoPaletteSelect"));
    EXPECT_FALSE(KeyExists("Software\\Borland"));

    SetString(Extras, "Other", "x");
    EXPECT_EQ(ReadSettingValue(Extras, "AutoPaletteSelect"), "");
}

TEST_F(SettingsStore, ReadsStringsUpToTheirFirstZeroAndUnexpanded)
{
    SetString(Extras, "Plain", "C:\\Delphi5\\Mine");
    EXPECT_EQ(ReadSettingValue(Extras, "Plain"), "C:\\Delphi5\\Mine");

    const char expand[] = "%WINDIR%\\x";
    SetRaw(Extras, "Expand", REG_EXPAND_SZ, expand, sizeof expand);
    EXPECT_EQ(ReadSettingValue(Extras, "Expand"), "%WINDIR%\\x");
    EXPECT_TRUE(IsSettingSet(Extras, "Expand"));

    const char embedded[] = "ab\0cd";
    SetRaw(Extras, "Embedded", REG_SZ, embedded, sizeof embedded);
    EXPECT_EQ(ReadSettingValue(Extras, "Embedded"), "ab");

    SetString(Extras, "Empty", "");
    SetRaw(Extras, "NoBytes", REG_SZ, "", 0);
    for (const char* name : {"Empty", "NoBytes"}) {
        EXPECT_EQ(ReadSettingValue(Extras, name), "") << name;
        EXPECT_FALSE(IsSettingSet(Extras, name)) << name;
    }

    const std::string longPath = "C:\\" + std::string(3000, 'p'); // beyond the first read buffer
    SetString(Extras, "Long", longPath);
    EXPECT_EQ(ReadSettingValue(Extras, "Long"), longPath);

    SetString(Extras, "Western", "Caf\xE9 \x80"); // Windows-1252 bytes
    EXPECT_EQ(ReadSettingValue(Extras, "Western"), "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST_F(SettingsStore, OtherValueTypesAreInvalid)
{
    const DWORD one = 1;
    SetRaw(Extras, "AutoPaletteSelect", REG_DWORD, &one, sizeof one);
    SetRaw(Extras, "AutoPaletteScroll", REG_BINARY, "\x01\x02\x03", 3);
    const char multi[] = "a\0b\0";
    SetRaw(Extras, "Multi", REG_MULTI_SZ, multi, sizeof multi);
    for (const char* name : {"AutoPaletteSelect", "AutoPaletteScroll", "Multi"}) {
        const std::string expected = std::string("Invalid data type for '") + name + "'";
        EXPECT_EQ(ErrorOf<ERegistryException>([&] { ReadSettingValue(Extras, name); }), expected);
        EXPECT_EQ(ErrorOf<ERegistryException>([&] { IsSettingSet(Extras, name); }), expected);
    }
}

TEST_F(SettingsStore, TextOutsideTheAnsiCodePageIsNeverReadAsQuestionMarks)
{
    SetWideString(Extras, "PrivateDir", L"C:\\\x0416\x0443\x043A");
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { ReadSettingValue(Extras, "PrivateDir"); }),
              "The text of 'PrivateDir' has characters that the ANSI code page cannot represent");
}

TEST_F(SettingsStore, WritingCreatesEveryMissingKeyAndStoresAnsiText)
{
    const std::string deep = "Software\\Borland\\Delphi\\5.0\\Component Templates";
    WriteSettingValue(deep, "CCLibDir", "C:\\Caf\xC3\xA9");
    auto raw = GetRaw(deep, "CCLibDir");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(raw->data.begin(), raw->data.end()), std::string("C:\\Caf\xE9", 7) + '\0');

    // A peer we did not write sees the same.
    WriteSettingValue(Extras, "AutoPaletteSelect", "1");
    const std::string reg = RegQuery(Extras, "AutoPaletteSelect");
    EXPECT_NE(reg.find("AutoPaletteSelect"), std::string::npos) << reg;
    EXPECT_NE(reg.find("REG_SZ"), std::string::npos) << reg;
    EXPECT_NE(reg.find("    1"), std::string::npos) << reg;

    WriteSettingValue(Extras, "Empty", "");
    EXPECT_EQ(GetString(Extras, "Empty"), "");
}

TEST_F(SettingsStore, WritingRefusesTextOutsideTheAnsiCodePageBeforeTouchingAnything)
{
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { WriteSettingValue(Extras, "PrivateDir", "\xD0\x96"); }),
              "The text of 'PrivateDir' has characters that the ANSI code page cannot represent");
    EXPECT_FALSE(KeyExists(Extras));
}

TEST_F(SettingsStore, NamesGoThroughTheAnsiCodePageBothWays)
{
    // Non-ASCII in a key path and a value name that the code page holds:
    // every call addresses the one value stored under the ANSI names.
    const std::string key = Extras + "\\Caf\xC3\xA9", name = "Na\xC3\xAFve";
    const std::string ansiKey = Extras + "\\Caf\xE9", ansiName = "Na\xEFve";
    WriteSettingValue(key, name, "x");
    EXPECT_EQ(GetString(ansiKey, ansiName), "x");
    EXPECT_EQ(ReadSettingValue(key, name), "x");
    SetString(ansiKey, ansiName, "y");
    EXPECT_EQ(ReadSettingValue(key, name), "y");
    DeleteSettingValue(key, name);
    EXPECT_FALSE(GetRaw(ansiKey, ansiName));

    // One it cannot hold is an error, never a name with '?' in it.
    SetString(Extras, "Other", "1");
    const std::string cyrillic = "\xD0\x96";
    const std::string expected =
        "The name '" + cyrillic + "' has characters that the ANSI code page cannot represent";
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { ReadSettingValue(Extras, cyrillic); }), expected);
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { WriteSettingValue(Extras, cyrillic, "1"); }), expected);
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { DeleteSettingValue(Extras, cyrillic); }), expected);
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { WriteSettingValue(cyrillic, "Other", "1"); }), expected);
    EXPECT_FALSE(GetRaw(Extras, "?"));
    EXPECT_FALSE(KeyExists("?"));
}

TEST_F(SettingsStore, DeletingAnAbsentValueMakesNoKeyAndReportsNothing)
{
    DeleteSettingValue(Extras, "AutoPaletteSelect");
    EXPECT_FALSE(KeyExists("Software\\Borland")) << "no key made to delete from";

    SetString(Extras, "AutoPaletteScroll", "1");
    DeleteSettingValue(Extras, "AutoPaletteSelect");
    SetString(Extras, "AutoPaletteSelect", "1");
    DeleteSettingValue(Extras, "AutoPaletteSelect");
    EXPECT_FALSE(GetRaw(Extras, "AutoPaletteSelect"));
    EXPECT_EQ(GetString(Extras, "AutoPaletteScroll"), "1");
    // A peer lists the key: the value that stays proves that reg ran.
    const std::string reg = RegQuery(Extras);
    EXPECT_NE(reg.find("AutoPaletteScroll    REG_SZ    1"), std::string::npos) << reg;
    EXPECT_EQ(reg.find("AutoPaletteSelect"), std::string::npos) << reg;
}

// A key that refuses changes still shows what it holds; every change it
// refuses is reported, and one it need not make (an absent value) is not.
TEST_F(SettingsStore, AReadOnlyKeyIsReadAsStoredAndRefusesWritesAndDeletes)
{
    const std::string globals = "Software\\Borland\\Delphi\\5.0\\Globals";
    SetString(globals, "PrivateDir", "C:\\Mine");
    ReadOnlyKey locked(globals);
    EXPECT_EQ(ReadSettingValue(globals, "PrivateDir"), "C:\\Mine");
    EXPECT_TRUE(IsSettingSet(globals, "PrivateDir"));
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { WriteSettingValue(globals, "PrivateDir", "x"); }),
              "Failed to set data for 'PrivateDir'");
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { DeleteSettingValue(globals, "PrivateDir"); }),
              "Failed to delete data for 'PrivateDir'");
    EXPECT_EQ(GetString(globals, "PrivateDir"), "C:\\Mine");
    DeleteSettingValue(globals, "PropValueColor"); // not there: nothing to refuse
}

// One that cannot even be read counts as missing for reading, but a delete
// cannot know there is nothing to delete.
TEST_F(SettingsStore, AnUnreadableKeyReadsAsEmptyAndRefusesDeletes)
{
    const std::string globals = "Software\\Borland\\Delphi\\5.0\\Globals";
    SetString(globals, "PrivateDir", "C:\\Mine");
    UnreadableKey locked(globals);
    EXPECT_EQ(ReadSettingValue(globals, "PrivateDir"), "");
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { DeleteSettingValue(globals, "PropValueColor"); }),
              "Failed to delete data for 'PropValueColor'");
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { WriteSettingValue(globals, "PrivateDir", "x"); }),
              "Failed to set data for 'PrivateDir'");
}

TEST_F(SettingsStore, EveryCallReleasesItsKeys)
{
    const DWORD one = 1;
    SetRaw(Extras, "Bad", REG_DWORD, &one, sizeof one);
    SetWideString(Extras, "Wide", L"\x0416");
    const std::string globals = "Software\\Borland\\Delphi\\5.0\\Globals";
    SetString(globals, "PrivateDir", "C:\\Mine");
    ReadOnlyKey locked(globals);
    const int before = LiveKernelHandles();
    for (int i = 0; i < 200; ++i) {
        EXPECT_THROW(WriteSettingValue(globals, "PrivateDir", "x"), ERegistryException);
        EXPECT_THROW(DeleteSettingValue(globals, "PrivateDir"), ERegistryException);
        ReadSettingValue(globals, "PrivateDir");
        WriteSettingValue(Extras, "AutoPaletteSelect", "1");
        ReadSettingValue(Extras, "AutoPaletteSelect");
        IsSettingSet("Software\\Borland\\Missing", "X");
        DeleteSettingValue(Extras, "AutoPaletteSelect");
        EXPECT_THROW(ReadSettingValue(Extras, "Bad"), ERegistryException);
        EXPECT_THROW(ReadSettingValue(Extras, "Wide"), ERegistryException);
    }
    EXPECT_EQ(LiveKernelHandles(), before);
}
