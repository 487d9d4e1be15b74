#include "controls/choice/CustomEdit.h"

#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ErrorPopup.h"
#include "controls/choice/PopupHook.h"
#include "framework/Application.h"
#include "framework/Forms.h"

#include <memory>

namespace quillon {

namespace {

// Posted to an edit: show its error balloon.
UINT ShowErrorMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Quillon.QnShowErrorPopup");
    return message;
}

// The program's one balloon and the edit that shows it.
struct TBalloon {
    std::unique_ptr<TQnMessageWindow> window;
    TQnCustomEdit* edit = nullptr;
};

TBalloon& Balloon()
{
    static TBalloon balloon;
    return balloon;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

TQnCustomEdit::TQnCustomEdit(TWinControl* parent) : TCustomEdit(parent)
{
}

TQnCustomEdit::~TQnCustomEdit()
{
    if (Balloon().edit == this) {
        RemovePopupHook();
        Balloon().window.reset();
        Balloon().edit = nullptr;
    }
}

TQnMessageWindow* TQnCustomEdit::ErrorPopup()
{
    return Balloon().window.get();
}

// ---- updates

void TQnCustomEdit::LockUpdates()
{
    if (updateCount_++ == 0)
        changedWhileLocked_ = false;
}

void TQnCustomEdit::UnlockUpdates(bool fireOnUnlock)
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    if (changedWhileLocked_ && fireOnUnlock) {
        changedWhileLocked_ = false;
        Change();
    }
}

void TQnCustomEdit::WithUpdatesLocked(const std::function<void()>& action)
{
    LockUpdates();
    try {
        action();
    } catch (...) {
        UnlockUpdates(false);
        throw;
    }
    UnlockUpdates();
}

void TQnCustomEdit::Change()
{
    if (updateCount_ > 0) {
        changedWhileLocked_ = true;
        return;
    }
    TCustomEdit::Change();
}

// ---- validation

bool TQnCustomEdit::CanValidate() const
{
    return !ReadOnly();
}

void TQnCustomEdit::ValidateText()
{
    if (CanValidate() && ErrorCode == 0)
        ErrorCode = (!CanEmpty && IsBlank(Text())) ? ErrEmptyValue : 0;
    bool error = ErrorCode != 0;
    if (OnKillFocus)
        OnKillFocus(*this, error);
    if (!error)
        ErrorCode = 0;
    else if (ErrorAccepted(ErrorCode))
        ErrorCode = 0, error = false;
    errorPending_ = error;
}

bool TQnCustomEdit::ErrorAccepted(int code)
{
    const TNotice query{QnAcceptErrorNotice, code, this};
    if (TForm* form = ParentForm(*this); form && form->Notice(query))
        return true;
    return Parent() && Parent() != ParentForm(*this) && Parent()->Notice(query);
}

std::string TQnCustomEdit::GetErrorHint()
{
    std::string hint = ErrorCode == ErrEmptyValue ? LoadResString(ResEmptyValue) : ErrorHint;
    if (OnGetErrorHint)
        OnGetErrorHint(*this, ErrorCode, hint);
    return hint;
}

// ---- focus

void TQnCustomEdit::DoEnter()
{
    // Subclasses make the window multi-line (for a formatting rectangle),
    // where the framework's selection on entering stays out.
    if (AutoSelect && !focusByClick_)
        SelectAll();
    TCustomEdit::DoEnter();
}

void TQnCustomEdit::DoExit()
{
    BeforeValidate();
    ErrorCode = 0;
    errorPending_ = false;
    // A text rebuilt on leaving (in steps) is one change, heard at the end.
    WithUpdatesLocked([this] { ValidateText(); });
    if (errorPending_ && HandleAllocated()) {
        // The focus stays: the form's exit sequence stops here.
        ::SetFocus(Handle());
        // Once refused, only the user brings the balloon back. A focus move
        // that no key or click made (the system handing the focus to another
        // control when a window of ours goes, the balloon itself included)
        // used to ask for a new balloon, whose timer hid it 1.9 s later and
        // started the next round.
        if (!refusedBefore_ || Application().HandlingUserInput())
            RequestShowError();
        refusedBefore_ = true;
        return;
    }
    refusedBefore_ = false;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETSEL, 1, 1);
    TCustomEdit::DoExit();
}

void TQnCustomEdit::CancelMode(TControl* sender)
{
    TCustomEdit::CancelMode(sender);
    if (errorShown_ && sender != ErrorPopup())
        HideErrorPopup();
}

// ---- the balloon

void TQnCustomEdit::RequestShowError()
{
    if (HandleAllocated())
        PostMessageW(Handle(), ShowErrorMessage(), 0, 0);
}

void TQnCustomEdit::RequestHideError()
{
    if (HandleAllocated())
        PostMessageW(Handle(), HideErrorMessage(), 0, 0);
}

void TQnCustomEdit::ErrorShownNotice(TQnMessageWindow& popup)
{
    if (OnShowError)
        OnShowError(popup);
}

void TQnCustomEdit::ShowErrorPopup()
{
    CloseUp(false, true);
    const std::string hint = GetErrorHint();
    if (IsBlank(hint))
        return;
    TBalloon& b = Balloon();
    if (b.window && b.edit == this && b.window->Shown() && b.window->Text() == hint)
        return;
    if (b.window && b.edit != this) {
        // Another edit's balloon: that edit no longer shows an error.
        if (b.edit)
            b.edit->errorShown_ = false;
        RemovePopupHook();
        b.window.reset();
    }
    if (b.window) {
        b.window->ClosePopup();
    } else {
        b.window = std::make_unique<TQnMessageWindow>(this);
        b.edit = this;
        b.window->TimerOn = true;
        b.window->DisplayTime = 1900;
        b.window->SetKind(TMessageKind::mkError);
        b.window->Placement = TPopupPlacement::pmAtBounds;
        b.window->SetShape(TPopupShape::psBalloon);
        b.window->SetAnchor(Scale(5), Height() - Scale(5));
    }
    b.window->SetText(hint);
    errorShown_ = true;
    ErrorShownNotice(*b.window);
    if (b.window) // a handler may have hidden it
        b.window->Popup();
}

void TQnCustomEdit::HideErrorPopup()
{
    TBalloon& b = Balloon();
    if (b.edit == this) {
        RemovePopupHook();
        b.window.reset();
        b.edit = nullptr;
    }
    errorShown_ = false;
}

LRESULT TQnCustomEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == ShowErrorMessage()) {
        ShowErrorPopup();
        return 0;
    }
    if (msg == HideErrorMessage()) {
        HideErrorPopup();
        return 0;
    }
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Entering by this click selects nothing (the click places the caret).
        const TClickFocus click(*this);
        return TCustomEdit::WndProc(msg, wp, lp);
    }
    case WM_DESTROY:
        if (Balloon().edit == this)
            HideErrorPopup();
        break;
    }
    return TCustomEdit::WndProc(msg, wp, lp);
}

} // namespace quillon
