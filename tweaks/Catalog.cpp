#include "tweaks/Catalog.h"

#include "base/Exceptions.h"
#include "base/Format.h"

namespace quillon {

namespace {

constexpr auto G = TweakPage::General;
constexpr auto D = TweakPage::DirsAndFiles;
constexpr auto On = ValueSource::OnValue;
constexpr auto Ed = ValueSource::Editor;

constexpr std::array<TweakEntry, TweakCount> Entries = {{
    {TagOf(Tweak::PaletteSelect), G, "chkPaletteSelect",
     "Software\\Borland\\Delphi\\5.0\\Extras", "AutoPaletteSelect", On, "", "Auto palette select",
     "Will cause a tab on the component palette to be automatically\r\n"
     "selected when the mouse is hovering over it.\r\n\r\n"
     "If the mouse is in the top two-thirds (2/3) of the tab, the\r\n"
     "palette for that tab will automatically be displayed",
     ""},
    {TagOf(Tweak::PaletteScroll), G, "chkPaletteScroll",
     "Software\\Borland\\Delphi\\5.0\\Extras", "AutoPaletteScroll", On, "", "Auto palette scroll",
     "Will make you scroll left and right automatically whenever\r\n"
     "the mouse is positioned over the relevant arrow",
     ""},
    {TagOf(Tweak::NoCtrlAlt), G, "chkNoCtrlAlt",
     "Software\\Borland\\Delphi\\5.0\\Editor\\Options", "NoCtrlAltKeys", On, "", "No Ctrl+Alt Keys",
     "Disables menu item Ctrl+Alt key\r\nsequences for international keyboards", ""},
    {TagOf(Tweak::RightToLeft), G, "chkRightToLeft",
     "Software\\Borland\\Delphi\\5.0\\Form Design", "AlwaysEnableMiddleEast", On, "",
     "Always \"Middle-East\" BiDiMode", "Forces Right-to-Left text in the form designer (?)", ""},
    {TagOf(Tweak::Fonts), G, "chkFonts",
     "Software\\Borland\\Delphi\\5.0\\Extras", "FontNamePropertyDisplayFontNames", On, "", "Display Fonts",
     "Display the fonts in the object inspector dropdown in the\r\n"
     "font's actual style (slow with many fonts installed). ",
     ""},
    {TagOf(Tweak::CodeInsight), G, "chkCodeInsight",
     "Software\\Borland\\Delphi\\5.0\\Compiling", "ShowCodeInsiteError", On, "",
     "Show Code Insight\xE2\x84\xA2 Errors",
     "Show compilation errors found by CodeInsite\r\nin the message view window", ""},
    {TagOf(Tweak::ObjectInsp), G, "chkObjectInsp",
     "Software\\Borland\\Delphi\\5.0\\Globals", "PropValueColor", Ed, "cbColor",
     "Object Inspector Property Font color",
     "Change the color of the right half (properties)\r\nof the Object Inspector", "clHighlight"},
    {TagOf(Tweak::DigitCentury), G, "chkDigitCentury",
     "Software\\Borland\\Delphi\\5.0\\Globals", "TwoDigitYearCenturyWindow", Ed, "edtDigitCentury",
     "Two Digit Year Century", "Default value for TwoDigitYearCenturyWindow (see the help file)", "50"},
    {TagOf(Tweak::DefaultFont), G, "chkDefaultFont",
     "Software\\Borland\\Delphi\\5.0\\FormDesign", "DefaultFont", ValueSource::Font, "btnFont",
     "Default Font for new Forms",
     "The default font for new forms.\r\n\r\n"
     "(You might prefer using the repository's\r\ndefault Form checkbox instead) ",
     ""},
    {TagOf(Tweak::JIT), G, "chkJIT",
     "Software\\Borland\\Delphi\\5.0\\Debugging", "DontPromptForJITDebugger", On, "",
     "Don't prompt for JIT Debugger (?)", "Don't ask to change the current JIT debugger (?)", ""},
    {TagOf(Tweak::TemplateDir), D, "chkTemplateDir",
     "Software\\Borland\\Delphi\\5.0\\Component Templates", "CCLibDir", Ed, "edtTemplateDir",
     "Alternative Comp Template Dir", "Alternative component templates directory (Shared/Network)",
     "C:\\Delphi5\\MyComps"},
    {TagOf(Tweak::UniversumWiz), D, "chkUniversumWiz",
     "Software\\Borland\\Delphi\\5.0\\Wizard", "CreateNewUniversumWizard", Ed, "edtUniversumWiz",
     "Alternate \"Universum Wizard\"", "Alternate key to store Expert/Wizard\r\nDLLs to load at startup",
     "C:\\Delphi5\\MyWiz\\CNUW.dll"},
    {TagOf(Tweak::VC), D, "chkVC",
     "Software\\Borland\\Delphi\\5.0\\Version Control", "VCSManager", Ed, "edtVC",
     "Alternate Version Control DLL", "The DLL used for the version control interface in the IDE",
     "C:\\Delphi5\\VersCtrl\\VersCtrl.dll"},
    {TagOf(Tweak::PrivDir), D, "chkPrivDir",
     "Software\\Borland\\Delphi\\5.0\\Globals", "PrivateDir", Ed, "edtPrivDir",
     "Alternate Delphi Config Files Dir",
     "Specifies an alternative directory for the location for\r\n"
     "the Delphi configuration files when running the application\r\n"
     "from a network drive or the CD-ROM. ",
     "C:\\Delphi5\\Mine"},
}};

// EntryForTag finds an entry by its place in the table.
constexpr bool InTagOrder()
{
    for (size_t i = 0; i < Entries.size(); ++i)
        if (Entries[i].tag != FirstTag + static_cast<int>(i))
            return false;
    return true;
}
static_assert(InTagOrder());

} // namespace

const std::array<TweakEntry, TweakCount>& Catalog()
{
    return Entries;
}

const TweakEntry& EntryForTag(int tag)
{
    if (tag < FirstTag || tag > LastTag)
        throw ERangeError(Format("No setting has the tag %d", tag));
    return Entries[static_cast<size_t>(tag - FirstTag)];
}

} // namespace quillon
