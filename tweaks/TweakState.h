#pragma once
// Bookkeeping of the main window between start and close: the load of the
// fourteen settings into the window, change tracking, and the apply walk.
// The window implements ITweakWindow and forwards its events here.
#include "tweaks/Catalog.h"
#include "tweaks/FontCodec.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

class ITweakWindow {
public:
    virtual ~ITweakWindow() = default;
    virtual bool Checked(int tag) const = 0;
    // Like a user click whenever the state changes: the window then calls
    // TTweakState::CheckBoxClick(tag).
    virtual void SetChecked(int tag, bool checked) = 0;
    virtual std::string EditorText(int tag) const = 0;
    // An editor may hold less than it is given (its text has a limit).
    virtual void SetEditorText(int tag, const std::string& text) = 0;
    virtual void SetEditorEnabled(int tag, bool enabled) = 0;
    virtual FontDesc DialogFont() const = 0;
    virtual void SetDialogFont(const FontDesc& font) = 0;
    virtual bool ApplyEnabled() const = 0;
    virtual void SetApplyEnabled(bool enabled) = 0;
    // The load could not read the setting: its box and editor take no input
    // and their hint gives `reason`.
    virtual void SetNotLoaded(int tag, const std::string& reason) = 0;
};

class TTweakState {
public:
    explicit TTweakState(ITweakWindow& window) : window_(window) {}

    // Runs once, from the window's create event. An error stops it; what it
    // did not read (the failing setting, those after it, and any whose key
    // refuses reading) is never applied and the window shows it so.
    void Load();

    // Window events.
    void CheckBoxClick(int tag);               // chkPaletteSelectClick
    void ColorTextChanged();                   // cbColorChange
    void CenturyTextChanged();                 // edtDigitCenturyChange
    void FontConfirmed(const FontDesc& font);  // btnFontClick, dialog closed with OK
    void PathChosen(int tag, const std::string& path); // folder or DLL picker confirmed
    void ApplySettings();                      // btnApplyClick, and before OK closes
    void Cancel();                             // btnCancelClick, before the window closes
    // FormCloseQuery: asks through `confirm` when there are unsaved changes and
    // applies on its answer 1 ("Save") once `mayWrite` agrees. Returns whether
    // the window may close: only a write that `mayWrite` declined keeps it open.
    bool CloseQuery(const std::function<int()>& confirm, const std::function<bool()>& mayWrite = {});

    void UpdateEditorStates(int tag);
    void WriteSetting(int tag);
    // The text the apply writes for a checked box.
    std::string ValueToStore(int tag) const;

    bool SettingsChanged() const { return settingsChanged_; }
    const std::vector<std::string>& FontParts() const { return fontParts_; }
    // True when the apply may write or delete the entry: the load read it.
    bool MayApply(int tag) const;

private:
    void MarkChanged();
    // False when the entry's key refuses reading.
    bool LoadEntry(int tag);
    void NotLoaded(int tag, const std::string& why);
    void CompanionEdited(int tag);
    void KeepEditorTexts();

    ITweakWindow& window_;
    bool settingsChanged_ = false;
    bool loading_ = false;
    bool fontConfirmed_ = false;
    std::optional<std::string> storedDefaultFont_;
    // A stored text its editor could hold only in part, and that part: the
    // stored text goes back whole until the editor shows something else.
    struct TCutText {
        std::string stored, shown;
    };
    std::array<std::optional<TCutText>, LastTag + 1> cutTexts_; // by tag
    std::vector<std::string> fontParts_;
    std::array<bool, LastTag + 1> loaded_{}; // by tag
    // By tag: the editor's text as loaded or last applied. A text change is
    // a change only when the text then differs from it.
    std::array<std::string, LastTag + 1> keptTexts_;
};

} // namespace quillon
