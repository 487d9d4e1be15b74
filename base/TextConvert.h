#pragma once
// The code works in UTF-8; the window boundary speaks UTF-16 and the registry
// store speaks the ANSI code page. These conversions are the only bridges.
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// The text in the given code page, or nothing when a character has no exact
// counterpart there (the system would otherwise put '?' in its place). In
// UTF-8 (65001) every well-formed text has one.
std::optional<std::string> WideToCodePage(std::wstring_view text, unsigned codePage);
std::wstring CodePageToWide(std::string_view text, unsigned codePage);

// The same for the ANSI code page of the system.
std::optional<std::string> Utf8ToAnsi(std::string_view text);
std::optional<std::string> WideToAnsi(std::wstring_view text);
std::string AnsiToUtf8(std::string_view text);
std::wstring AnsiToWide(std::string_view text);

} // namespace quillon
