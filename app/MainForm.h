#pragma once
// TfrmMain: the main settings window. A decorative strip, two pages of check
// boxes (one per catalog entry) with their companion editors, and the Ok,
// Cancel, Apply and About buttons. It is the tweak state's window: its
// handlers forward to TTweakState, which loads, tracks changes and applies.
#include "controls/choice/ChoiceEdit.h"
#include "controls/choice/ColorComboBox.h"
#include "controls/edit/EdgeButton.h"
#include "controls/edit/FlatEdit.h"
#include "controls/flat/FlatButton.h"
#include "framework/Buttons.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/Image.h"
#include "framework/Pages.h"
#include "tweaks/Catalog.h"
#include "tweaks/TweakState.h"

#include <array>
#include <functional>

namespace quillon {

// What the button of a setting's editor opens.
enum class TPicker : uint8_t { pkNone, pkColor, pkFont, pkFolder, pkDll };

// Where a companion editor lies on its page, and its place in the page's
// tab order.
struct TEditorPlace {
    int left, top, width, height, tabOrder;
};

// One setting's row of the main window, at 96 dpi: its check box, placed at
// (10, top), `width` wide and 15 high, with its place in its page's tab
// order, and its companion editor (none for plain settings) with its place
// and the picker it opens.
struct TSettingRow {
    Tweak setting;
    TCheckBox* checkBox;
    int top;
    int width;
    int tabOrder;
    TControl* editor;
    TEditorPlace editorPlace;
    TPicker picker;
};

class TfrmMain : public TForm, public ITweakWindow {
public:
    // Builds the window and runs its create event, the load.
    TfrmMain();
    ~TfrmMain() override;

    // Where the about and confirmation dialogs come from, asked for when one
    // is first shown (modally, from here); they must outlive this window's
    // last event.
    using TDialogSource = std::function<TForm&()>;
    void SetDialogs(TDialogSource about, TDialogSource confirm);

    const TTweakState& TweakState() const { return state_; }
    bool SettingsChanged() const { return state_.SettingsChanged(); }
    TCheckBox& CheckBoxOf(int tag) const;
    // The control a check box enables (null for the seven plain entries).
    TControl* EditorOf(int tag) const;

    // Non-visual components.
    TSaveDialog dlgSave;
    TFontDialog dlgFont;

    // Controls, in the order they are created within each parent.
    TImage imgComp{this};
    TPageControl PageControl{this};
    TTabSheet tabGeneral{&PageControl};
    TTabSheet TabSheet2{&PageControl};
    TQnColorComboBox cbColor{&tabGeneral};
    TFlatEdit edtDigitCentury{&tabGeneral};
    TFlatButton btnFont{&tabGeneral};
    TCheckBox chkPaletteSelect{&tabGeneral};
    TCheckBox chkPaletteScroll{&tabGeneral};
    TCheckBox chkNoCtrlAlt{&tabGeneral};
    TCheckBox chkRightToLeft{&tabGeneral};
    TCheckBox chkFonts{&tabGeneral};
    TCheckBox chkCodeInsight{&tabGeneral};
    TCheckBox chkObjectInsp{&tabGeneral};
    TCheckBox chkDigitCentury{&tabGeneral};
    TCheckBox chkDefaultFont{&tabGeneral};
    TCheckBox chkJIT{&tabGeneral};
    TQnChoiceEdit edtTemplateDir{&TabSheet2};
    TQnChoiceEdit edtUniversumWiz{&TabSheet2};
    TQnChoiceEdit edtVC{&TabSheet2};
    TQnChoiceEdit edtPrivDir{&TabSheet2};
    TCheckBox chkTemplateDir{&TabSheet2};
    TCheckBox chkUniversumWiz{&TabSheet2};
    TCheckBox chkVC{&TabSheet2};
    TCheckBox chkPrivDir{&TabSheet2};
    TEdgeButton btnOk{this};
    TEdgeButton btnCancel{this};
    TEdgeButton btnApply{this};
    TEdgeButton EdgeButton1{this};

