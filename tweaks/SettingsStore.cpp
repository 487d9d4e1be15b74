#include "tweaks/SettingsStore.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/TextConvert.h"
#include "tweaks/Registry.h"

namespace quillon {

namespace {
const HKEY SettingsRootKey = HKEY_CURRENT_USER;
}

std::string ReadSettingValue(std::string keyPath, std::string valueName)
{
    return TryReadSettingValue(std::move(keyPath), std::move(valueName)).value_or(std::string());
}

std::optional<std::string> TryReadSettingValue(std::string keyPath, std::string valueName)
{
    TRegistry reg(SettingsRootKey);
    // Reading asks for reading only, so a key that refuses changes still
    // shows what it holds.
    const LONG opened = reg.OpenKey(keyPath, KEY_QUERY_VALUE);
    if (opened == ERROR_FILE_NOT_FOUND)
        return std::string();
    if (opened != ERROR_SUCCESS)
        return std::nullopt;
    return reg.ReadString(valueName);
}

bool IsSettingSet(std::string keyPath, std::string valueName)
{
    return IsSettingSet(ReadSettingValue(std::move(keyPath), std::move(valueName)));
}

bool IsSettingSet(const std::string& storedText)
{
    return !storedText.empty();
}

void WriteSettingValue(std::string keyPath, std::string valueName, std::string text)
{
    CheckStorableText(valueName, text);
    TRegistry reg(SettingsRootKey);
    // A key that refuses the open leaves none open: the write reports it.
    reg.CreateKey(keyPath, KEY_SET_VALUE);
    reg.WriteString(valueName, text);
}

void DeleteSettingValue(std::string keyPath, std::string valueName)
{
    TRegistry reg(SettingsRootKey);
    // A missing key holds no value: nothing is made just to delete from it.
    const LONG opened = reg.OpenKey(keyPath, KEY_SET_VALUE);
    if (opened == ERROR_FILE_NOT_FOUND)
        return;
    if (opened == ERROR_SUCCESS) {
        const LONG deleted = reg.DeleteValue(valueName);
        if (deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND)
            return;
    } else if (reg.OpenKey(keyPath, KEY_QUERY_VALUE) == ERROR_SUCCESS && !reg.ValueExists(valueName)) {
        return; // the key refuses changes, but there is nothing to change
    }
    throw ERegistryException(Format("Failed to delete data for '%s'", valueName));
}

void CheckStorableText(const std::string& valueName, const std::string& text)
{
    if (!Utf8ToAnsi(text))
        ThrowNotAnsi(valueName);
}

} // namespace quillon
