#include "tweaks/TweakState.h"

#include "tweaks/Catalog.h"
#include "tweaks/SettingsStore.h"

namespace quillon {

namespace {
std::string KeyPath(const TweakEntry& e) { return std::string(e.keyPath); }
std::string ValueName(const TweakEntry& e) { return std::string(e.valueName); }
} // namespace

void TTweakState::Load()
{
    fontParts_.clear();
    loading_ = true;
    int tag = FirstTag;
    try {
        for (; tag <= LastTag; ++tag) {
            if (LoadEntry(tag))
                loaded_[tag] = true;
            else
                NotLoaded(tag, "its key '" + KeyPath(EntryForTag(tag)) + "' cannot be read.");
        }
    } catch (const std::exception& error) {
        // A stopped load ends like a complete one: the user has changed
        // nothing. What it did not read stays out of reach.
        NotLoaded(tag, error.what());
        const std::string stopped = "the load stopped before it, at '" + ValueName(EntryForTag(tag)) + "'.";
        for (int later = tag + 1; later <= LastTag; ++later)
            NotLoaded(later, stopped);
        loading_ = false;
        KeepEditorTexts();
        settingsChanged_ = false;
        window_.SetApplyEnabled(false);
        throw;
    }
    loading_ = false;
    KeepEditorTexts();
    settingsChanged_ = false;
    window_.SetApplyEnabled(false);
}

void TTweakState::NotLoaded(int tag, const std::string& why)
{
    loaded_[tag] = false;
    window_.SetNotLoaded(tag, "Not loaded: " + why);
}

void TTweakState::KeepEditorTexts()
{
    for (int tag = FirstTag; tag <= LastTag; ++tag)
        keptTexts_[tag] = window_.EditorText(tag);
}

bool TTweakState::LoadEntry(int tag)
{
    const TweakEntry& e = EntryForTag(tag);
    // One read serves both the set test and the companion text.
    const std::optional<std::string> read = TryReadSettingValue(KeyPath(e), ValueName(e));
    if (!read)
        return false;
    const std::string& stored = *read;
    window_.SetChecked(tag, IsSettingSet(stored));
    if (!HasCompanion(e) || !window_.Checked(tag))
        return true;
    if (e.source == ValueSource::Font) {
        FontDesc font = window_.DialogFont();
        storedDefaultFont_ = stored;
        // The font is changed even when the parse stops half way.
        try {
            ParseDefaultFont(stored, font, fontParts_);
        } catch (...) {
            window_.SetDialogFont(font);
            throw;
        }
        window_.SetDialogFont(font);
    } else {
        window_.SetEditorText(tag, stored);
        if (std::string shown = window_.EditorText(tag); shown != stored)
            cutTexts_[tag] = TCutText{stored, std::move(shown)};
    }
    return true;
}

void TTweakState::MarkChanged()
{
    window_.SetApplyEnabled(true);
    settingsChanged_ = true;
}

void TTweakState::CheckBoxClick(int tag)
{
    UpdateEditorStates(tag);
    MarkChanged();
}

void TTweakState::CompanionEdited(int tag)
{
    // A text set again as it was (a colour text rebuilt on leaving, a
    // cancelled picker) is no change; one edited away stays a change.
    if (!loading_ && window_.Checked(tag) && window_.EditorText(tag) != keptTexts_[tag])
        MarkChanged();
}

void TTweakState::ColorTextChanged() { CompanionEdited(TagOf(Tweak::ObjectInsp)); }

void TTweakState::CenturyTextChanged() { CompanionEdited(TagOf(Tweak::DigitCentury)); }

void TTweakState::FontConfirmed(const FontDesc& font)
{
    window_.SetDialogFont(font);
    fontConfirmed_ = true;
    MarkChanged();
}

void TTweakState::PathChosen(int tag, const std::string& path)
{
    window_.SetEditorText(tag, path);
    CompanionEdited(tag);
}

void TTweakState::UpdateEditorStates(int tag)
{
    if (tag < FirstTag || tag > LastTag || !HasCompanion(EntryForTag(tag)))
        return;
    window_.SetEditorEnabled(tag, window_.Checked(tag));
}

bool TTweakState::MayApply(int tag) const
{
    return tag >= FirstTag && tag <= LastTag && loaded_[tag];
}

std::string TTweakState::ValueToStore(int tag) const
{
    const TweakEntry& e = EntryForTag(tag);
    switch (e.source) {
    case ValueSource::OnValue:
        return std::string(OnValue);
    case ValueSource::Editor: {
        std::string shown = window_.EditorText(tag);
        if (const auto& cut = cutTexts_[tag]; cut && shown == cut->shown)
            return cut->stored;
        return shown;
    }
    case ValueSource::Font:
        // Recomposing would drop what the codec does not read, so the stored
        // text goes back as it was until the user picks a font.
        if (!fontConfirmed_ && storedDefaultFont_)
            return *storedDefaultFont_;
        return ComposeDefaultFont(window_.DialogFont());
    }
    return std::string(OnValue);
}

void TTweakState::WriteSetting(int tag)
{
    const TweakEntry& e = EntryForTag(tag);
    if (window_.Checked(tag))
        WriteSettingValue(KeyPath(e), ValueName(e), ValueToStore(tag));
    else
        DeleteSettingValue(KeyPath(e), ValueName(e));
}

void TTweakState::ApplySettings()
{
    // Page by page, each in tag order: "General" first, then "Dirs and Files".
    std::vector<int> walk;
    for (TweakPage page : {TweakPage::General, TweakPage::DirsAndFiles})
        for (const TweakEntry& e : Catalog())
            if (e.page == page && MayApply(e.tag))
                walk.push_back(e.tag);

    // A text that the registry would mangle stops the apply before any write.
    for (int tag : walk)
        if (window_.Checked(tag))
            CheckStorableText(ValueName(EntryForTag(tag)), ValueToStore(tag));

    for (int tag : walk)
        WriteSetting(tag);
    KeepEditorTexts();
    window_.SetApplyEnabled(false);
    settingsChanged_ = false;
}

void TTweakState::Cancel()
{
    settingsChanged_ = false;
}

bool TTweakState::CloseQuery(const std::function<int()>& confirm, const std::function<bool()>& mayWrite)
{
    if (!settingsChanged_ || confirm() != 1)
        return true;
    if (mayWrite && !mayWrite())
        return false;
    ApplySettings();
    return true;
}

} // namespace quillon
