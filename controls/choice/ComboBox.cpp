#include "controls/choice/ComboBox.h"

#include "base/TextConvert.h"
#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ComboItems.h"
#include "framework/GdiObjects.h"

#include <windowsx.h>

#include <algorithm>

namespace quillon {

namespace {

inline constexpr TColor clHighlightText = SystemColor(14);

int TextHeight(const TFont& font)
{
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(font);
    return probe.Canvas().MeasureText("Wg", DT_SINGLELINE).cy;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

int WideLength(const std::string& text)
{
    return static_cast<int>(Utf8ToWide(text).size());
}

RECT ScreenRect(TWinControl& control)
{
    RECT r{};
    GetWindowRect(control.Handle(), &r);
    return r;
}

RECT DesktopRect()
{
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

} // namespace

// ---- TQnPopupListBox

TQnPopupListBox::TQnPopupListBox(TQnCustomComboBox& combo)
    : TPopupWindow(&combo), combo_(combo), itemHeight_(TextHeight(combo.ScaledFont()) + combo.Scale(3)),
      raisedBorder_(combo.DrawStyle() == TControlStyle::fsFlat || combo.DrawStyle() == TControlStyle::fsSingle)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetColor(combo.Color());
    SetFont(combo.Font());
}

TQnPopupListBox::~TQnPopupListBox() = default;

int TQnPopupListBox::Count() const
{
    return static_cast<int>(combo_.ItemList.size());
}

int TQnPopupListBox::VisibleRows() const
{
    return std::min(DropDownRows, Count());
}

int TQnPopupListBox::ScrollBarWidth() const
{
    return Count() > DropDownRows ? SystemMetricForPpi(SM_CXVSCROLL, PixelsPerInch()) : 0;
}

RECT TQnPopupListBox::ItemRect(int index) const
{
    const int b = BorderWidth();
    const int top = b + (index - topIndex_) * itemHeight_;
    return RECT{b, top, Width() - b - ScrollBarWidth(), top + itemHeight_};
}

int TQnPopupListBox::ItemAt(POINT client) const
{
    const int b = BorderWidth();
    if (client.x < b || client.x >= Width() - b - ScrollBarWidth() || client.y < b)
        return -1;
    const int row = (client.y - b) / itemHeight_;
    if (row >= VisibleRows())
        return -1;
    const int index = topIndex_ + row;
    return index < Count() ? index : -1;
}

void TQnPopupListBox::SetTopIndex(int index)
{
    index = std::clamp(index, 0, std::max(0, Count() - VisibleRows()));
    if (index == topIndex_)
        return;
    topIndex_ = index;
    UpdateScrollBar();
    Invalidate();
}

void TQnPopupListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        index = -1;
    itemIndex_ = index;
    if (index >= 0) {
        if (index < topIndex_)
            SetTopIndex(index);
        else if (index >= topIndex_ + VisibleRows())
            SetTopIndex(index - VisibleRows() + 1);
    }
    Invalidate();
}

void TQnPopupListBox::DropAt(const RECT& comboScreen, int width)
{
    const int height = VisibleRows() * itemHeight_ + 2 * BorderWidth();
    const RECT desk = DesktopRect();
    int x = comboScreen.left, y = comboScreen.bottom;
    if (y + height > desk.bottom)
        y = comboScreen.top - height;
    if (x < desk.left)
        x = desk.left;
    if (x + width > desk.right)
        x = desk.right - width;
    SetBounds(x, y, width, height);
    ShowNoActivate();
}

void TQnPopupListBox::HandleCreated()
{
    TPopupWindow::HandleCreated();
    if (const int sb = ScrollBarWidth()) {
        const int b = BorderWidth();
        scrollBar_ = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, Width() - b - sb, b,
                                     sb, Height() - 2 * b, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        UpdateScrollBar();
    }
}

void TQnPopupListBox::UpdateScrollBar()
{
    if (!scrollBar_)
        return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, Count() - 1, static_cast<UINT>(VisibleRows()),
                  topIndex_, 0};
    SetScrollInfo(scrollBar_, SB_CTL, &si, TRUE);
}