    // The settings' rows in tag order, from which the window is built and
    // through which a tag finds its controls.
    const std::array<TSettingRow, TweakCount> SettingRows{{
        {Tweak::PaletteSelect, &chkPaletteSelect, 17, 111, 2, nullptr, {}, TPicker::pkNone},
        {Tweak::PaletteScroll, &chkPaletteScroll, 35, 113, 3, nullptr, {}, TPicker::pkNone},
        {Tweak::NoCtrlAlt, &chkNoCtrlAlt, 53, 105, 4, nullptr, {}, TPicker::pkNone},
        {Tweak::RightToLeft, &chkRightToLeft, 71, 169, 5, nullptr, {}, TPicker::pkNone},
        {Tweak::Fonts, &chkFonts, 89, 89, 6, nullptr, {}, TPicker::pkNone},
        {Tweak::CodeInsight, &chkCodeInsight, 107, 155, 7, nullptr, {}, TPicker::pkNone},
        {Tweak::ObjectInsp, &chkObjectInsp, 125, 201, 8, &cbColor, {24, 142, 143, 19, 0}, TPicker::pkColor},
        {Tweak::DigitCentury, &chkDigitCentury, 171, 131, 9, &edtDigitCentury, {144, 170, 26, 19, 1},
         TPicker::pkNone},
        {Tweak::DefaultFont, &chkDefaultFont, 195, 153, 10, &btnFont, {165, 194, 18, 18, 12}, TPicker::pkFont},
        {Tweak::JIT, &chkJIT, 216, 183, 11, nullptr, {}, TPicker::pkNone},
        {Tweak::TemplateDir, &chkTemplateDir, 17, 165, 4, &edtTemplateDir, {24, 35, 187, 19, 0}, TPicker::pkFolder},
        {Tweak::UniversumWiz, &chkUniversumWiz, 69, 163, 5, &edtUniversumWiz, {24, 88, 187, 19, 1}, TPicker::pkDll},
        {Tweak::VC, &chkVC, 123, 163, 6, &edtVC, {24, 141, 187, 21, 2}, TPicker::pkDll},
        {Tweak::PrivDir, &chkPrivDir, 179, 171, 7, &edtPrivDir, {24, 197, 187, 21, 3}, TPicker::pkFolder},
    }};

    // Event handlers.
    void FormCreate();
    bool FormCloseQuery();
    void chkPaletteSelectClick(TControl& sender);
    void cbColorChange(TControl& sender);
    void edtDigitCenturyChange(TControl& sender);
    void btnFontClick(TControl& sender);
    void btnApplyClick(TControl& sender);
    void btnOkClick(TControl& sender);
    void btnCancelClick(TControl& sender);
    void EdgeButton1Click(TControl& sender);
    void edtTemplateDirButtonClick(TControl& sender);
    void edtUniversumWizButtonClick(TControl& sender);

    // The tweak state's view of the window.
    bool Checked(int tag) const override;
    void SetChecked(int tag, bool checked) override;
    std::string EditorText(int tag) const override;
    void SetEditorText(int tag, const std::string& text) override;
    void SetEditorEnabled(int tag, bool enabled) override;
    FontDesc DialogFont() const override;
    void SetDialogFont(const FontDesc& font) override;
    bool ApplyEnabled() const override;
    void SetApplyEnabled(bool enabled) override;
    void SetNotLoaded(int tag, const std::string& reason) override;

protected:
    bool ChildKey(WORD key, unsigned shift) override;

protected:
    // An editor beside its check box keeps clear of it when the box grew.
    void ScaleChanged() override;

private:
    void SetProperties();
    void SetUpCheckBox(const TSettingRow& row);
    const TSettingRow& RowOf(Tweak setting) const;
    // The editor's bounds and tab order from its row.
    void PlaceEditor(Tweak setting);
    void SetUpPathEditor(TQnChoiceEdit& editor, Tweak setting);
    void BindEvents();
    // Before any write: the colour editor accepts its text (else it shows
    // why, with the focus), and the user agrees to write while the IDE runs.
    bool MayWrite();
    bool ColorTextAccepted();
    // The tag of a companion editor (the sender of a picker), or 0.
    int TagOfEditor(const TControl& editor) const;
    TCustomEdit* TextEditorOf(int tag) const;

    TDialogSource about_;
    TDialogSource confirm_;
    TTweakState state_{*this};
};

} // namespace quillon
