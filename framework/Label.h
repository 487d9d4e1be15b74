#pragma once
// TLabel: text drawn by its parent (no window of its own), so it can lie
// transparently over a panel or a picture and show any cursor (a hand over
// a link). One or more lines (\r\n), optionally word-wrapped, aligned left,
// right or centred; "&" underlines the next character, and its accelerator
// focuses FocusControl. A disabled label draws its text embossed. At another
// scale than 96 dpi a label that is not word-wrapped grows to show its
// whole text where the scale gives too little.
#include "framework/GraphicControl.h"

namespace quillon {

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TWinControl* parent);
    ~TLabel() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // Sized to its text whenever the text or the font changes (off by default).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Leaves the background to the parent.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // Gets the focus when the label's accelerator is typed.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);

    void Paint(TCanvas& canvas) override;
    bool DialogChar(wchar_t ch) override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;

protected:
    void ScaleChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    UINT TextFormat() const;
    void AdjustSize();

    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = false;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

} // namespace quillon
