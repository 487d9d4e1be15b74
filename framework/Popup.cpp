#include "framework/Popup.h"

namespace quillon {

TPopupWindow::TPopupWindow(TWinControl* owner) : TCustomControl(nullptr), owner_(owner)
{
    TControl::SetVisible(false); // created hidden
    if (owner_) {
        FreeNotification(owner_);
        ChangeScale(owner_->PixelsPerInch());
        SetFont(owner_->Font());
    }
}

TPopupWindow::~TPopupWindow() = default;

void TPopupWindow::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == owner_)
        owner_ = nullptr;
}

void TPopupWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.className = L"QuillonPopup";
    params.style = WS_POPUP | WS_CLIPCHILDREN;
    if (!Enabled())
        params.style |= WS_DISABLED;
    params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.classStyle = CS_SAVEBITS | CS_DBLCLKS;
    params.parent = owner_ && owner_->HandleAllocated() ? GetAncestor(owner_->Handle(), GA_ROOT) : nullptr;
}

void TPopupWindow::SetMouseTransparent(bool value)
{
    mouseTransparent_ = value;
}

void TPopupWindow::ShowNoActivate()
{
    if (owner_)
        owner_->Handle(); // the owner's window exists before ours
    TControl::SetVisible(true);
    SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), Width(), Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPopupWindow::Hide()
{
    TControl::SetVisible(false);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void TPopupWindow::SetVisible(bool visible)
{
    if (visible)
        ShowNoActivate();
    else
        Hide();
}

LRESULT TPopupWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        // The system then asks the windows below that belong to this thread
        // (measured under Wine: WS_EX_TRANSPARENT alone lets nothing through).
        if (mouseTransparent_)
            return HTTRANSPARENT;
        break;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

} // namespace quillon
