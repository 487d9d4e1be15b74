// The label under the mouse and the keyboard: hot tracking, glyph clicks,
// dragging and closing the form it stands in as title bar for, and its
// accelerator.
#include "controls/label/GradientCaptionLabel.h"

#include "framework/Forms.h"

namespace quillon {

LRESULT TCustomGradientCaptionLabel::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        return LeftButtonDown(wp, lp);
    case WM_LBUTTONDBLCLK:
        return LeftButtonDoubleClick(wp, lp);
    case WM_MOUSEMOVE:
        if (dragging_) {
            DragTo();
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (dragging_) {
            EndDrag();
            return 0;
        }
        // A press whose capture went elsewhere meanwhile is no click.
        pressed_ = pressed_ && HandleAllocated() && GetCapture() == Handle();
        break;
    case WM_CAPTURECHANGED:
        if (dragging_ && reinterpret_cast<HWND>(lp) != Handle())
            EndDrag();
        break;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

bool TCustomGradientCaptionLabel::GlyphHit()
{
    const std::unique_ptr<TBitmap> image = BuildGlyphImage();
    if (!image)
        return false;
    POINT p;
    if (!GetCursorPos(&p))
        return false;
    p = ScreenToClient(p);
    const POINT at = GetGlyphPosition(*image);
    const RECT r{at.x, at.y, at.x + image->Width(), at.y + image->Height()};
    return PtInRect(&r, p) != FALSE;
}

// The window that a drag by the label moves: its form, else its topmost
// container; none without a parent.
TWinControl* TCustomGradientCaptionLabel::DragTarget()
{
    if (TForm* form = ParentForm(*this))
        return form;
    TWinControl* top = Parent();
    while (top && top->Parent())
        top = top->Parent();
    return top;
}

LRESULT TCustomGradientCaptionLabel::LeftButtonDown(WPARAM wp, LPARAM lp)
{
    if (GlyphHit()) {
        pressed_ = false;
        if (OnGlyphClick)
            OnGlyphClick(*this);
        if (options_ & loReplyGlyphClick)
            Click();
        return 0;
    }
    if (options_ & loEmulateFormCaption) {
        pressed_ = false;
        BeginDrag();
        return 0;
    }
    return TCustomControl::WndProc(WM_LBUTTONDOWN, wp, lp);
}

// The form follows the pointer while the button is held, as by its title
// bar. Done here rather than by the system's move command: the same on
// every platform and no nested system loop (under Wine a test run once died
// inside that loop with an X error).
void TCustomGradientCaptionLabel::BeginDrag()
{
    TWinControl* target = DragTarget();
    if (!target || !GetCursorPos(&dragStart_))
        return;
    dragOrigin_ = POINT{target->Left(), target->Top()};
    dragging_ = true;
    SetCapture(Handle());
}

void TCustomGradientCaptionLabel::DragTo()
{
    TWinControl* target = DragTarget();
    POINT p;
    if (!target || !GetCursorPos(&p))
        return;
    target->SetBounds(dragOrigin_.x + p.x - dragStart_.x, dragOrigin_.y + p.y - dragStart_.y, target->Width(),
                      target->Height());
}

// Released, or the capture went elsewhere: the drag ends, with the click
// the options ask for.
void TCustomGradientCaptionLabel::EndDrag()
{
    dragging_ = false;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    if (options_ & loReplyFormDragClick)
        Click();
}

LRESULT TCustomGradientCaptionLabel::LeftButtonDoubleClick(WPARAM wp, LPARAM lp)
{
    if (!GlyphHit())
        return TCustomControl::WndProc(WM_LBUTTONDBLCLK, wp, lp);
    pressed_ = false;
    if (OnGlyphDblClick)
        OnGlyphDblClick(*this);
    if (options_ & loReplyGlyphDblClick)
        TCustomControl::WndProc(WM_LBUTTONDBLCLK, wp, lp);
    if (!OnGlyphDblClick && (options_ & loEmulateFormCaption))
        if (TForm* form = ParentForm(*this))
            form->Close();
    return 0;
}

void TCustomGradientCaptionLabel::MouseDown(TMouseButton button, unsigned shift, int x, int y)
{
    if (button == TMouseButton::mbLeft)
        pressed_ = !(shift & ssDouble);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGradientCaptionLabel::MouseUp(TMouseButton button, unsigned shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && pressed_) {
        pressed_ = false;
        if (x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight())
            Click();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGradientCaptionLabel::DoubleClick(unsigned shift, int x, int y)
{
    if (OnDblClick)
        OnDblClick(*this);
    TCustomControl::DoubleClick(shift, x, y); // capture, then OnMouseDown with ssDouble
}

void TCustomGradientCaptionLabel::MouseEnter()
{
    TCustomControl::MouseEnter();
    bool changed = false;
    if (HotTrack && Visible() && !Caption().empty() && !captionHot_) {
        TFont font = Font();
        savedCaptionColor_ = font.color;
        font.color = HotTrackColor;
        SetFont(font);
        captionHot_ = changed = true;
    }
    TSubCaption& sub = *subCaption_;
    if (sub.HotTrack && sub.Visible() && !sub.Caption().empty() && !subCaptionHot_) {
        TFont font = sub.Font();
        sub.SavedColor = font.color;
        font.color = HotTrackColor;
        sub.SetFont(font);
        subCaptionHot_ = changed = true;
    }
    if (changed)
        Invalidate();
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void TCustomGradientCaptionLabel::MouseLeave()
{
    TCustomControl::MouseLeave();
    // Only what the enter changed is put back.
    bool changed = false;
    if (captionHot_) {
        TFont font = Font();
        font.color = savedCaptionColor_;
        SetFont(font);
        captionHot_ = false;
        changed = true;
    }
    if (subCaptionHot_) {
        TFont font = subCaption_->Font();
        font.color = subCaption_->SavedColor;
        subCaption_->SetFont(font);
        subCaptionHot_ = false;
        changed = true;
    }
    if (changed)
        Invalidate();
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

bool TCustomGradientCaptionLabel::DialogChar(wchar_t ch)
{
    if (!focusControl_ || !enabled_ || !showAccelChar_ || !IsAccel(ch, Caption()) || !focusControl_->CanFocus())
        return false;
    focusControl_->SetFocus();
    return true;
}

} // namespace quillon
