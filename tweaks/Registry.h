#pragma once
// A registry accessor: one root, one open key at a time, released on every
// path by the destructor. Closing never flushes (lazy writing).
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

    // Opens and closes the key at once; true when it opens with the
    // accessor's access mask (full access until a read-only open).
    bool KeyExists(const std::string& keyPath) const;
    // With creation: creates the key and every missing key above it.
    bool OpenKey(const std::string& keyPath, bool canCreate);
    bool OpenKeyReadOnly(const std::string& keyPath);
    void CloseKey();


    // Size in bytes of the named value, or nothing when it does not exist.
    std::optional<DWORD> ValueSize(const std::string& name) const;
    bool ValueExists(const std::string& name) const { return ValueSize(name).has_value(); }
    // The string up to its first zero; REG_SZ and REG_EXPAND_SZ (unexpanded)
    // only. "" when the value is missing or empty.
    std::string ReadString(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& text);
    bool DeleteValue(const std::string& name);

private:
    HKEY root_;
    REGSAM access_ = KEY_ALL_ACCESS;
    HKEY current_ = nullptr;
};

} // namespace quillon
