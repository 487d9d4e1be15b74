#include "tweaks/FontCodec.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/IntConvert.h"

namespace quillon {

namespace {

// Bytes of the first `count` UTF-8 characters, so a cut never splits one. A
// character has at most three continuation bytes, even in malformed text.
size_t Utf8PrefixBytes(std::string_view text, size_t count)
{
    size_t pos = 0;
    for (size_t chars = 0; pos < text.size() && chars < count; ++chars) {
        ++pos;
        for (int k = 0; k < 3 && pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80; ++k)
            ++pos;
    }
    return pos;
}

const std::string& Item(const std::vector<std::string>& items, size_t first, size_t index)
{
    if (first + index >= items.size())
        throw EListError(Format("List index out of bounds (%d)", index));
    return items[first + index];
}

void AddStyle(FontDesc& font, const std::string& word)
{
    if (word == "Italic")
        font.italic = true;
    if (word == "Bold")
        font.bold = true;
}

} // namespace

void FontDesc::SetName(std::string_view newName)
{
    if (newName.empty())
        return;
    name_.assign(newName.substr(0, Utf8PrefixBytes(newName, MaxNameLength)));
}

std::string FontStyleText(const FontDesc& font)
{
    if (font.bold && font.italic)
        return "Bold,Italic";
    if (font.bold)
        return "Bold";
    return font.italic ? "Italic" : "";
}

std::string ComposeDefaultFont(const FontDesc& font)
{
    return "\"" + font.Name() + "\"," + std::to_string(font.size) + "," + FontStyleText(font);
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!search.empty() && c == search[0])
            out += replacement;
        else
            out += c;
    }
    return out;
}

void ParseDefaultFont(std::string_view text, FontDesc& font, std::vector<std::string>& fontParts)
{
    std::string s = ReplaceAll(text, ",", ";");
    s = ReplaceAll(s, "\"", "");
    s = ReplaceAll(s, "[", "");
    s = ReplaceAll(s, "]", "");

    // Items go after whatever the list already holds; indexes are ours.
    const size_t first = fontParts.size();
    size_t start = 0;
    while (start < s.size()) {
        const size_t end = s.find(';', start);
        fontParts.push_back(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    const size_t count = fontParts.size() - first;

    font.SetName(Item(fontParts, first, 0));
    font.size = StrToInt(Item(fontParts, first, 1));
    if (count == 3 || count == 4)
        AddStyle(font, fontParts[first + 2]);
    if (count == 4)
        AddStyle(font, fontParts[first + 3]);
}

} // namespace quillon
