#pragma once
// The fourteen Delphi 5 IDE settings that the program offers, in tag order.
// Pure data: no registry or window code, so it also builds natively.
#include <array>
#include <string_view>

namespace quillon {

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

inline constexpr int FirstTag = 1;
inline constexpr int LastTag = 14;
inline constexpr int TweakCount = LastTag - FirstTag + 1;
inline constexpr std::string_view OnValue = "1";
inline constexpr std::string_view SettingsKeyBase = "Software\\Borland\\Delphi\\5.0";

const std::array<TweakEntry, TweakCount>& Catalog();

// The entry of a tag of 1..14; any other tag raises ERangeError.
const TweakEntry& EntryForTag(int tag);

inline bool HasCompanion(const TweakEntry& e) { return e.source != ValueSource::OnValue; }

} // namespace quillon
