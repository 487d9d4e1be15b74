#include "framework/Forms.h"

#include "base/Exceptions.h"
#include "framework/Callback.h"

#include <algorithm>

namespace quillon {

TForm* ParentForm(const TControl& control)
{
    const TControl* top = &control;
    while (top->Parent())
        top = top->Parent();
    return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

namespace {

// Every control of a form, depth first in creation order, until `visit` says stop.
template <typename F>
bool ForEachControl(TWinControl& parent, F&& visit)
{
    for (TControl* child : std::vector<TControl*>(parent.Controls())) {
        if (visit(*child))
            return true;
        if (child->IsWindowed() && ForEachControl(*static_cast<TWinControl*>(child), visit))
            return true;
    }
    return false;
}

void AppendTabOrder(const TWinControl& parent, std::vector<TWinControl*>& list)
{
    for (TWinControl* child : parent.TabOrderedChildren()) {
        list.push_back(child);
        AppendTabOrder(*child, list);
    }
}

// Offers the accelerator to the visible, enabled controls; a hidden or
// disabled container hides its whole subtree.
bool OfferAccelerator(TWinControl& parent, wchar_t ch)
{
    for (TControl* child : std::vector<TControl*>(parent.Controls())) {
        if (!child->Visible() || !child->Enabled())
            continue;
        if (child->DialogChar(ch))
            return true;
        if (child->IsWindowed() && OfferAccelerator(*static_cast<TWinControl*>(child), ch))
            return true;
    }
    return false;
}

BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM list)
{
    return GuardCallback(TRUE, [&] {
        if (IsWindowVisible(w) && IsWindowEnabled(w))
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
    });
}

} // namespace

TForm::TForm() : TWinControl(nullptr)
{
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetControlStyle(ControlStyle() | csAcceptsControls);
    if (!FormsHost().MainForm)
        FormsHost().MainForm = this;
}

TForm::~TForm()
{
    if (FormsHost().MainForm == this)
        FormsHost().MainForm = nullptr;
}

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.className = L"QuillonForm";
    params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible())
        params.style |= WS_VISIBLE;
    if (!Enabled())
        params.style |= WS_DISABLED;
    params.exStyle = WS_EX_CONTROLPARENT;
    params.parent = ownerForm_ && ownerForm_->HandleAllocated() ? ownerForm_->Handle() : nullptr;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
        params.style |= WS_POPUP;
        break;
    case TFormBorderStyle::bsSingle:
        params.style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TFormBorderStyle::bsSizeable:
        params.style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TFormBorderStyle::bsDialog:
        params.style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case TFormBorderStyle::bsToolWindow:
        params.style |= WS_CAPTION | WS_SYSMENU;
        params.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        params.style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        params.exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
}

void TForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TForm::SetOwnerForm(TForm* owner)
{
    if (owner == this || owner == ownerForm_)
        return;
    if (ownerForm_)
        RemoveFreeNotification(ownerForm_);
    ownerForm_ = owner;
    if (owner)
        FreeNotification(owner);
    if (HandleAllocated())
        SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT,
                          owner && owner->HandleAllocated() ? reinterpret_cast<LONG_PTR>(owner->Handle()) : 0);
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == ownerForm_)
        ownerForm_ = nullptr;
}

// ---- scale

void TForm::HandleCreated()
{
    TWinControl::HandleCreated();
    UpdateIcons();
}

void TForm::ScaleChanged()
{
    TWinControl::ScaleChanged();
    UpdateIcons();
}

void TForm::UpdateIcons()
{
    if (!HandleAllocated())
        return;
    if (PixelsPerInch() == SystemPpi()) {
        // The class's icons are the system's sizes: none of our own.
        if (bigIcon_ || smallIcon_) {
            SendMessageW(Handle(), WM_SETICON, ICON_BIG, 0);
            SendMessageW(Handle(), WM_SETICON, ICON_SMALL, 0);
            bigIcon_.reset();
            smallIcon_.reset();
        }
        return;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto load = [&](int widthMetric, int heightMetric) {
        return TIcon(static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                                   SystemMetricForPpi(widthMetric, PixelsPerInch()),
                                                   SystemMetricForPpi(heightMetric, PixelsPerInch()), 0)));
    };
    TIcon big = load(SM_CXICON, SM_CYICON), small = load(SM_CXSMICON, SM_CYSMICON);
    if (!big || !small)
        return; // a program without the icon keeps the class's
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big); // the window no longer shows the old ones
    smallIcon_ = std::move(small);
}

