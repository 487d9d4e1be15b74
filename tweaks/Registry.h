#pragma once
// A registry accessor: one root, one open key at a time, released on every
// path by the destructor. Closing never flushes (lazy writing).
//
// Key paths, value names and texts are UTF-8 here and go to the system in the
// ANSI code page; one that the code page cannot hold raises
// ERegistryException instead of reaching the registry as '?'.
#include <windows.h>

#include <optional>
#include <string>

namespace quillon {

// Raises ERegistryException naming the value whose text the ANSI code page
// cannot hold; the system would otherwise store '?' in place of the rest.
[[noreturn]] void ThrowNotAnsi(const std::string& valueName);

class TRegistry {
public:
    explicit TRegistry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens an existing key with just the access asked for; the system's
    // answer: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND for a missing key,
    // ERROR_ACCESS_DENIED for one that refuses that access.
    LONG OpenKey(const std::string& keyPath, REGSAM access);
    // The same, creating the key and every missing key above it.
    LONG CreateKey(const std::string& keyPath, REGSAM access);
    void CloseKey();

    bool ValueExists(const std::string& name) const;
    // The string up to its first zero; REG_SZ and REG_EXPAND_SZ (unexpanded)
    // only. "" when the value is missing or empty.
    std::string ReadString(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& text);
    // The system's answer; ERROR_FILE_NOT_FOUND when there was no such value.
    LONG DeleteValue(const std::string& name);

private:
    HKEY root_;
    HKEY current_ = nullptr;
};

} // namespace quillon
