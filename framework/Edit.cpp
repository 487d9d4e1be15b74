#include "framework/Edit.h"

#include "base/TextConvert.h"

namespace quillon {

TCustomEdit::TCustomEdit(TWinControl* parent) : TWinControl(parent)
{
    SetBounds(Left(), Top(), 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.superclassOf = L"EDIT";
    params.style |= ES_AUTOHSCROLL;
    switch (alignment_) {
    case TAlignment::taLeftJustify:
        params.style |= ES_LEFT;
        break;
    case TAlignment::taRightJustify:
        params.style |= ES_RIGHT;
        break;
    case TAlignment::taCenter:
        params.style |= ES_CENTER;
        break;
    }
    if (readOnly_)
        params.style |= ES_READONLY;
    if (!hideSelection_)
        params.style |= ES_NOHIDESEL;
    if (borderStyle_ == TBorderStyle::bsSingle) {
        if (ctl3D_)
            params.exStyle |= WS_EX_CLIENTEDGE;
        else
            params.style |= WS_BORDER;
    }
}

void TCustomEdit::HandleCreated()
{
    TWinControl::HandleCreated();
    Send(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    Send(EM_SETMODIFY, modified_, 0);
}

bool TCustomEdit::IsMultiLineWindow() const
{
    return HandleAllocated() &&
           (GetWindowLongPtrW(const_cast<TCustomEdit*>(this)->Handle(), GWL_STYLE) & ES_MULTILINE);
}

LRESULT TCustomEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The system edit takes the focus inside this call: that entry is by mouse.
        pressing_ = true;
        struct TReset {
            bool& flag;
            ~TReset() { flag = false; }
        } reset{pressing_};
        return TWinControl::WndProc(msg, wp, lp);
    }
    case WM_DESTROY:
        modified_ = Send(EM_GETMODIFY, 0, 0) != 0;
        break;
    case WM_PASTE:
        // The system cuts a paste at the limit without a sign: one that
        // does not fit is refused whole, with a beep.
        if (!readOnly_) {
            std::wstring text = ClipboardText();
            if (!IsMultiLineWindow())
                text = text.substr(0, text.find_first_of(L"\r\n"));
            if (!FitsMaxLength(text)) {
                MessageBeep(MB_OK);
                return 0;
            }
        }
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

std::wstring TCustomEdit::ClipboardText() const
{
    std::wstring text;
    if (!OpenClipboard(const_cast<TCustomEdit*>(this)->Handle()))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* clip = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = clip;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool TCustomEdit::FitsMaxLength(const std::wstring& text) const
{
    if (maxLength_ <= 0 || !HandleAllocated())
        return true;
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<size_t>(GetWindowTextLengthW(const_cast<TCustomEdit*>(this)->Handle()));
    const size_t selected = end >= start && end <= length ? end - start : 0;
    return length - selected + text.size() <= static_cast<size_t>(maxLength_);
}

bool TCustomEdit::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wp) == EN_CHANGE) {
            Change();
            return true;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: // read-only and disabled edits ask this one
        result = AnswerControlColor(reinterpret_cast<HDC>(wp), Font().color, Color(), brush_);
        return true;
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}

UINT TCustomEdit::DialogCode(UINT original)
{
    return original & ~static_cast<UINT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
}

bool TCustomEdit::KeyDown(WORD key, unsigned shift)
{
    // Measured under Wine: once asked WM_GETDLGCODE with a message (as the
    // form's key handling does), a multi-line system edit posts WM_CLOSE to
    // its parent on Escape and sends it IDOK on Enter. The form has had
    // these keys already; the characters still come (WM_CHAR).
    if ((key == VK_ESCAPE || key == VK_RETURN) && IsMultiLineWindow())
        return true;
    return TWinControl::KeyDown(key, shift);
}

void TCustomEdit::DoEnter()
{
    if (AutoSelect && !pressing_ && !IsMultiLineWindow())
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::TextChanged()
{
    TWinControl::TextChanged();
    // A single-line system edit tells EN_CHANGE for WM_SETTEXT itself; a
    // multi-line one does not, and without a window nobody does.
    if (!HandleAllocated() || IsMultiLineWindow())
        Change();
}

void TCustomEdit::Change()
{
    if (!Loading() && OnChange)
        OnChange(*this);
}

void TCustomEdit::ColorChanged()
{
    brush_.Reset();
    TWinControl::ColorChanged();
}

// ---- properties

void TCustomEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    Send(EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value)
{
    maxLength_ = value < 0 ? 0 : value;
    Send(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value)
{
    if (value == hideSelection_)
        return;
    hideSelection_ = value;
    RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomEdit::SetCtl3D(bool value)
{
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    RecreateWnd();
}

// ---- selection, modified flag, undo: the window's

LRESULT TCustomEdit::Send(UINT msg, WPARAM wp, LPARAM lp) const
{
    if (!HandleAllocated())
        return 0;
    return SendMessageW(const_cast<TCustomEdit*>(this)->Handle(), msg, wp, lp);
}

std::pair<int, int> TCustomEdit::Selection() const
{
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

int TCustomEdit::SelStart() const
{
    return Selection().first;
}

int TCustomEdit::SelLength() const
{
    const auto [start, end] = Selection();
    return end - start;
}

void TCustomEdit::SetSelStart(int value)
{
    Send(EM_SETSEL, static_cast<WPARAM>(value), static_cast<LPARAM>(value));
}

void TCustomEdit::SetSelLength(int value)
{
    const int start = SelStart();
    Send(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + value));
}

std::string TCustomEdit::SelText() const
{
    const std::wstring text = Utf8ToWide(Text());
    const auto [start, end] = Selection();
    if (start >= end || static_cast<size_t>(end) > text.size())
        return {};
    return WideToUtf8(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

void TCustomEdit::SelectAll()
{
    Send(EM_SETSEL, 0, -1);
}

bool TCustomEdit::Modified() const
{
    return HandleAllocated() ? Send(EM_GETMODIFY, 0, 0) != 0 : modified_;
}

void TCustomEdit::Undo()
{
    Send(EM_UNDO, 0, 0);
}

} // namespace quillon
