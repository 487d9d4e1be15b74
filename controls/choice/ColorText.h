#pragma once
// Colours as text: the colour-name map, the two conversions, the colour
// combo's number reads and its step-by-step hexadecimal text. No platform
// calls: where system colours must become RGB the caller passes the resolver.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Same type as the framework's TColor: 0x00BBGGRR, or 0x80000000 + a system colour index.
using TColor = std::int32_t;

struct TColorName {
    std::string_view name;
    TColor value;
};

// The colour combo's list, in list order.
extern const std::array<TColorName, 41> ColorNames;

// Not in the list, but a name of the conversions.
inline constexpr TColor clNone = 536870911;

// What the combo's validation and swatch fall back to.
inline constexpr TColor SwatchFallbackColor = 16777215;

// Turns any colour into plain RGB (system colours with the current values).
using ColorToRgbFunc = std::function<TColor(TColor)>;

// The name of a colour of the 42-entry map, if it has one.
std::optional<std::string_view> ColorToIdent(TColor color);

// The colour of a name of the map, compared without regard to case.
std::optional<TColor> IdentToColor(std::string_view name);

// The name, else "$" and eight upper-case hexadecimal digits.
std::string ColorToString(TColor color);

// A name of the map, else a 32-bit integer as base/IntConvert reads it
// ("$FFFFFFFF" is -1); raises EConvertError for anything else.
TColor StringToColor(std::string_view text);

// The text as a 64-bit integer by TryStrToInt's rules widened to 64 bits
// (hexadecimal of up to 16 digits is a bit pattern, so "$FFFFFFFF" is
// 4294967295 here), or fallback when it is no such number.
int64_t StrToInt64Def(std::string_view text, int64_t fallback);

// The swatch colour of typed text: the number in it, white when it is none
// or lies outside the signed 32-bit range.
TColor SwatchColorFromText(std::string_view text);

// What leaving the colour combo with typed text (no list item) leads to.
struct ColorTextCheck {
    bool valid = false;  // false: the text is refused (error 60680)
    int itemIndex = -1;  // the ColorNames entry to select, or -1
    TColor value = 0;    // without an entry: the value for ColorToHexText
};

// Reads the text as StrToInt64Def with -1 as the fallback. -1 and numbers whose
// hexadecimal text the swatch would refuse (negative or above 0x7FFFFFFF) are
// invalid; others select the first ColorNames entry whose RGB (through toRgb)
// equals the number, else keep the number.
ColorTextCheck CheckColorText(std::string_view text, const ColorToRgbFunc& toRgb);

// The texts ColorToHexText sets one after another: the value in upper-case
// hexadecimal without leading zeros, zeros put in front one at a time up to
// eight digits, then "$" in front. 255: FF, 0FF, ..., 000000FF, $000000FF.
std::vector<std::string> ColorToHexTextSteps(TColor value);

// The 41 list identifiers in order, for the combo's item list.
std::vector<std::string> ColorNameItems();

} // namespace quillon
