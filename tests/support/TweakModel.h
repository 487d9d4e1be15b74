#pragma once
// The tweak state with its window held in memory: box states, editor texts
// and enabled states, the dialog font and Apply. A box set from code runs the
// click handler when its state changes, as on the real window.
#include "tweaks/Catalog.h"
#include "tweaks/TweakState.h"

#include <array>
#include <string>

namespace quillon::test {

class TTweakModel : public ITweakWindow {
public:
    TTweakModel()
    {
        for (const TweakEntry& e : Catalog())
            text[e.tag] = std::string(e.initialText);
    }
    TTweakModel(const TTweakModel&) = delete;
    TTweakModel& operator=(const TTweakModel&) = delete;

    bool Checked(int tag) const override { return checked[tag]; }
    void SetChecked(int tag, bool value) override
    {
        if (checked[tag] == value)
            return;
        checked[tag] = value;
        state.CheckBoxClick(tag);
    }
    std::string EditorText(int tag) const override { return text[tag]; }
    void SetEditorText(int tag, const std::string& value) override { text[tag] = value; }
    void SetEditorEnabled(int tag, bool value) override { enabled[tag] = value; }
    FontDesc DialogFont() const override { return font; }
    void SetDialogFont(const FontDesc& value) override { font = value; }
    bool ApplyEnabled() const override { return apply; }
    void SetApplyEnabled(bool value) override { apply = value; }
    void SetNotLoaded(int tag, const std::string& reason) override
    {
        enabled[tag] = false;
        notLoaded[tag] = reason;
    }

    // A user's click on a box.
    void Click(int tag)
    {
        checked[tag] = !checked[tag];
        state.CheckBoxClick(tag);
    }

    std::array<bool, LastTag + 1> checked{};
    std::array<bool, LastTag + 1> enabled{};
    std::array<std::string, LastTag + 1> text;
    std::array<std::string, LastTag + 1> notLoaded; // the reason, empty for a loaded entry
    FontDesc font;
    bool apply = false;
    TTweakState state{*this};
};

} // namespace quillon::test
