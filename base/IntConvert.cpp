#include "base/IntConvert.h"

#include "base/Exceptions.h"
#include "base/Format.h"

namespace quillon {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<uint64_t> ParseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    // Leading zeros are fine; a value beyond 64 bits is not.
    uint64_t value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0 || value > (UINT64_MAX >> 4))
            return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(d);
    }
    return value;
}

std::optional<int64_t> ParseDecimal(std::string_view text, int64_t min, int64_t max)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Accumulate the magnitude unsigned so the lowest value itself can be read.
    const uint64_t limit = negative ? 0 - static_cast<uint64_t>(min) : static_cast<uint64_t>(max);
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto d = static_cast<uint64_t>(c - '0');
        if (value > (limit - d) / 10)
            return std::nullopt;
        value = value * 10 + d;
    }
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

// Both widths read the same forms; `hexMax` and the decimal range decide
// what fits.
std::optional<int64_t> ParseInteger(std::string_view text, uint64_t hexMax, int64_t min, int64_t max)
{
    while (!text.empty() && text[0] == ' ')
        text.remove_prefix(1);
    std::optional<uint64_t> hex;
    if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X'))
        hex = ParseHex(text.substr(1));
    else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        hex = ParseHex(text.substr(2));
    else
        return ParseDecimal(text, min, max);
    if (!hex || *hex > hexMax)
        return std::nullopt;
    return static_cast<int64_t>(*hex);
}

} // namespace

std::optional<int32_t> TryStrToInt(std::string_view text)
{
    const auto value = ParseInteger(text, UINT32_MAX, INT32_MIN, INT32_MAX);
    if (!value)
        return std::nullopt;
    // A hexadecimal text is a bit pattern: "$FFFFFFFF" is -1.
    return static_cast<int32_t>(static_cast<uint32_t>(*value));
}

std::optional<int64_t> TryStrToInt64(std::string_view text)
{
    return ParseInteger(text, UINT64_MAX, INT64_MIN, INT64_MAX);
}

int32_t StrToInt(std::string_view text)
{
    if (auto value = TryStrToInt(text))
        return *value;
    throw EConvertError(Format("'%s' is not a valid integer value", text));
}

} // namespace quillon
