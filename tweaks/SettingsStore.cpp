#include "tweaks/SettingsStore.h"

#include "base/TextConvert.h"
#include "tweaks/Registry.h"

namespace quillon {

namespace {
const HKEY SettingsRootKey = HKEY_CURRENT_USER;
}

std::string ReadSettingValue(std::string keyPath, std::string valueName)
{
    TRegistry reg(SettingsRootKey);
    // A key that cannot be opened for full access counts as missing. Where
    // that open succeeds, a read-only one could not fail, so the value is
    // read through the handle already open: one round trip less per setting.
    if (!reg.OpenKey(keyPath, false))
        return {};
    return reg.ReadString(valueName);
}

bool IsSettingSet(std::string keyPath, std::string valueName)
{
    return !ReadSettingValue(std::move(keyPath), std::move(valueName)).empty();
}

void WriteSettingValue(std::string keyPath, std::string valueName, std::string text)
{
    CheckStorableText(valueName, text);
    TRegistry reg(SettingsRootKey);
    reg.OpenKey(keyPath, true);
    reg.WriteString(valueName, text);
}

void DeleteSettingValue(std::string keyPath, std::string valueName)
{
    TRegistry reg(SettingsRootKey);
    reg.OpenKey(keyPath, true);
    if (reg.ValueExists(valueName))
        reg.DeleteValue(valueName);
}

void CheckStorableText(const std::string& valueName, const std::string& text)
{
    if (!Utf8ToAnsi(text))
        ThrowNotAnsi(valueName);
}

} // namespace quillon
