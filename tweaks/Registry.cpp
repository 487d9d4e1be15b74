#include "tweaks/Registry.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/TextConvert.h"

#include <vector>

namespace quillon {

void ThrowNotAnsi(const std::string& valueName)
{
    throw ERegistryException(Format(
        "The text of '%s' has characters that the ANSI code page cannot represent", valueName));
}

bool TRegistry::KeyExists(const std::string& keyPath) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, keyPath.c_str(), 0, access_, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool TRegistry::OpenKey(const std::string& keyPath, bool canCreate)
{
    CloseKey();
    HKEY key = nullptr;
    LONG rc;
    if (canCreate)
        rc = RegCreateKeyExA(root_, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                             nullptr, &key, nullptr);
    else
        rc = RegOpenKeyExA(root_, keyPath.c_str(), 0, access_, &key);
    if (rc != ERROR_SUCCESS)
        return false;
    current_ = key;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& keyPath)
{
    CloseKey();
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    current_ = key;
    access_ = KEY_READ;
    return true;
}

void TRegistry::CloseKey()
{
    if (current_) {
        RegCloseKey(current_);
        current_ = nullptr;
    }
}

std::optional<DWORD> TRegistry::ValueSize(const std::string& name) const
{
    if (!current_)
        return std::nullopt;
    DWORD size = 0;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return size;
}

std::string TRegistry::ReadString(const std::string& name) const
{
    if (!current_)
        return {};
    // The wide entry point sees the stored characters as they are; the ANSI
    // one would silently turn those the code page lacks into '?'. Most values
    // fit the first buffer, which saves the separate size query.
    const std::wstring wideName = Utf8ToWide(name);
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
    memcpy(text.data(), buffer.data(), text.size() * sizeof(wchar_t));
    if (const size_t zero = text.find(L'\0'); zero != std::wstring::npos)
        text.resize(zero);
    if (!WideToAnsi(text))
        ThrowNotAnsi(name);
    return WideToUtf8(text);
}

void TRegistry::WriteString(const std::string& name, const std::string& text)
{
    const auto ansi = Utf8ToAnsi(text);
    if (!ansi)
        ThrowNotAnsi(name);
    if (!current_ ||
        RegSetValueExA(current_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(ansi->c_str()),
                       static_cast<DWORD>(ansi->size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException(Format("Failed to set data for '%s'", name));
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return current_ && RegDeleteValueA(current_, name.c_str()) == ERROR_SUCCESS;
}

} // namespace quillon
