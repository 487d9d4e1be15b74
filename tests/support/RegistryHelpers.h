#pragma once
// Raw registry access for the tests, independent of the code under test.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillon::test {

inline constexpr const char* IdeRoot = "Software\\Borland";

struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> data;
};

void DeleteTree(const std::string& path);
bool KeyExists(const std::string& path);
void SetRaw(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size);
void SetString(const std::string& path, const std::string& name, const std::string& ansi);
void SetWideString(const std::string& path, const std::string& name, const std::wstring& text);
std::optional<RawValue> GetRaw(const std::string& path, const std::string& name);
// The stored text (ANSI) of a REG_SZ value, or nothing.
std::optional<std::string> GetString(const std::string& path, const std::string& name);

std::optional<std::wstring> GetWideString(const std::string& path, const std::string& name);

// What Wine's own reg.exe prints for `reg query HKCU\<path> /v <name>`, or
// for the whole key when the name is empty.
std::string RegQuery(const std::string& path, const std::string& name = "");

// Creates the key (with a "Probe" value) and gives it a DACL (SDDL) that
// allows changing the DACL but not full access; puts the key's own DACL back
// when it goes, so a failed assertion leaves no locked key behind. Any
// refusal of the system is an exception here and a test failure there.
class LockedKey {
public:
    LockedKey(std::string path, const char* dacl);
    ~LockedKey();
    LockedKey(const LockedKey&) = delete;
    LockedKey& operator=(const LockedKey&) = delete;

private:
    std::string path_;
    std::vector<BYTE> original_; // self-relative security descriptor
};

// Grants reading, but no change.
class ReadOnlyKey : public LockedKey {
public:
    explicit ReadOnlyKey(std::string path) : LockedKey(std::move(path), "D:(A;;KRWD;;;WD)") {}
};

// Grants neither reading nor change.
class UnreadableKey : public LockedKey {
public:
    explicit UnreadableKey(std::string path) : LockedKey(std::move(path), "D:(A;;WD;;;WD)") {}
};

// Removes the IDE's keys before and after each test.
class CleanIdeKeys {
public:
    CleanIdeKeys() { DeleteTree(IdeRoot); }
    ~CleanIdeKeys() { DeleteTree(IdeRoot); }
};

} // namespace quillon::test