void TQnPopupListBox::Scroll(UINT code)
{
    switch (code) {
    case SB_LINEUP:
        SetTopIndex(topIndex_ - 1);
        break;
    case SB_LINEDOWN:
        SetTopIndex(topIndex_ + 1);
        break;
    case SB_PAGEUP:
        SetTopIndex(topIndex_ - VisibleRows());
        break;
    case SB_PAGEDOWN:
        SetTopIndex(topIndex_ + VisibleRows());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(scrollBar_, SB_CTL, &si);
        SetTopIndex(si.nTrackPos);
        break;
    }
    }
}

LRESULT TQnPopupListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_VSCROLL:
        if (scrollBar_ && reinterpret_cast<HWND>(lp) == scrollBar_) {
            Scroll(LOWORD(wp));
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        tracking_ = true;
        SetCapture(Handle());
        if (const int i = ItemAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); i >= 0)
            SetItemIndex(i);
        return 0;
    case WM_MOUSEMOVE:
        if (const int i = ItemAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}); i >= 0 && i != itemIndex_)
            SetItemIndex(i);
        return 0;
    case WM_LBUTTONUP: {
        const bool tracked = tracking_;
        tracking_ = false;
        if (GetCapture() == Handle())
            ReleaseCapture();
        const int i = ItemAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (tracked && i >= 0) {
            SetItemIndex(i);
            combo_.ListAccept(); // frees this window: nothing of ours after it
            return 0;
        }
        return 0;
    }
    }
    return TPopupWindow::WndProc(msg, wp, lp);
}

void TQnPopupListBox::Paint(TCanvas& canvas)
{
    const RECT client = ClientRect();
    buffer_.Paint(canvas, client, [&](TCanvas& c) {
        c.FillRect(client, Color());
        if (raisedBorder_) {
            RaisedOuterEdge(c, client);
            RECT inner = client;
            InflateRect(&inner, -1, -1);
            RaisedInnerEdge(c, inner);
        } else {
            FrameRect(c, client, clBlack);
        }
        c.SetFont(ScaledFont());
        const int last = std::min(Count(), topIndex_ + VisibleRows());
        for (int i = topIndex_; i < last; ++i) {
            const bool selected = i == itemIndex_;
            TItemPaint item{c, ItemRect(i), i, selected ? clHighlight : Color(), selected ? clHighlightText : Font().color};
            if (combo_.ItemPainter) {
                combo_.ItemPainter(item);
            } else {
                c.FillRect(item.rect, item.back);
                c.DrawText(combo_.ItemList[static_cast<size_t>(i)], item.rect, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT,
                           item.text);
            }
        }
    });
}

// ---- TQnCustomComboBox

TQnCustomComboBox::TQnCustomComboBox(TWinControl* parent) : TQnCustomChoiceEdit(parent)
{
    SetButtonChoiceStyle(TChoiceBtnStyle::btsCombo);
    SetButtonStyle(TEventStyle::esDropDown);
}

TQnCustomComboBox::~TQnCustomComboBox()
{
    list_.reset();
}

void TQnCustomComboBox::SetComboStyle(TComboStyle value)
{
    if (value == comboStyle_)
        return;
    comboStyle_ = value;
    SetButtonExist(value != TComboStyle::csSimple);
    if (value == TComboStyle::csDropDownList)
        SelectItem(-1);
    RecreateWnd();
}

void TQnCustomComboBox::SelectItem(int index)
{
    const bool valid = index >= 0 && index < static_cast<int>(ItemList.size());
    const std::string text = valid ? ItemList[static_cast<size_t>(index)] : std::string();
    if (index == itemIndex_ && Text() == text)
        return;
    itemIndex_ = index;
    if (list_)
        list_->SetItemIndex(index);
    SetText(text);
    if (OnItemIndexChange)
        OnItemIndexChange(*this);
    Invalidate();
}

void TQnCustomComboBox::SetItemIndexOnly(int index)
{
    itemIndex_ = index;
    if (list_)
        list_->SetItemIndex(index);
}

