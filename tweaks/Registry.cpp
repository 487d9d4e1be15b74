#include "tweaks/Registry.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/TextConvert.h"

#include <cstring>
#include <vector>

namespace quillon {

namespace {

// A key path or value name as the A entry points take it.
std::string AnsiName(const std::string& name)
{
    if (auto ansi = Utf8ToAnsi(name))
        return *std::move(ansi);
    throw ERegistryException(
        Format("The name '%s' has characters that the ANSI code page cannot represent", name));
}

} // namespace

void ThrowNotAnsi(const std::string& valueName)
{
    throw ERegistryException(Format(
        "The text of '%s' has characters that the ANSI code page cannot represent", valueName));
}

LONG TRegistry::OpenKey(const std::string& keyPath, REGSAM access)
{
    CloseKey();
    const std::string path = AnsiName(keyPath);
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(root_, path.c_str(), 0, access, &key);
    if (rc == ERROR_SUCCESS)
        current_ = key;
    return rc;
}

LONG TRegistry::CreateKey(const std::string& keyPath, REGSAM access)
{
    CloseKey();
    const std::string path = AnsiName(keyPath);
    HKEY key = nullptr;
    const LONG rc = RegCreateKeyExA(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                                    nullptr);
    if (rc == ERROR_SUCCESS)
        current_ = key;
    return rc;
}

void TRegistry::CloseKey()
{
    if (current_) {
        RegCloseKey(current_);
        current_ = nullptr;
    }
}

bool TRegistry::ValueExists(const std::string& name) const
{
    const std::string ansiName = AnsiName(name);
    return current_ &&
           RegQueryValueExA(current_, ansiName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const
{
    // The wide entry point sees the stored characters as they are; the ANSI
    // one would silently turn those the code page lacks into '?'. The name
    // takes the way through the ANSI code page that the A calls take, so
    // both address the same value. Most values fit the first buffer, which
    // saves the separate size query.
    const std::wstring wideName = AnsiToWide(AnsiName(name));
    if (!current_)
        return {};
    std::vector<BYTE> buffer(512);
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD type = 0;
    LONG rc = RegQueryValueExW(current_, wideName.c_str(), nullptr, &type, buffer.data(), &size);
    if (rc == ERROR_MORE_DATA) {
        buffer.resize(size);
        rc = RegQueryValueExW(current_, wideName.c_str(), nullptr, &type, buffer.data(), &size);
        if (rc != ERROR_SUCCESS)
            throw ERegistryException(Format("Failed to get data for '%s'", name));
    }
    if (rc != ERROR_SUCCESS || size == 0)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(Format("Invalid data type for '%s'", name));

    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), buffer.data(), text.size() * sizeof(wchar_t));
    if (const size_t zero = text.find(L'\0'); zero != std::wstring::npos)
        text.resize(zero);
    if (!WideToAnsi(text))
        ThrowNotAnsi(name);
    return WideToUtf8(text);
}

void TRegistry::WriteString(const std::string& name, const std::string& text)
{
    const std::string ansiName = AnsiName(name);
    const auto ansi = Utf8ToAnsi(text);
    if (!ansi)
        ThrowNotAnsi(name);
    if (!current_ ||
        RegSetValueExA(current_, ansiName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(ansi->c_str()),
                       static_cast<DWORD>(ansi->size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException(Format("Failed to set data for '%s'", name));
}

LONG TRegistry::DeleteValue(const std::string& name)
{
    const std::string ansiName = AnsiName(name);
    return current_ ? RegDeleteValueA(current_, ansiName.c_str()) : ERROR_INVALID_HANDLE;
}

} // namespace quillon
