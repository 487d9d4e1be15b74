#pragma once
// The fourteen Delphi 5 IDE settings that the program offers, in tag order.
// Pure data: no registry or window code, so it also builds natively.
#include <array>
#include <string_view>

namespace quillon {

// The fourteen settings, named after their check boxes; each one's value is
// the tag its check box carries, the only link from a box to its entry.
enum class Tweak : int {
    PaletteSelect = 1,
    PaletteScroll,
    NoCtrlAlt,
    RightToLeft,
    Fonts,
    CodeInsight,
    ObjectInsp, // the Object Inspector's colour
    DigitCentury,
    DefaultFont,
    JIT,
    TemplateDir,
    UniversumWiz,
    VC,
    PrivDir,
};

constexpr int TagOf(Tweak tweak) { return static_cast<int>(tweak); }

enum class TweakPage { General, DirsAndFiles };

enum class ValueSource {
    OnValue, // stores "1"
    Editor,  // stores the companion editor's text
    Font,    // stores the DefaultFont text of the font dialog's font
};

struct TweakEntry {
    int tag;
    TweakPage page;
    std::string_view checkBox;
    std::string_view keyPath;
    std::string_view valueName;
    ValueSource source;
    std::string_view editor;      // empty for plain entries
    std::string_view caption;     // UTF-8
    std::string_view hint;        // UTF-8, CR LF line breaks
    std::string_view initialText; // initial editor text; empty where there is none
};

inline constexpr int FirstTag = TagOf(Tweak::PaletteSelect);
inline constexpr int LastTag = TagOf(Tweak::PrivDir);
inline constexpr int TweakCount = LastTag - FirstTag + 1;
inline constexpr std::string_view OnValue = "1";

const std::array<TweakEntry, TweakCount>& Catalog();

// The entry of a tag of 1..14; any other tag raises ERangeError.
const TweakEntry& EntryForTag(int tag);
inline const TweakEntry& EntryFor(Tweak tweak) { return EntryForTag(TagOf(tweak)); }

inline bool HasCompanion(const TweakEntry& e) { return e.source != ValueSource::OnValue; }

} // namespace quillon