void TQnCustomComboBox::MatchItemToText()
{
    SetItemIndexOnly(IndexOfItem(ItemList, Text()));
    RunCheckGlyphPainter(false);
    Invalidate();
}

void TQnCustomComboBox::RunCheckGlyphPainter(bool raise)
{
    if (!CheckGlyphPainter || CheckGlyph().Empty())
        return;
    const int width = CheckGlyph().Width(), height = CheckGlyph().Height();
    if (raise) {
        CheckGlyphPainter(itemIndex_);
    } else {
        // A paint never reports: the text change that made the text reported it.
        try {
            CheckGlyphPainter(itemIndex_);
        } catch (const std::exception&) {
        }
    }
    if (CheckGlyph().Width() != width || CheckGlyph().Height() != height)
        LayoutText();
}

void TQnCustomComboBox::Change()
{
    if (Parent()) {
        RunCheckGlyphPainter(true);
        PaintFrame(false);
    }
    TQnCustomChoiceEdit::Change();
}

// ---- the list

void TQnCustomComboBox::DropDown()
{
    if (list_ || !HandleAllocated())
        return;
    savedShowHint_ = ShowHint;
    ShowHint = false;
    list_ = std::make_unique<TQnPopupListBox>(*this);
    const int index = IndexOfItem(ItemList, Text());
    list_->SetItemIndex(index);
    itemIndex_ = index;
    SelectAll();
    list_->DropAt(ScreenRect(*this), DropDownWidth > 0 ? DropDownWidth : Width());
    if (EditButton()) {
        EditButton()->SetState(TEditButtonState::ebsDown);
        PaintButton();
    }
}

void TQnCustomComboBox::ListAccept()
{
    CloseUp(true, true);
}

void TQnCustomComboBox::CloseUp(bool accept, bool /*immediately*/)
{
    if (!list_ || closing_)
        return;
    closing_ = true;
    const int chosen = list_->ItemIndex();
    list_.reset();
    if (accept) {
        if (chosen >= 0)
            SelectItem(chosen);
        RestoreText = Text();
        restoreIndex_ = itemIndex_;
    }
    // No text selection: the caret after the text.
    const int end = WideLength(Text());
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETSEL, end, end);
    if (EditButton() && EditButton()->Reset())
        PaintButton();
    ShowHint = savedShowHint_;
    closing_ = false;
    Repaint();
}

void TQnCustomComboBox::ButtonClick()
{
    TQnCustomChoiceEdit::ButtonClick();
    if (Dropped())
        CloseUp(false, true);
    else
        DropDown();
}

void TQnCustomComboBox::MoveInList(WORD key)
{
    if (!list_ || ItemList.empty())
        return;
    const int count = static_cast<int>(ItemList.size());
    const int current = list_->ItemIndex();
    const int page = std::max(1, list_->VisibleRows() - 1);
    int next = 0;
    if (current >= 0) {
        switch (key) {
        case VK_UP:
            next = current - 1;
            break;
        case VK_DOWN:
            next = current + 1;
            break;
        case VK_PRIOR:
            next = current - page;
            break;
        case VK_NEXT:
            next = current + page;
            break;
        }
    }
    next = std::clamp(next, 0, count - 1);
    list_->SetItemIndex(next);
    SelectItem(next);
}

// ---- validation

void TQnCustomComboBox::ValidateText()
{
    if (CanValidate() && ErrorCode == 0) {
        if (!CanEmpty && IsBlank(Text()))
            ErrorCode = ErrEmptyValue;
        else if (comboStyle_ == TComboStyle::csDropDownList && !IsBlank(Text()) && itemIndex_ == -1)
            ErrorCode = ErrNotAnItem;
    }
    TQnCustomChoiceEdit::ValidateText();
}

std::string TQnCustomComboBox::GetErrorHint()
{
    if (ErrorCode == ErrNotAnItem)
        ErrorHint = LoadResString(ResInvalidValue);
    return TQnCustomChoiceEdit::GetErrorHint();
}

// ---- keys, mouse and focus

