#pragma once
// TQnCustomEdit: the single-line edit with validation on leaving and the
// program's one error balloon. TQnParentEdit publishes the common edit
// properties for the choice edit and the combo boxes built on it.
#include "framework/Edit.h"

#include <functional>
#include <string>

namespace quillon {

class TQnMessageWindow;

// Error codes of the validation chain.
inline constexpr int ErrEmptyValue = 60673;
inline constexpr int ErrNotAnItem = 60674;
inline constexpr int ErrInvalidInteger = 60680;
// Their texts in the string table.
inline constexpr unsigned ResInvalidValue = 59991;
inline constexpr unsigned ResInvalidInteger = 59995;
inline constexpr unsigned ResEmptyValue = 59996;

// The accept-error query, asked of the parent form and of the parent as a
// notice: value = the error code, sender = the edit. Handled = accepted.
inline constexpr int QnAcceptErrorNotice = 0x5A01;

// Data binding, carried but not used by this program.
struct TQnDBObject {
    std::string DataField;
};

using TKillFocusEvent = std::function<void(TControl& sender, bool& error)>;
using TGetErrorHint = std::function<void(TControl& sender, int code, std::string& hint)>;

class TQnCustomEdit : public TCustomEdit {
public:
    explicit TQnCustomEdit(TWinControl* parent);
    ~TQnCustomEdit() override;

    std::string ErrorHint;
    int ErrorCode = 0;
    bool CanEmpty = true;
    TQnDBObject DBObject;

    TKillFocusEvent OnKillFocus;
    TNotifyEvent OnShowError; // sender: the balloon
    TGetErrorHint OnGetErrorHint;

    // The balloon of the whole program, when this edit shows it.
    bool ErrorShown() const { return errorShown_; }
    static TQnMessageWindow* ErrorPopup();

    // While locked, OnChange waits; the last unlock fires it when the text
    // changed meanwhile and fireOnUnlock was asked for.
    virtual void LockUpdates();
    virtual void UnlockUpdates(bool fireOnUnlock = true);

    // Runs `action` with updates locked: OnChange fires once after it, when
    // the text changed meanwhile (not when an error passes through).
    void WithUpdatesLocked(const std::function<void()>& action);

    // Requests (posted) to show the balloon for ErrorCode, or to hide it.
    void RequestShowError();
    void RequestHideError();

protected:
    // True when the text may be validated: not ReadOnly.
    virtual bool CanValidate() const;
    // The hint for ErrorCode: the empty-value text, else the subclass's ErrorHint; then OnGetErrorHint.
    virtual std::string GetErrorHint();
    virtual void LayoutText() {}
    // The balloon was shown: fires OnShowError with it as sender.
    virtual void ErrorShownNotice(TQnMessageWindow& popup);
    // Closes a drop-down (the combo box has one).
    virtual void CloseUp(bool /*accept*/, bool /*immediately*/) {}
    // The validation chain, most derived first, each calling its base last.
    virtual void ValidateText();

    void DoEnter() override;
    void DoExit() override;
    void CancelMode(TControl* sender) override;
    void Change() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // While it lives, a left press is being handled: focus that arrives
    // meanwhile, if the edit had none, comes by click (and selects nothing).
    class TClickFocus {
    public:
        explicit TClickFocus(TQnCustomEdit& edit) : edit_(edit), previous_(edit.focusByClick_)
        {
            edit.focusByClick_ = previous_ || !edit.Focused();
        }
        ~TClickFocus() { edit_.focusByClick_ = previous_; }
        TClickFocus(const TClickFocus&) = delete;
        TClickFocus& operator=(const TClickFocus&) = delete;

    private:
        TQnCustomEdit& edit_;
        bool previous_;
    };
    // The run before the chain: leaving closes drop-downs and such.
    virtual void BeforeValidate() {}

    void ShowErrorPopup();
    void HideErrorPopup();

private:
    bool ErrorAccepted(int code);

    bool focusByClick_ = false;
    bool errorPending_ = false; // the last validation kept an error
    bool refusedBefore_ = false; // leaving was refused since it last succeeded
    int updateCount_ = 0;
    bool changedWhileLocked_ = false;
    bool errorShown_ = false;
};

class TQnParentEdit : public TQnCustomEdit {
public:
    using TQnCustomEdit::TQnCustomEdit;
};

} // namespace quillon
