#pragma once
// TQnCustomComboBox: the choice edit with a drop-down list of items. The
// list (TQnPopupListBox) exists only while open: a topmost popup that never
// takes the focus, owner-drawn by the combo's item painter, driven by the
// edit's keys and by the mouse, closed by the framework's cancel-mode notice.
#include "controls/choice/ChoiceEdit.h"
#include "framework/GdiObjects.h"
#include "framework/Popup.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

class TQnCustomComboBox;

// What an item painter gets: the list has filled nothing yet; `back` and
// `text` are the colours it chose (highlight for the selected item).
struct TItemPaint {
    TCanvas& canvas;
    RECT rect;
    int index;
    TColor back;
    TColor text;
};

using TItemPainter = std::function<void(TItemPaint&)>;
using TCheckGlyphPainter = std::function<void(int index)>;

// Rows the list shows at most.
inline constexpr int DropDownRows = 7;

// Where the combo's text comes from. A change re-creates the window.
enum class TComboStyle : uint8_t {
    csDropDown,     // typed or picked; the button opens the list
    csSimple,       // typed or picked, without the button
    csDropDownList, // picked: the text must be an item
};

class TQnPopupListBox : public TPopupWindow {
public:
    explicit TQnPopupListBox(TQnCustomComboBox& combo);
    ~TQnPopupListBox() override;

    int ItemHeight() const { return itemHeight_; }
    int Count() const;
    int ItemIndex() const { return itemIndex_; }
    // Selects (and scrolls to) an item; -1 selects none.
    void SetItemIndex(int index);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int index);
    int VisibleRows() const;
    // The border: raised two-pixel edge, or a black one-pixel frame.
    int BorderWidth() const { return raisedBorder_ ? 2 : 1; }
    // The item rectangle in client coordinates (may lie outside the view).
    RECT ItemRect(int index) const;
    // The item at a client point, or -1.
    int ItemAt(POINT client) const;
    // Places the list under (or above) the combo and shows it.
    void DropAt(const RECT& comboScreen, int width);

protected:
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void HandleCreated() override;

private:
    void UpdateScrollBar();
    int ScrollBarWidth() const;
    void Scroll(UINT code);

    TQnCustomComboBox& combo_;
    int itemHeight_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    bool raisedBorder_;
    HWND scrollBar_ = nullptr; // a child window: destroyed with ours
    bool tracking_ = false;    // the left button went down on the list
    TPaintBuffer buffer_;
};

class TQnCustomComboBox : public TQnCustomChoiceEdit {
public:
    explicit TQnCustomComboBox(TWinControl* parent);
    ~TQnCustomComboBox() override;

    bool Dropped() const { return list_ != nullptr; }
    TQnPopupListBox* List() const { return list_.get(); }
    TComboStyle ComboStyle() const { return comboStyle_; }
    void SetComboStyle(TComboStyle value);
    std::vector<std::string> ItemList;
    TItemPainter ItemPainter;
    TCheckGlyphPainter CheckGlyphPainter;
    // Not used by the colour combo: a measure hook and a fixed item height.
    std::function<void(int index, int& height)> OnMeasureItem;
    int ListItemHeight = 0;
    std::string RestoreText;
    int RestoreIndex() const { return restoreIndex_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index) { SelectItem(index); }
    TNotifyEvent OnItemIndexChange;
    // 0: the control's width.
    int DropDownWidth = 0;

    // The item's text goes into the edit (empty for an index out of range).
    void SelectItem(int index);
    // ItemIndex found from the text as focus loss finds it (the item equal to
    // it, case ignored, or -1), and the check glyph painted for it: for a text
    // set from code, which leaves ItemIndex as it was. The text stays.
    void MatchItemToText();
    void DropDown();
    void CloseUp(bool accept, bool immediately) override;
    bool DroppedDown() const override { return Dropped(); }
    void ButtonClick() override;

protected:
    void Change() override;
    void ValidateText() override;
    std::string GetErrorHint() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool KeyDown(WORD key, unsigned shift) override;
    bool KeyPress(wchar_t& key) override;
    void FocusReceived() override;
    void FocusLost() override;
    // Runs the check glyph painter for ItemIndex; `raise` false swallows its
    // errors (painting must not report).
    void RunCheckGlyphPainter(bool raise);
    // ItemIndex without the text (typing, Delete, focus loss).
    void SetItemIndexOnly(int index);
    // Called after a typed character reached the platform edit.
    virtual void AfterCharacter(wchar_t key);
    // A list move by keys: Up, Down, Page Up, Page Down.
    void MoveInList(WORD key);

private:
    friend class TQnPopupListBox;
    void ListAccept();

    std::unique_ptr<TQnPopupListBox> list_;
    TComboStyle comboStyle_ = TComboStyle::csDropDown;
    int itemIndex_ = -1;
    int restoreIndex_ = -1;
    bool savedShowHint_ = false;
    bool closing_ = false;
    bool closedByKey_ = false; // Enter or Esc closed the list: its character goes nowhere
};

} // namespace quillon
