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

std::optional<std::string> WideToCodePage(std::wstring_view text, unsigned codePage)
{
    if (text.empty())
        return std::string();
    // UTF-8 refuses both the best-fit flag and the used-default report; it
    // has no best fit to avoid, and the round trip below catches the rest.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* usedDefault = utf8 ? nullptr : &lossy;
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, usedDefault);
    if (n <= 0 || lossy)
        return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), n, nullptr, usedDefault);
    // A round trip catches what the flag misses on some code pages, and
    // lone surrogates in UTF-8.
    if (lossy || MultiToWide(codePage, 0, out) != text)
        return std::nullopt;
    return out;
}

std::wstring CodePageToWide(std::string_view text, unsigned codePage)
{
    return MultiToWide(codePage, 0, text);
}

std::optional<std::string> WideToAnsi(std::wstring_view text)
{
    return WideToCodePage(text, GetACP());
}

std::optional<std::string> Utf8ToAnsi(std::string_view text)
{
    return WideToAnsi(Utf8ToWide(text));
}

std::wstring AnsiToWide(std::string_view text)
{
    return CodePageToWide(text, GetACP());
}

std::string AnsiToUtf8(std::string_view text)
{
    return WideToUtf8(AnsiToWide(text));
}

} // namespace quillon
