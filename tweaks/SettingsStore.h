#pragma once
// The only code that touches the IDE's settings: string values below
// HKEY_CURRENT_USER. Each call opens and closes its own key; nothing is cached.
#include <string>

namespace quillon {

std::string ReadSettingValue(std::string keyPath, std::string valueName);
bool IsSettingSet(std::string keyPath, std::string valueName);
void WriteSettingValue(std::string keyPath, std::string valueName, std::string text);
void DeleteSettingValue(std::string keyPath, std::string valueName);

// Raises the error that WriteSettingValue would raise for a text the ANSI
// code page cannot hold, without touching the registry.
void CheckStorableText(const std::string& valueName, const std::string& text);

} // namespace quillon
