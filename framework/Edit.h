#pragma once
// TCustomEdit: a single-line edit box over the system EDIT class. The window
// keeps the text, the selection, the modified flag and the undo step; the
// object keeps what must survive until (and across) the window's creation.
// OnChange runs for every text change, by the user or by code, never while
// loading. Tab, Enter and Escape belong to the form (WM_GETDLGCODE), unless
// a subclass answers DialogCode itself.
#include "framework/ControlColors.h"
#include "framework/WinControl.h"

#include <string>
#include <utility>

namespace quillon {

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TWinControl* parent);

    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // Characters the user may enter; 0 = no limit of ours.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    // Re-create the window (style bits).
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    // The edit's own border: none, or the system's (sunken with Ctl3D, else
    // a one-pixel line).
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    // Select the whole text when the focus arrives by keyboard.
    bool AutoSelect = true;

    // Selection in characters; without a window there is none (0, ignored).
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    std::string SelText() const;
    void SelectAll();
    void Clear() { SetText(""); }

    // The user changed the text since it was set (the window's flag).
    bool Modified() const;
    void Undo();

    TNotifyEvent OnChange;

protected:
    // The text changed; runs OnChange unless loading.
    virtual void Change();

    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    UINT DialogCode(UINT original) override;
    bool KeyDown(WORD key, unsigned shift) override;
    void DoEnter() override;
    void TextChanged() override;
    void ColorChanged() override;

    // Sends to the window; 0 without one (never creates it).
    LRESULT Send(UINT msg, WPARAM wp, LPARAM lp) const;
    // The clipboard's text, empty when it holds none.
    std::wstring ClipboardText() const;
    // Whether `text` in place of the selection keeps the text within MaxLength.
    bool FitsMaxLength(const std::wstring& text) const;

private:
    bool IsMultiLineWindow() const;
    std::pair<int, int> Selection() const;

    bool readOnly_ = false;
    int maxLength_ = 0;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool hideSelection_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool ctl3D_ = true;
    bool modified_ = false; // kept while there is no window
    bool pressing_ = false; // a mouse press is focusing the edit
    TControlBrush brush_;
};

// The edit as forms use it.
class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

} // namespace quillon
