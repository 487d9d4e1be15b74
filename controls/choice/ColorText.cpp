#include "controls/choice/ColorText.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/IntConvert.h"

#include <cstdint>

namespace quillon {

namespace {

// The 42nd name of the conversions, not offered by the list.
constexpr TColorName NoneName{"clNone", clNone};

constexpr TColor Rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

constexpr TColor SystemColor(int index)
{
    return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index));
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

// The value's bit pattern in upper-case hexadecimal, zero-padded to digits.
// (By hand: the C library's formatting would add 30 KB to the program.)
std::string Hex(TColor value, int digits, const char* prefix = "")
{
    uint32_t bits = static_cast<uint32_t>(value);
    std::string reversed;
    do {
        reversed += "0123456789ABCDEF"[bits & 0xF];
        bits >>= 4;
    } while (bits != 0);
    while (static_cast<int>(reversed.size()) < digits)
        reversed += '0';
    return prefix + std::string(reversed.rbegin(), reversed.rend());
}

} // namespace

const std::array<TColorName, 41> ColorNames = {{
    {"clBlack", Rgb(0, 0, 0)},
    {"clMaroon", Rgb(128, 0, 0)},
    {"clGreen", Rgb(0, 128, 0)},
    {"clOlive", Rgb(128, 128, 0)},
    {"clNavy", Rgb(0, 0, 128)},
    {"clPurple", Rgb(128, 0, 128)},
    {"clTeal", Rgb(0, 128, 128)},
    {"clGray", Rgb(128, 128, 128)},
    {"clSilver", Rgb(192, 192, 192)},
    {"clRed", Rgb(255, 0, 0)},
    {"clLime", Rgb(0, 255, 0)},
    {"clYellow", Rgb(255, 255, 0)},
    {"clBlue", Rgb(0, 0, 255)},
    {"clFuchsia", Rgb(255, 0, 255)},
    {"clAqua", Rgb(0, 255, 255)},
    {"clWhite", Rgb(255, 255, 255)},
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
}};

std::optional<std::string_view> ColorToIdent(TColor color)
{
    for (const TColorName& entry : ColorNames)
        if (entry.value == color)
            return entry.name;
    if (color == NoneName.value)
        return NoneName.name;
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view name)
{
    for (const TColorName& entry : ColorNames)
        if (SameTextAscii(entry.name, name))
            return entry.value;
    if (SameTextAscii(NoneName.name, name))
        return NoneName.value;
    return std::nullopt;
}

std::string ColorToString(TColor color)
{
    if (auto name = ColorToIdent(color))
        return std::string(*name);
    return Hex(color, 8, "$");
}

TColor StringToColor(std::string_view text)
{
    if (auto color = IdentToColor(text))
        return *color;
    if (auto value = TryStrToInt(text))
        return *value;
    throw EConvertError(Format("'%s' is not a valid colour value", text));
}

int64_t StrToInt64Def(std::string_view text, int64_t fallback)
{
    return TryStrToInt64(text).value_or(fallback);
}

TColor SwatchColorFromText(std::string_view text)
{
    // A number beyond 32 bits is no colour, as text that is no number is
    // not: typing one is no error (leaving refuses it).
    const int64_t value = StrToInt64Def(text, SwatchFallbackColor);
    if (value < INT32_MIN || value > INT32_MAX)
        return SwatchFallbackColor;
    return static_cast<TColor>(value);
}

ColorTextCheck CheckColorText(std::string_view text, const ColorToRgbFunc& toRgb)
{
    const int64_t value = StrToInt64Def(text, -1);
    ColorTextCheck check;
    // A negative value would become hexadecimal text that the swatch reads
    // back above the 32-bit range, and a larger one is no colour at all.
    if (value < 0 || value > INT32_MAX)
        return check;
    check.valid = true;
    check.value = static_cast<TColor>(value);
    for (size_t i = 0; i < ColorNames.size(); ++i)
        if (toRgb(ColorNames[i].value) == check.value) {
            check.itemIndex = static_cast<int>(i);
            break;
        }
    return check;
}

std::vector<std::string> ColorToHexTextSteps(TColor value)
{
    std::vector<std::string> steps{Hex(value, 1)};
    for (auto digits = static_cast<int>(steps.front().size()) + 1; digits <= 8; ++digits)
        steps.push_back(Hex(value, digits));
    steps.push_back(Hex(value, 8, "$"));
    return steps;
}

std::vector<std::string> ColorNameItems()
{
    std::vector<std::string> items;
    items.reserve(ColorNames.size());
    for (const TColorName& entry : ColorNames)
        items.emplace_back(entry.name);
    return items;
}

} // namespace quillon
