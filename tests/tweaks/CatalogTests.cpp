#include "base/Exceptions.h"
#include "tweaks/Catalog.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

using namespace quillon;

namespace {

constexpr auto G = TweakPage::General;
constexpr auto D = TweakPage::DirsAndFiles;
constexpr auto On = ValueSource::OnValue;
constexpr auto Ed = ValueSource::Editor;
constexpr auto Fnt = ValueSource::Font;

struct Expected {
    TweakPage page;
    const char* checkBox;
    const char* key; // below "Software\Borland\Delphi\5.0\"
    const char* valueName;
    ValueSource source;
    const char* editor;
    const char* caption;
    const char* hint;
    const char* initialText;
};

// The IDE's table, written out again by hand: a typo in either copy fails.
const Expected Table[] = {
    {G, "chkPaletteSelect", "Extras", "AutoPaletteSelect", On, "", "Auto palette select",
     "Will cause a tab on the component palette to be automatically\r\nselected when the mouse is "
     "hovering over it.\r\n\r\nIf the mouse is in the top two-thirds (2/3) of the tab, the\r\npalette "
     "for that tab will automatically be displayed",
     ""},
    {G, "chkPaletteScroll", "Extras", "AutoPaletteScroll", On, "", "Auto palette scroll",
     "Will make you scroll left and right automatically whenever\r\nthe mouse is positioned over the "
     "relevant arrow",
     ""},
    {G, "chkNoCtrlAlt", "Editor\\Options", "NoCtrlAltKeys", On, "", "No Ctrl+Alt Keys",
     "Disables menu item Ctrl+Alt key\r\nsequences for international keyboards", ""},
    {G, "chkRightToLeft", "Form Design", "AlwaysEnableMiddleEast", On, "",
     "Always \"Middle-East\" BiDiMode", "Forces Right-to-Left text in the form designer (?)", ""},
    {G, "chkFonts", "Extras", "FontNamePropertyDisplayFontNames", On, "", "Display Fonts",
     "Display the fonts in the object inspector dropdown in the\r\nfont's actual style (slow with "
     "many fonts installed). ",
     ""},
    {G, "chkCodeInsight", "Compiling", "ShowCodeInsiteError", On, "",
     "Show Code Insight\xE2\x84\xA2 Errors", // the trade mark sign
     "Show compilation errors found by CodeInsite\r\nin the message view window", ""},
    {G, "chkObjectInsp", "Globals", "PropValueColor", Ed, "cbColor",
     "Object Inspector Property Font color",
     "Change the color of the right half (properties)\r\nof the Object Inspector", "clHighlight"},
    {G, "chkDigitCentury", "Globals", "TwoDigitYearCenturyWindow", Ed, "edtDigitCentury",
     "Two Digit Year Century", "Default value for TwoDigitYearCenturyWindow (see the help file)",
     "50"},
    {G, "chkDefaultFont", "FormDesign", "DefaultFont", Fnt, "btnFont", "Default Font for new Forms",
     "The default font for new forms.\r\n\r\n(You might prefer using the repository's\r\ndefault "
     "Form checkbox instead) ",
     ""},
    {G, "chkJIT", "Debugging", "DontPromptForJITDebugger", On, "",
     "Don't prompt for JIT Debugger (?)", "Don't ask to change the current JIT debugger (?)", ""},
    {D, "chkTemplateDir", "Component Templates", "CCLibDir", Ed, "edtTemplateDir",
     "Alternative Comp Template Dir", "Alternative component templates directory (Shared/Network)",
     "C:\\Delphi5\\MyComps"},
    {D, "chkUniversumWiz", "Wizard", "CreateNewUniversumWizard", Ed, "edtUniversumWiz",
     "Alternate \"Universum Wizard\"", "Alternate key to store Expert/Wizard\r\nDLLs to load at startup",
     "C:\\Delphi5\\MyWiz\\CNUW.dll"},
    {D, "chkVC", "Version Control", "VCSManager", Ed, "edtVC", "Alternate Version Control DLL",
     "The DLL used for the version control interface in the IDE",
     "C:\\Delphi5\\VersCtrl\\VersCtrl.dll"},
    {D, "chkPrivDir", "Globals", "PrivateDir", Ed, "edtPrivDir", "Alternate Delphi Config Files Dir",
     "Specifies an alternative directory for the location for\r\nthe Delphi configuration files when "
     "running the application\r\nfrom a network drive or the CD-ROM. ",
     "C:\\Delphi5\\Mine"},
};

} // namespace

TEST(Catalog, TagsRunOneToFourteenInOrder)
{
    int expected = 1;
    for (const TweakEntry& e : Catalog()) {
        EXPECT_EQ(e.tag, expected++);
        EXPECT_EQ(&EntryForTag(e.tag), &e);
        EXPECT_EQ(HasCompanion(e), !e.editor.empty()) << e.tag;
    }
    EXPECT_THROW(EntryForTag(0), ERangeError);
    EXPECT_THROW(EntryForTag(15), ERangeError);

    // Two entries must never share a value.
    std::set<std::string> seen;
    for (const TweakEntry& e : Catalog())
        EXPECT_TRUE(seen.insert(std::string(e.keyPath) + "|" + std::string(e.valueName)).second);
}

TEST(Catalog, EveryEntryIsTheIdeOneToTheCharacter)
{
    static_assert(std::size(Table) == TweakCount);
    for (const TweakEntry& e : Catalog()) {
        const Expected& x = Table[e.tag - 1];
        SCOPED_TRACE("tag " + std::to_string(e.tag));
        EXPECT_EQ(e.page, x.page);
        EXPECT_EQ(e.checkBox, x.checkBox);
        EXPECT_EQ(e.keyPath, std::string("Software\\Borland\\Delphi\\5.0\\") + x.key);
        EXPECT_EQ(e.valueName, x.valueName);
        EXPECT_EQ(e.source, x.source);
        EXPECT_EQ(e.editor, x.editor);
        EXPECT_EQ(e.caption, x.caption);
        EXPECT_EQ(e.hint, x.hint);
        EXPECT_EQ(e.initialText, x.initialText);
    }
    EXPECT_EQ(OnValue, "1");
}
