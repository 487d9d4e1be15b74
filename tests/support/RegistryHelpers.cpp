#include "tests/support/RegistryHelpers.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <cstdio>
#include <stdexcept>

namespace quillon::test {

namespace {

HKEY CreateKey(const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + path);
    return key;
}

} // namespace

void DeleteTree(const std::string& path)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetRaw(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY key = CreateKey(path);
    const LONG rc = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        throw std::runtime_error("cannot set " + name);
}

void SetString(const std::string& path, const std::string& name, const std::string& ansi)
{
    SetRaw(path, name, REG_SZ, ansi.c_str(), static_cast<DWORD>(ansi.size() + 1));
}

void SetWideString(const std::string& path, const std::string& name, const std::wstring& text)
{
    HKEY key = CreateKey(path);
    const std::wstring wideName(name.begin(), name.end());
    const LONG rc = RegSetValueExW(key, wideName.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        throw std::runtime_error("cannot set " + name);
}

std::optional<RawValue> GetRaw(const std::string& path, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue v;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &v.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        v.data.resize(size);
        rc = RegQueryValueExA(key, name.c_str(), nullptr, &v.type, v.data.data(), &size);
    }
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    return v;
}

std::optional<std::string> GetString(const std::string& path, const std::string& name)
{
    auto v = GetRaw(path, name);
    if (!v || v->type != REG_SZ)
        return std::nullopt;
    std::string s(v->data.begin(), v->data.end());
    if (!s.empty() && s.back() == '\0')
        s.pop_back();
    return s;
}

std::optional<std::wstring> GetWideString(const std::string& path, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring wideName(name.begin(), name.end());
    wchar_t buffer[512] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t), type = 0;
    const LONG rc = RegQueryValueExW(key, wideName.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::wstring(buffer);
}

std::string RegQuery(const std::string& path, const std::string& name)
{
    std::string command = "reg query \"HKCU\\" + path + "\"";
    if (!name.empty())
        command += " /v \"" + name + "\"";
    command += " 2>&1";
    std::string out;
    if (FILE* pipe = _popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        _pclose(pipe);
    }
    return out;
}

namespace {

// The key's DACL, or (given one) sets it; throws on any refusal.
std::vector<BYTE> KeyDacl(const std::string& path, const PSECURITY_DESCRIPTOR newDacl = nullptr)
{
    HKEY key = nullptr;
    const REGSAM access = newDacl ? WRITE_DAC : READ_CONTROL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open the security of " + path);
    std::vector<BYTE> sd;
    LONG rc;
    if (newDacl) {
        rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, newDacl);
    } else {
        DWORD size = 0;
        rc = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
        if (rc == ERROR_INSUFFICIENT_BUFFER) {
            sd.resize(size);
            rc = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, sd.data(), &size);
        }
    }
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        throw std::runtime_error("cannot change the security of " + path);
    return sd;
}

} // namespace

LockedKey::LockedKey(std::string path, const char* dacl) : path_(std::move(path))
{
    SetString(path_, "Probe", "1");
    original_ = KeyDacl(path_);
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(dacl, SDDL_REVISION_1, &sd,
                                                              nullptr))
        throw std::runtime_error(std::string("cannot make the DACL ") + dacl);
    try {
        KeyDacl(path_, sd);
    } catch (...) {
        LocalFree(sd);
        throw;
    }
    LocalFree(sd);
    // Make sure the lock holds, or the tests that rely on it prove nothing.
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        KeyDacl(path_, original_.data());
        throw std::runtime_error("the key still opens for full access: " + path_);
    }
}

LockedKey::~LockedKey()
{
    try {
        KeyDacl(path_, original_.data());
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
}

} // namespace quillon::test
