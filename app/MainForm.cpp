#include "app/MainForm.h"

#include "app/IdeCheck.h"
#include "app/SingleInstance.h"
#include "base/TextConvert.h"
#include "framework/Application.h"

#include <algorithm>

namespace quillon {

namespace {

// The longest texts the editors hold. The platform's edit control works in
// time that grows with the square of a line's length (measured under Wine:
// 4,000 characters in the centred colour editor took 2.4 s to set, and each
// keystroke after it as long), so a hostile stored value or a huge paste
// would hang the window. No colour, century or path the IDE can use comes
// near these; the paths are names the IDE loads, so the system's file names
// limit them.
constexpr int ColorTextLimit = 255;
constexpr int CenturyTextLimit = 255;
constexpr int PathTextLimit = MaxPlatformFileName;

// The text cut to `limit` UTF-16 characters, as an edit with that limit
// holds it; a surrogate pair is never split.
std::string CutToLimit(const std::string& text, int limit)
{
    if (limit <= 0 || static_cast<int>(text.size()) <= limit) // UTF-8 is never shorter
        return text;
    std::wstring wide = Utf8ToWide(text);
    if (static_cast<int>(wide.size()) <= limit)
        return text;
    wide.resize(static_cast<size_t>(limit));
    if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
        wide.pop_back();
    return WideToUtf8(wide);
}

constexpr TColor HintPaleYellow = 0xE1FFFF;
constexpr int HintHideMs = 5000;
constexpr TColor FontButtonBorder = 0x555E66;

std::string Text(std::string_view text)
{
    return std::string(text);
}

} // namespace

TfrmMain::TfrmMain()
{
    Load([this] { SetProperties(); });
    BindEvents();
    RunCreateEvent([this] { FormCreate(); });
}

TfrmMain::~TfrmMain()
{
    // Controls go one by one from here on: no handler may reach a gone one.
    OnCloseQuery = nullptr;
    cbColor.OnChange = nullptr;
    edtDigitCentury.OnChange = nullptr;
    for (const TSettingRow& row : SettingRows)
        row.checkBox->OnClick = nullptr;
}

void TfrmMain::SetDialogs(TDialogSource about, TDialogSource confirm)
{
    about_ = std::move(about);
    confirm_ = std::move(confirm);
}

// ---- building the window

// Each control's stored properties, in their stored order; only what differs
// from the control's defaults.
void TfrmMain::SetProperties()
{
    SetCaption(WideToUtf8(MainWindowCaption));
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientSize(283, 307);
    Position = TPosition::poScreenCenter;
    ShowHint = true;

    // AppEvents: the application's hints.
    Application().HintColor = HintPaleYellow;
    Application().HintHidePause = HintHideMs;

    dlgSave.Title = "Save New DLL as..";
    dlgSave.Filter = "DLL (*.dll)|*.dll|All Files (*.*)|*.*";
    dlgSave.DefaultExt = "*.dll";
    dlgSave.MaxFileNameLength = PathTextLimit;
    dlgFont.Font = TFont{};
    dlgFont.Font.name = "MS Sans Serif";
    dlgFont.Font.height = -11;

    imgComp.SetBounds(0, 0, 40, 307);
    imgComp.SetAlign(TAlign::alLeft);
    imgComp.SetAutoSize(true);
    imgComp.LoadFromResourceName("QN_IMGCOMP");

    PageControl.SetBounds(44, 3, 237, 273);
    PageControl.SetActivePage(&tabGeneral);
    PageControl.SetHotTrack(true);
    PageControl.SetTabOrder(0);
    tabGeneral.SetCaption("General");
    TabSheet2.SetCaption("Dirs and Files");

    PlaceEditor(Tweak::ObjectInsp);
    cbColor.SetColor(clWhite);
    cbColor.SetEnabled(false);
    cbColor.Hint = Text(EntryFor(Tweak::ObjectInsp).hint);
    cbColor.SetHideSelection(false);
    cbColor.SetMaxLength(ColorTextLimit);
    // This order leaves the list's item 29 (clHighlight) selected.
    cbColor.SetText(Text(EntryFor(Tweak::ObjectInsp).initialText));
    cbColor.SetAlignment(TAlignment::taCenter);
    cbColor.SetDropDownStyle(TDropDownStyle::clsDropDown);
    cbColor.SetColorValue(clHighlight);
    cbColor.SetColorWidth(15);
    cbColor.SetDrawStyle(TControlStyle::fsFlat);

    PlaceEditor(Tweak::DigitCentury);
    edtDigitCentury.SetEnabled(false);
    edtDigitCentury.Hint = Text(EntryFor(Tweak::DigitCentury).hint);
    edtDigitCentury.SetMaxLength(CenturyTextLimit);
    edtDigitCentury.SetText(Text(EntryFor(Tweak::DigitCentury).initialText));

    PlaceEditor(Tweak::DefaultFont);
    btnFont.SetCaption("...");
    btnFont.SetEnabled(false);
    btnFont.SetTabStop(true); // the keyboard reaches the font dialog too
    btnFont.SetColorBorder(FontButtonBorder);

    edtTemplateDir.SetColor(clWhite);
    SetUpPathEditor(edtTemplateDir, Tweak::TemplateDir);
    SetUpPathEditor(edtUniversumWiz, Tweak::UniversumWiz);
    SetUpPathEditor(edtVC, Tweak::VC);
    SetUpPathEditor(edtPrivDir, Tweak::PrivDir);

    for (const TSettingRow& row : SettingRows)
        SetUpCheckBox(row);

    btnOk.SetBounds(44, 280, 75, 23);
    btnOk.SetCaption("Ok");
    btnOk.SetDefault(true);
    btnOk.SetTabOrder(1);

    btnCancel.SetBounds(125, 280, 75, 23);
    btnCancel.SetCaption("Cancel");
    btnCancel.SetCancel(true);
    btnCancel.SetTabOrder(2);

    btnApply.SetBounds(206, 280, 75, 23);
    btnApply.SetCaption("&Apply");
    btnApply.SetEnabled(false);
    btnApply.SetTabOrder(3);

    // Over the right end of the tab row: created after the page control, so
    // above it, yet last in the tab order.
    EdgeButton1.SetBounds(207, 2, 74, 20);
    EdgeButton1.SetCaption("About ...");
    EdgeButton1.SetTabOrder(4);
}

void TfrmMain::SetUpCheckBox(const TSettingRow& row)
{
    const TweakEntry& entry = EntryFor(row.setting);
    TCheckBox& box = *row.checkBox;
    box.SetBounds(10, row.top, row.width, 15);
    box.SetCaption(Text(entry.caption));
    box.Hint = Text(entry.hint);
    box.Tag = entry.tag;
    box.SetTabOrder(row.tabOrder);
}

const TSettingRow& TfrmMain::RowOf(Tweak setting) const
{
    return SettingRows[static_cast<size_t>(TagOf(setting) - FirstTag)];
}

void TfrmMain::PlaceEditor(Tweak setting)
{
    const TSettingRow& row = RowOf(setting);
    const TEditorPlace& p = row.editorPlace;
    row.editor->SetBounds(p.left, p.top, p.width, p.height);
    static_cast<TWinControl*>(row.editor)->SetTabOrder(p.tabOrder);
}

void TfrmMain::SetUpPathEditor(TQnChoiceEdit& editor, Tweak setting)
{
    const TweakEntry& entry = EntryFor(setting);
    PlaceEditor(setting);
    editor.SetEnabled(false);
    editor.Hint = Text(entry.hint);
    editor.SetMaxLength(PathTextLimit);
    editor.SetText(Text(entry.initialText));
    editor.SetReadOnly(true);
    editor.SetButtonChoiceStyle(TChoiceBtnStyle::btsEllipsis);
    editor.SetDrawStyle(TControlStyle::fsFlat);
}

void TfrmMain::BindEvents()
{
    OnCloseQuery = [this] { return FormCloseQuery(); };
    for (const TSettingRow& row : SettingRows)
        row.checkBox->OnClick = [this](TControl& sender) { chkPaletteSelectClick(sender); };
    cbColor.OnChange = [this](TControl& sender) { cbColorChange(sender); };
    edtDigitCentury.OnChange = [this](TControl& sender) { edtDigitCenturyChange(sender); };
    btnApply.OnClick = [this](TControl& sender) { btnApplyClick(sender); };
    btnOk.OnClick = [this](TControl& sender) { btnOkClick(sender); };
    btnCancel.OnClick = [this](TControl& sender) { btnCancelClick(sender); };
    EdgeButton1.OnClick = [this](TControl& sender) { EdgeButton1Click(sender); };
    for (const TSettingRow& row : SettingRows) {
        switch (row.picker) {
        case TPicker::pkFont:
            btnFont.OnClick = [this](TControl& sender) { btnFontClick(sender); };
            break;
        case TPicker::pkFolder:
            static_cast<TQnChoiceEdit*>(row.editor)->OnButtonClick = [this](TControl& sender) {
                edtTemplateDirButtonClick(sender);
            };
            break;
        case TPicker::pkDll:
            static_cast<TQnChoiceEdit*>(row.editor)->OnButtonClick = [this](TControl& sender) {
                edtUniversumWizButtonClick(sender);
            };
            break;
        case TPicker::pkNone:
        case TPicker::pkColor: // the colour editor's list and dialog are its own
            break;
        }
    }
}

void TfrmMain::ScaleChanged()
{
    TForm::ScaleChanged();
    for (const TSettingRow& row : SettingRows) {
        const TEditorPlace& p = row.editorPlace;
        if (!row.editor || p.top >= row.top + 15)
            continue; // none, or below its box
        // The gap the layout leaves between box and editor, after the box as it is now.
        const int gap = Scale(p.left - (10 + row.width));
        const TCheckBox& box = *row.checkBox;
        const int left = std::max(Scale(p.left), box.Left() + box.Width() + gap);
        if (left != row.editor->Left())
            row.editor->SetLeft(left);
    }
}

// ---- keys

bool TfrmMain::ChildKey(WORD key, unsigned shift)
{
    // Enter on the font button is the button's, as Space is.
    if (key == VK_RETURN && (shift & (ssShift | ssAlt | ssCtrl)) == 0 && btnFont.Focused() && btnFont.Enabled()) {
        btnFont.Click();
        return true;
    }
    return TForm::ChildKey(key, shift);
}

// ---- handlers

void TfrmMain::FormCreate()
{
    state_.Load();
}

bool TfrmMain::FormCloseQuery()
{
    return state_.CloseQuery([this] { return confirm_ ? confirm_().ShowModal() : mrCancel; },
                             [this] { return MayWrite(); });
}

bool TfrmMain::MayWrite()
{
    return ColorTextAccepted() && MayWriteWhileIdeRuns(Handle());
}

bool TfrmMain::ColorTextAccepted()
{
    // Only a checked colour is written. Apply and Ok may come by a key with
    // the focus still in the editor, so it has not checked its text yet.
    const int color = TagOf(Tweak::ObjectInsp);
    if (!Checked(color) || !state_.MayApply(color) || cbColor.TextAccepted())
        return true;
    PageControl.SetActivePage(&tabGeneral);
    cbColor.ShowTextError();
    return false;
}

void TfrmMain::chkPaletteSelectClick(TControl& sender)
{
    state_.CheckBoxClick(sender.Tag);
}

void TfrmMain::cbColorChange(TControl&)
{
    state_.ColorTextChanged();
}

void TfrmMain::edtDigitCenturyChange(TControl&)
{
    state_.CenturyTextChanged();
}

void TfrmMain::btnFontClick(TControl&)
{
    if (!dlgFont.Execute(Handle()))
        return;
    state_.FontConfirmed(DialogFont());
}

void TfrmMain::btnApplyClick(TControl&)
{
    if (MayWrite())
        state_.ApplySettings();
}

void TfrmMain::btnOkClick(TControl&)
{
    if (!MayWrite())
        return;
    state_.ApplySettings();
    Close();
}

void TfrmMain::btnCancelClick(TControl&)
{
    state_.Cancel();
    Close();
}

void TfrmMain::EdgeButton1Click(TControl&)
{
    if (about_)
        about_().ShowModal();
}

void TfrmMain::edtTemplateDirButtonClick(TControl& sender)
{
    const int tag = TagOfEditor(sender);
    if (!tag)
        return;
    if (const auto folder = ChooseFolder(Handle(), "Choose a Folder", TextEditorOf(tag)->Text()))
        state_.PathChosen(tag, *folder);
}

void TfrmMain::edtUniversumWizButtonClick(TControl& sender)
{
    const int tag = TagOfEditor(sender);
    if (tag && dlgSave.Execute(Handle()))
        state_.PathChosen(tag, dlgSave.FileName);
}

// ---- the tweak state's view

TCheckBox& TfrmMain::CheckBoxOf(int tag) const
{
    EntryForTag(tag); // a tag outside 1..14 is an error
    return *SettingRows[static_cast<size_t>(tag - FirstTag)].checkBox;
}

TControl* TfrmMain::EditorOf(int tag) const
{
    return tag >= FirstTag && tag <= LastTag ? SettingRows[static_cast<size_t>(tag - FirstTag)].editor : nullptr;
}

TCustomEdit* TfrmMain::TextEditorOf(int tag) const
{
    // The editor of a setting that stores its editor's text is an edit.
    TControl* editor = EditorOf(tag);
    return editor && EntryForTag(tag).source == ValueSource::Editor ? static_cast<TCustomEdit*>(editor) : nullptr;
}

int TfrmMain::TagOfEditor(const TControl& editor) const
{
    for (const TSettingRow& row : SettingRows)
        if (row.editor == &editor)
            return TagOf(row.setting);
    return 0;
}

bool TfrmMain::Checked(int tag) const
{
    return CheckBoxOf(tag).Checked();
}

void TfrmMain::SetChecked(int tag, bool checked)
{
    CheckBoxOf(tag).SetChecked(checked);
}

std::string TfrmMain::EditorText(int tag) const
{
    const TCustomEdit* editor = TextEditorOf(tag);
    return editor ? editor->Text() : std::string();
}

void TfrmMain::SetEditorText(int tag, const std::string& text)
{
    if (TCustomEdit* editor = TextEditorOf(tag))
        editor->SetText(CutToLimit(text, editor->MaxLength()));
    // The swatch shows the loaded colour, not the one the text replaced.
    if (tag == TagOf(Tweak::ObjectInsp))
        cbColor.MatchItemToText();
}

void TfrmMain::SetEditorEnabled(int tag, bool enabled)
{
    if (TControl* editor = EditorOf(tag))
        editor->SetEnabled(enabled);
}

void TfrmMain::SetNotLoaded(int tag, const std::string& reason)
{
    TCheckBox& box = CheckBoxOf(tag);
    box.SetEnabled(false);
    box.Hint = reason;
    if (TControl* editor = EditorOf(tag)) {
        editor->SetEnabled(false);
        editor->Hint = reason;
    }
}

FontDesc TfrmMain::DialogFont() const
{
    FontDesc font;
    font.SetName(dlgFont.Font.name);
    font.size = dlgFont.Font.Size();
    font.bold = dlgFont.Font.bold;
    font.italic = dlgFont.Font.italic;
    return font;
}

void TfrmMain::SetDialogFont(const FontDesc& font)
{
    dlgFont.Font.name = font.Name();
    dlgFont.Font.SetSize(font.size);
    dlgFont.Font.bold = font.bold;
    dlgFont.Font.italic = font.italic;
}

bool TfrmMain::ApplyEnabled() const
{
    return btnApply.Enabled();
}

void TfrmMain::SetApplyEnabled(bool enabled)
{
    btnApply.SetEnabled(enabled);
}

} // namespace quillon
