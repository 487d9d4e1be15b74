#include "base/Exceptions.h"
#include "tweaks/Catalog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quillon;

TEST(Catalog, TagsRunOneToFourteenInOrderAndPages)
{
    int expected = 1;
    for (const TweakEntry& e : Catalog()) {
        EXPECT_EQ(e.tag, expected++);
        EXPECT_EQ(&EntryForTag(e.tag), &e);
        EXPECT_EQ(e.page, e.tag <= 10 ? TweakPage::General : TweakPage::DirsAndFiles);
        EXPECT_TRUE(e.keyPath.starts_with(SettingsKeyBase)) << e.tag;
        EXPECT_NE(e.keyPath.front(), '\\');
        EXPECT_EQ(HasCompanion(e), !e.editor.empty()) << e.tag;
    }
    EXPECT_THROW(EntryForTag(0), ERangeError);
    EXPECT_THROW(EntryForTag(15), ERangeError);
}

TEST(Catalog, KeysAndValueNamesAreTheIdeOnes)
{
    // Each (key, value) pair appears once: two entries must never share a value.
    std::set<std::string> seen;
    for (const TweakEntry& e : Catalog())
        EXPECT_TRUE(seen.insert(std::string(e.keyPath) + "|" + std::string(e.valueName)).second);

    EXPECT_EQ(EntryForTag(4).keyPath, "Software\\Borland\\Delphi\\5.0\\Form Design");
    EXPECT_EQ(EntryForTag(9).keyPath, "Software\\Borland\\Delphi\\5.0\\FormDesign");
    EXPECT_EQ(EntryForTag(3).keyPath, "Software\\Borland\\Delphi\\5.0\\Editor\\Options");
    EXPECT_EQ(EntryForTag(6).valueName, "ShowCodeInsiteError");
    EXPECT_EQ(EntryForTag(8).valueName, "TwoDigitYearCenturyWindow");
    EXPECT_EQ(EntryForTag(11).keyPath, "Software\\Borland\\Delphi\\5.0\\Component Templates");
    EXPECT_EQ(EntryForTag(13).keyPath, "Software\\Borland\\Delphi\\5.0\\Version Control");
    EXPECT_EQ(EntryForTag(9).source, ValueSource::Font);
    for (int tag : {7, 8, 11, 12, 13, 14})
        EXPECT_EQ(EntryForTag(tag).source, ValueSource::Editor) << tag;
}

TEST(Catalog, TextsKeepTheirExactCharacters)
{
    EXPECT_EQ(EntryForTag(6).caption, "Show Code Insight\xE2\x84\xA2 Errors"); // trade mark sign
    EXPECT_EQ(EntryForTag(4).caption, "Always \"Middle-East\" BiDiMode");
    for (int tag : {5, 9, 14})
        EXPECT_TRUE(EntryForTag(tag).hint.ends_with(". ") || EntryForTag(tag).hint.ends_with(") "))
            << "hint " << tag << " keeps its trailing blank";
    for (const TweakEntry& e : Catalog()) {
        // Line breaks are CR LF, never a lone LF or CR.
        const std::string hint(e.hint);
        for (size_t i = 0; i < hint.size(); ++i) {
            if (hint[i] == '\n') {
                EXPECT_TRUE(i > 0 && hint[i - 1] == '\r') << e.tag;
            }
            if (hint[i] == '\r') {
                EXPECT_TRUE(i + 1 < hint.size() && hint[i + 1] == '\n') << e.tag;
            }
        }
    }
    EXPECT_TRUE(EntryForTag(1).hint.starts_with(
        "Will cause a tab on the component palette to be automatically\r\nselected"));
    EXPECT_EQ(EntryForTag(7).initialText, "clHighlight");
    EXPECT_EQ(EntryForTag(8).initialText, "50");
    EXPECT_EQ(EntryForTag(12).initialText, "C:\\Delphi5\\MyWiz\\CNUW.dll");
}