bool TQnCustomComboBox::KeyDown(WORD key, unsigned shift)
{
    if (list_) {
        switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            MoveInList(key);
            return true;
        case VK_RETURN:
            CloseUp(true, true);
            return true;
        case VK_ESCAPE:
            CloseUp(false, true);
            return true;
        }
    } else if ((key == VK_UP || key == VK_DOWN) && !(shift & ssAlt) && !ReadOnly()) {
        const int index = UpDownIndex(ItemList, itemIndex_, Text(), key == VK_DOWN);
        if (index >= 0 && index < static_cast<int>(ItemList.size())) {
            SelectItem(index);
            const int end = WideLength(Text());
            SendMessageW(Handle(), EM_SETSEL, end, end);
        }
        return true;
    } else if (key == VK_DELETE && !ReadOnly()) {
        SetItemIndexOnly(-1);
    } else if (key == VK_ESCAPE) {
        itemIndex_ = restoreIndex_;
        SetText(RestoreText);
        SelectAll();
        // The undo that follows must not take back typing the restore replaced.
        SendMessageW(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
    }
    return TQnCustomChoiceEdit::KeyDown(key, shift);
}

bool TQnCustomComboBox::KeyPress(wchar_t& key)
{
    if (key == L'\r' || key == 0x1B) {
        if (closedByKey_) {
            // Enter or Esc closed the list: the form does not see it.
            closedByKey_ = false;
            key = 0;
            return true;
        }
    } else if (key != 0) {
        SetItemIndexOnly(-1);
    }
    return TQnCustomChoiceEdit::KeyPress(key);
}

void TQnCustomComboBox::AfterCharacter(wchar_t key)
{
    if (key == 0 || key == L'\b' || key == L'\r' || key == 0x1B || ReadOnly())
        return;
    const std::string typed = Text();
    if (typed.size() <= 2)
        return;
    const int index = CompletionIndex(ItemList, typed);
    if (index < 0)
        return;
    const int typedLength = WideLength(typed);
    SelectItem(index);
    SendMessageW(Handle(), EM_SETSEL, typedLength, WideLength(Text()));
}

void TQnCustomComboBox::FocusReceived()
{
    TQnCustomChoiceEdit::FocusReceived();
    RestoreText = Text();
    restoreIndex_ = itemIndex_;
}

void TQnCustomComboBox::FocusLost()
{
    TQnCustomChoiceEdit::FocusLost();
    SetItemIndexOnly(IndexOfItem(ItemList, Text()));
}

LRESULT TQnCustomComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_KEYDOWN:
        if (list_ && (wp == VK_RETURN || wp == VK_ESCAPE))
            closedByKey_ = true;
        break;
    case WM_CHAR: {
        const auto key = static_cast<wchar_t>(wp);
        const LRESULT result = TQnCustomChoiceEdit::WndProc(msg, wp, lp);
        if (HandleAllocated())
            AfterCharacter(key);
        return result;
    }
    case WM_SYSKEYDOWN:
        if (wp == VK_DOWN) {
            if (list_)
                CloseUp(false, true);
            else
                DropDown();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const bool entering = !Focused();
        const LRESULT result = TQnCustomChoiceEdit::WndProc(msg, wp, lp);
        if (entering && HandleAllocated() && Focused() && !OverButton())
            SelectAll();
        return result;
    }
    case WM_LBUTTONUP:
        if (list_) {
            // A press on the button dragged onto the list and released there.
            POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ::ClientToScreen(Handle(), &screen);
            const LRESULT result = TQnCustomChoiceEdit::WndProc(msg, wp, lp);
            if (list_ && list_->HandleAllocated()) {
                POINT inList = screen;
                ::ScreenToClient(list_->Handle(), &inList);
                if (const int i = list_->ItemAt(inList); i >= 0) {
                    list_->SetItemIndex(i);
                    CloseUp(true, true);
                }
            }
            return result;
        }
        break;
    case WM_MOUSEWHEEL:
        if (list_) {
            list_->SetTopIndex(list_->TopIndex() - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA);
            return 0;
        }
        break;
    case WM_PAINT:
        RunCheckGlyphPainter(false);
        break;
    }
    return TQnCustomChoiceEdit::WndProc(msg, wp, lp);
}

} // namespace quillon