// ---- showing

void TForm::ApplyPosition()
{
    TForm* reference = nullptr;
    switch (Position) {
    case TPosition::poDesigned:
        return;
    case TPosition::poScreenCenter:
        break;
    case TPosition::poMainFormCenter:
        reference = FormsHost().MainForm;
        break;
    case TPosition::poOwnerFormCenter:
        reference = ownerForm_ ? ownerForm_ : FormsHost().MainForm;
        break;
    }
    if (reference && (reference == this || !reference->HandleAllocated() || !reference->Visible()))
        reference = nullptr;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const RECT area = reference ? reference->BoundsRect() : RECT{0, 0, screenWidth, screenHeight};
    int left = area.left + (area.right - area.left - Width()) / 2;
    int top = area.top + (area.bottom - area.top - Height()) / 2;
    // Never off the screen where it fits.
    left = std::max(0, std::min(left, screenWidth - Width()));
    top = std::max(0, std::min(top, screenHeight - Height()));
    SetBounds(left, top, Width(), Height());
}

void TForm::Show()
{
    Handle();
    if (!shownBefore_) {
        shownBefore_ = true;
        ApplyPosition();
    }
    TControl::SetVisible(true);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    FocusFirstControl();
    UpdateWindow(Handle());
}

void TForm::Hide()
{
    TControl::SetVisible(false);
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
}

void TForm::SetVisible(bool visible)
{
    if (visible)
        Show();
    else
        Hide();
}

void TForm::FocusFirstControl()
{
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : FindNextControl(nullptr, true);
    if (target)
        target->SetFocus();
}

int TForm::ShowModal()
{
    if (modal_ || Visible())
        throw Exception("Cannot make a visible window modal");
    TForm* owner = dynamic_cast<TForm*>(TWinControl::FromHandle(GetActiveWindow()));
    if (!owner || owner == this)
        owner = FormsHost().MainForm != this ? FormsHost().MainForm : nullptr;
    SetOwnerForm(owner);
    modalResult_ = mrNone;
    modal_ = true;
    // Disable the other windows of the thread, as a modal dialog does.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    struct TRestore {
        TForm& form;
        std::vector<HWND>& disabled;
        TForm* owner;
        ~TRestore()
        {
            for (HWND w : disabled)
                EnableWindow(w, TRUE);
            // The owner takes the activation while the dialog still shows,
            // and the dialog then hides without activating anything. Hidden
            // first, it handed the activation on itself: under an X server
            // without a window manager, Wine waits up to 2 s for the hide to
            // be confirmed, and all that time the hidden dialog kept the
            // foreground and the keyboard.
            if (owner && owner->HandleAllocated() && owner->Visible())
                SetActiveWindow(owner->Handle());
            form.TControl::SetVisible(false);
            if (form.HandleAllocated())
                SetWindowPos(form.Handle(), nullptr, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
            form.modal_ = false;
        }
    } restore{*this, disabled, owner};
    for (HWND w : disabled)
        EnableWindow(w, FALSE);
    Show();
    while (modalResult_ == mrNone && FormsHost().HandleMessage()) {
    }
    if (FormsHost().Terminated())
        PostQuitMessage(0);
    return modalResult_;
}

void TForm::Close()
{
    if (OnCloseQuery && !OnCloseQuery())
        return;
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
    } else if (FormsHost().MainForm == this) {
        DestroyHandle();
    } else {
        Hide();
    }
}

void TForm::RunCreateEvent(const std::function<void()>& handler)
{
    GuardCallback(handler);
}

// ---- loading

void TForm::BeginLoad()
{
    loading_ = true;
    ForEachControl(*this, [](TControl& c) {
        c.loading_ = true;
        return false;
    });
}

void TForm::EndLoad()
{
    std::vector<TControl*> all{this};
    ForEachControl(*this, [&](TControl& c) {
        all.push_back(&c);
        return false;
    });
    for (TControl* c : all)
        c->loading_ = false;
    for (TControl* c : all)
        if (c->IsWindowed())
            static_cast<TWinControl*>(c)->RenumberTabOrder(nullptr, 0); // as stored, ties by creation
    for (TControl* c : all)
        c->Loaded();
    for (TControl* c : all)
        if (c->IsWindowed())
            static_cast<TWinControl*>(c)->AlignControls();
}

void TForm::Load(const std::function<void()>& setProperties)
{
    BeginLoad();
    try {
        setProperties();
    } catch (...) {
        EndLoad();
        throw;
    }
    EndLoad();
}

// ---- focus and keys

