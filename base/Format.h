#pragma once
// printf-style message formatting for the program's fixed message texts.
// Only %s (text) and %d (integer) are used by those texts, so only they are
// substituted; "%%" gives a percent sign. Arguments are taken in order.
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quillon {

std::string FormatArgs(std::string_view pattern, const std::vector<std::string>& args);

namespace detail {
inline std::string ToArg(std::string_view s) { return std::string(s); }
inline std::string ToArg(const char* s) { return std::string(s); }
inline std::string ToArg(const std::string& s) { return s; }
template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
std::string ToArg(T v) { return std::to_string(v); }
} // namespace detail

template <typename... Args>
std::string Format(std::string_view pattern, const Args&... args)
{
    return FormatArgs(pattern, {detail::ToArg(args)...});
}

} // namespace quillon
