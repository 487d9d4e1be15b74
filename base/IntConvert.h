#pragma once
// Text to 32-bit integer, as stored settings write their numbers: leading
// blanks, then an optional sign and decimal digits, or a hexadecimal number
// after "$", "x" or "0x". Hexadecimal texts of up to 32 bits are read as bit
// patterns ("$FFFFFFFF" is -1); decimal texts must fit the signed range.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillon {

std::optional<int32_t> TryStrToInt(std::string_view text);

// The same forms, 64 bits wide (hexadecimal up to 64 bits, as a bit pattern).
std::optional<int64_t> TryStrToInt64(std::string_view text);

// As TryStrToInt; raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);

} // namespace quillon
