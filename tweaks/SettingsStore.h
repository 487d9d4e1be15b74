#pragma once
// The only code that touches the IDE's settings: string values below
// HKEY_CURRENT_USER. Each call opens and closes its own key; nothing is cached.
#include <optional>
#include <string>

namespace quillon {

// "" for a missing key or value, and for a key that refuses reading.
std::string ReadSettingValue(std::string keyPath, std::string valueName);
// The same, but nothing for a key that exists and refuses reading: what it
// holds is not known.
std::optional<std::string> TryReadSettingValue(std::string keyPath, std::string valueName);
bool IsSettingSet(std::string keyPath, std::string valueName);
// The same answer for a text that ReadSettingValue gave: a setting is set
// when its text is not empty.
bool IsSettingSet(const std::string& storedText);
// Creates missing keys; a key that refuses the write raises
// "Failed to set data for '%s'".
void WriteSettingValue(std::string keyPath, std::string valueName, std::string text);
// A value that is not there (or whose key is not) is left so, and no key is
// made; a key that refuses the delete raises "Failed to delete data for '%s'".
void DeleteSettingValue(std::string keyPath, std::string valueName);

// Raises the error that WriteSettingValue would raise for a text the ANSI
// code page cannot hold, without touching the registry.
void CheckStorableText(const std::string& valueName, const std::string& text);

} // namespace quillon
