#pragma once
// TQnCustomChoiceEdit: an edit with a small button inside its right border
// and an optional glyph area inside its left border, a frame in one of four
// styles painted over the platform's border, hot tracking, and the button's
// mouse and keyboard rules. TQnChoiceEdit publishes the button properties.
#include "controls/choice/CustomEdit.h"
#include "controls/choice/EditButton.h"

#include <memory>
#include <string_view>

namespace quillon {

class TQnCustomChoiceEdit : public TQnParentEdit {
public:
    explicit TQnCustomChoiceEdit(TWinControl* parent);
    ~TQnCustomChoiceEdit() override;

    // Absent while ButtonExist is False or the control is too narrow.
    TQnEditButton* EditButton() const { return button_.get(); }
    TControlStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TControlStyle value);
    int ChoiceButtonWidth() const { return choiceButtonWidth_; }
    void SetChoiceButtonWidth(int value);
    bool Hot() const { return hot_; }
    bool MouseDown() const { return mouseDown_; }
    // Width reserved for the check glyph area.
    int TextLeft() const { return textLeft_; }
    bool OverCheckGlyph() const { return overCheckGlyph_; }
    bool OverButton() const { return overButton_; }
    TBitmap& FrameGlyph() { return frameGlyph_; }
    // The image in the left glyph area (the colour combo's swatch).
    TBitmap& CheckGlyph() { return checkGlyph_; }
    bool ShowCheckGlyph() const { return showCheckGlyph_; }
    void SetShowCheckGlyph(bool value);
    // The area inside the platform's border (the platform edit draws a plain
    // border inside its window, so the window's client area cannot tell).
    int EditBorder() const;
    int EditClientWidth() const;
    int EditClientHeight() const;
    // The formatting rectangle last given to the platform edit.
    RECT TextRect() const { return textRect_; }

    // A linked control, forgotten when it goes.
    TControl* LinkControl() const { return link_; }
    void SetLinkControl(TControl* control);

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnCheckClick;

    // Enter and Esc stay in the edit.
    bool MultiLine = false;

    // The button's geometry and glyph from the current styles.
    void UpdateButton();
    void LayoutText() override;
    // Paints the glyph area and, with drawBorder, the frame and the button
    // onto the whole window; `clip` (window coordinates) limits it.
    virtual void PaintFrame(bool drawBorder, HRGN clip = nullptr);
    // The narrowest width that keeps the button.
    virtual int MinButtonWidth();
    virtual bool DroppedDown() const { return false; }
    virtual void ButtonClick();
    bool CheckGlyphShown();

    void Loaded() override;
    void FontChanged() override;
    void EnabledChanged() override;
    TCursor CursorAt(POINT client) const override;

protected:
    // Setters the subclasses publish.
    TChoiceBtnStyle ButtonChoiceStyle() const { return choiceStyle_; }
    void SetButtonChoiceStyle(TChoiceBtnStyle value);
    // The button's picture for btsCustom.
    const TBitmap& Glyph() const { return customGlyph_; }
    void SetGlyph(const TBitmap* glyph);
    bool ButtonExist() const { return buttonExist_; }
    virtual void SetButtonExist(bool value);
    TEventStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TEventStyle value);
    void SetCheckGlyph(const TBitmap* glyph);

    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool KeyDown(WORD key, unsigned shift) override;
    bool KeyPress(wchar_t& key) override;
    void FocusReceived() override;
    void FocusLost() override;
    void BeforeValidate() override;
    void Change() override;
    void ValidateText() override;
    void CancelMode(TControl* sender) override;
    void MouseMove(unsigned shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Resize() override;
    void ScaleChanged() override;

    // Hooks: extra frame painting, the check glyph click.
    virtual void PaintFrameExtra(TCanvas&) {}
    virtual void CheckGlyphClick();
    void SetHot(bool value);
    // Feeds a mouse event to the button (window coordinates); true when the
    // button took it (it lies over the button).
    bool FeedButton(TButtonMouse event, POINT window, bool leftHeld);
    void PaintButton();
    // Window coordinates of a client point.
    POINT ClientToWindow(POINT client) const;

private:
    void HitTest(int clientX);
    bool LeftHeld() const;
    void EraseClient(HDC dc);
    void PaintCheckGlyph(TCanvas& windowCanvas);
    void PaintBorder(TCanvas& c, RECT r);
    void ButtonPress(POINT window);
    // F2 or Alt+Down.
    void PressButtonByKey();
    LRESULT Paste(UINT msg, WPARAM wp, LPARAM lp);
    void AlignText();
    bool DesignTimeHot() const;
    int WidestChar() const;

    std::unique_ptr<TQnEditButton> button_;
    TChoiceBtnStyle choiceStyle_ = TChoiceBtnStyle::btsForm;
    TEventStyle buttonStyle_ = TEventStyle::esNormal;
    bool buttonExist_ = true;
    bool mouseDown_ = false;
    int textLeft_ = 0;
    TControlStyle drawStyle_ = TControlStyle::fcsNormal;
    bool hot_ = false;
    int choiceButtonWidth_ = StandardButtonWidth;
    TBitmap checkGlyph_;
    TBitmap customGlyph_;
    bool overCheckGlyph_ = false;
    bool overButton_ = false;
    TBitmap frameGlyph_;
    bool showCheckGlyph_ = true;
    TControl* link_ = nullptr;
    RECT textRect_{};
    bool buttonCapture_ = false; // we took the capture for a press on the button
};

class TQnChoiceEdit : public TQnCustomChoiceEdit {
public:
    using TQnCustomChoiceEdit::TQnCustomChoiceEdit;

    using TQnCustomChoiceEdit::ButtonChoiceStyle;
    using TQnCustomChoiceEdit::ButtonExist;
    using TQnCustomChoiceEdit::ButtonStyle;
    using TQnCustomChoiceEdit::Glyph;
    using TQnCustomChoiceEdit::SetButtonChoiceStyle;
    using TQnCustomChoiceEdit::SetButtonExist;
    using TQnCustomChoiceEdit::SetButtonStyle;
    using TQnCustomChoiceEdit::SetCheckGlyph;
    using TQnCustomChoiceEdit::SetGlyph;
};

} // namespace quillon
