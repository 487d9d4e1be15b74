#include "base/TextConvert.h"

#include "base/Exceptions.h"

#include <windows.h>

namespace quillon {

namespace {

std::wstring MultiToWide(UINT codePage, DWORD flags, std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (n <= 0)
        throw EConvertError("Invalid text encoding");
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, out.data(), n);
    return out;
}

} // namespace

std::wstring Utf8ToWide(std::string_view text)
{
    return MultiToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text);
}

std::string WideToUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> WideToAnsi(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                                      nullptr, &lossy);
    if (n <= 0 || lossy)
        return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, out.data(), n, nullptr,
                        &lossy);
    // A round trip catches what the flag misses on some code pages.
    if (lossy || MultiToWide(CP_ACP, 0, out) != text)
        return std::nullopt;
    return out;
}

std::optional<std::string> Utf8ToAnsi(std::string_view text)
{
    return WideToAnsi(Utf8ToWide(text));
}

std::string AnsiToUtf8(std::string_view text)
{
    return WideToUtf8(MultiToWide(CP_ACP, 0, text));
}

} // namespace quillon