void TForm::ControlRemoved(TControl* control)
{
    if (activeControl_ == control)
        activeControl_ = nullptr;
    if (focusedControl_ == control)
        focusedControl_ = nullptr;
    if (DefaultControl == control)
        DefaultControl = nullptr;
    if (CancelControl == control)
        CancelControl = nullptr;
}

void TForm::SetActiveControl(TWinControl* control)
{
    if (control && ParentForm(*control) != this)
        return;
    activeControl_ = control;
    if (control && HandleAllocated() && GetActiveWindow() == Handle())
        control->SetFocus();
}

void TForm::FocusMoved(TWinControl* control)
{
    if (focusFrozen_)
        return;
    activeControl_ = control;
    if (control == focusedControl_)
        return;
    TWinControl* old = focusedControl_;
    HWND target = control->Handle();
    auto focusStays = [&] { return GetFocus() == target; };
    if (old) {
        old->CancelMode(control);
        if (!focusStays())
            return;
    }
    std::vector<TWinControl*> newPath, oldPath;
    for (TWinControl* c = control; c && c != this; c = c->Parent())
        newPath.push_back(c);
    for (TWinControl* c = old; c && c != this; c = c->Parent())
        oldPath.push_back(c);
    auto contains = [](const std::vector<TWinControl*>& path, TWinControl* c) {
        return std::find(path.begin(), path.end(), c) != path.end();
    };
    // Exits from the old control up to the common ancestor; a handler that
    // puts the focus back (validation) ends the sequence.
    for (TWinControl* c : oldPath) {
        if (contains(newPath, c))
            break;
        c->DoExit();
        if (!focusStays())
            return;
    }
    focusedControl_ = control;
    for (auto it = newPath.rbegin(); it != newPath.rend(); ++it) {
        if (contains(oldPath, *it))
            continue;
        (*it)->DoEnter();
        if (!focusStays())
            return;
    }
    FocusChangedNotice();
}

void TForm::FocusChangedNotice()
{
    ForEachControl(*this, [&](TControl& c) {
        c.FocusChanged(activeControl_);
        return false;
    });
}

TWinControl* TForm::FindNextControl(TWinControl* current, bool forward) const
{
    std::vector<TWinControl*> list;
    AppendTabOrder(*this, list);
    const int count = static_cast<int>(list.size());
    const auto found = std::find(list.begin(), list.end(), current);
    const int start = found != list.end() ? static_cast<int>(found - list.begin()) : (forward ? -1 : count);
    for (int step = 1; step <= count; ++step) {
        const int i = (((forward ? start + step : start - step) % count) + count) % count;
        if (list[static_cast<size_t>(i)]->TabStop() && list[static_cast<size_t>(i)]->CanFocus())
            return list[static_cast<size_t>(i)];
    }
    return nullptr;
}

bool TForm::SelectNext(bool forward)
{
    TWinControl* current = focusedControl_;
    for (HWND h = GetFocus(); h && h != Handle(); h = GetParent(h))
        if (TWinControl* c = FromHandle(h); c && ParentForm(*c) == this) {
            current = c;
            break;
        }
    TWinControl* next = FindNextControl(current, forward);
    if (!next)
        return false;
    next->SetFocus();
    return true;
}

bool TForm::DialogKey(WORD vk)
{
    TControl* target = nullptr;
    if (vk == VK_RETURN)
        target = focusedControl_ && focusedControl_->IsPushButton() && focusedControl_->Focused() ? focusedControl_
                                                                                                  : DefaultControl;
    else if (vk == VK_ESCAPE)
        target = CancelControl;
    if (!target || !target->EffectivelyVisible() || !target->EffectivelyEnabled())
        return false;
    target->Click();
    return true;
}

bool TForm::DialogCharToControls(wchar_t ch)
{
    return Visible() && Enabled() && OfferAccelerator(*this, ch);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        if (FormsHost().MainForm == this)
            PostQuitMessage(0);
        break;
    case WM_COMMAND:
        if (lp == 0 && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
            DialogKey(LOWORD(wp) == IDOK ? VK_RETURN : VK_ESCAPE);
            return 0;
        }
        break;
    case WM_DPICHANGED:
        // Moved to a monitor of another scale: the system's rectangle keeps
        // it under the pointer and on that monitor.
        ScaleTree(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_ACTIVATE:
        // Activation returns the focus to the active control.
        if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp) && activeControl_ && activeControl_->HandleAllocated() &&
            activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
            return 0;
        }
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

} // namespace quillon
