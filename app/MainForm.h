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

// One setting's row of the main window: its check box, placed at (10, top),
// `width` wide and 15 high, with its place in its page's tab order, and the
// companion editor that the box's state enables (none for plain settings).
struct TSettingRow {
    Tweak setting;
    TCheckBox* checkBox;
    TControl* editor;
    int top;
    int width;
    int tabOrder;
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
        {Tweak::PaletteSelect, &chkPaletteSelect, nullptr, 17, 111, 2},
        {Tweak::PaletteScroll, &chkPaletteScroll, nullptr, 35, 113, 3},
        {Tweak::NoCtrlAlt, &chkNoCtrlAlt, nullptr, 53, 105, 4},
        {Tweak::RightToLeft, &chkRightToLeft, nullptr, 71, 169, 5},
        {Tweak::Fonts, &chkFonts, nullptr, 89, 89, 6},
        {Tweak::CodeInsight, &chkCodeInsight, nullptr, 107, 155, 7},
        {Tweak::ObjectInsp, &chkObjectInsp, &cbColor, 125, 201, 8},
        {Tweak::DigitCentury, &chkDigitCentury, &edtDigitCentury, 171, 131, 9},
        {Tweak::DefaultFont, &chkDefaultFont, &btnFont, 195, 153, 10},
        {Tweak::JIT, &chkJIT, nullptr, 216, 183, 11},
        {Tweak::TemplateDir, &chkTemplateDir, &edtTemplateDir, 17, 165, 4},
        {Tweak::UniversumWiz, &chkUniversumWiz, &edtUniversumWiz, 69, 163, 5},
        {Tweak::VC, &chkVC, &edtVC, 123, 163, 6},
        {Tweak::PrivDir, &chkPrivDir, &edtPrivDir, 179, 171, 7},
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

private:
    void SetProperties();
    void SetUpCheckBox(const TSettingRow& row);
    void SetUpPathEditor(TQnChoiceEdit& editor, Tweak setting, int top, int height, int tabOrder);
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
