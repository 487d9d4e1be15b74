#pragma once
// The one-line text of the IDE's "DefaultFont" value, both ways:
//   "<name>",<size>,<styles>   with styles "", "Bold", "Italic" or "Bold,Italic".
// Pure code: the window maps FontDesc to and from its font dialog.
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class FontDesc {
public:
    static constexpr size_t MaxNameLength = 31;

    // The name is never empty and never longer than 31 characters: it
    // changes only through SetName.
    const std::string& Name() const { return name_; }
    // An empty name leaves the name as it is; a longer one keeps its first
    // 31 characters.
    void SetName(std::string_view newName);

    int size = 8; // points
    bool bold = false;
    bool italic = false;

    bool operator==(const FontDesc&) const = default;

private:
    std::string name_ = "MS Sans Serif";
};

std::string FontStyleText(const FontDesc& font);
std::string ComposeDefaultFont(const FontDesc& font);

// Every occurrence of the one-character `search`, left to right, exact case.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);

// Applies the text to the font, appending its items to fontParts. Raises
// EListError or EConvertError with the font already partly changed.
void ParseDefaultFont(std::string_view text, FontDesc& font, std::vector<std::string>& fontParts);

} // namespace quillon
