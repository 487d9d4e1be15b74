#pragma once
// The error balloon. TQnPopupWindow places a borderless-looking popup
// against its control and the desktop edges and keeps a copy of the screen
// under it (what shows around a balloon's rounded outline); TQnMessageWindow
// shows an icon and a text in it, sized to them, and asks its control to hide
// it after its display time.
#include "controls/choice/PopupLayout.h"
#include "framework/GdiObjects.h"
#include "framework/Popup.h"

#include <memory>
#include <string>

namespace quillon {

// Posted to an edit: hide (and free) its error balloon.
UINT HideErrorMessage();

// Placement modes; the program uses pmAtBounds.
enum class TPopupPlacement : uint8_t { pmAtPoint, pmBelowLeft, pmBelowRight, pmBesideRight, pmAtBounds };

class TQnPopupWindow : public TPopupWindow {
public:
    explicit TQnPopupWindow(TWinControl* owner);
    ~TQnPopupWindow() override;

    // The popup's top-left in its control's client coordinates (pmAtBounds),
    // or a screen point (pmAtPoint).
    void SetAnchor(int left, int top);
    POINT Anchor() const { return anchor_; }
    TPopupPlacement Placement = TPopupPlacement::pmAtBounds;

    // 0 to 3, from the last placement: +1 moved up from the desktop's
    // bottom, +2 moved left from its right edge.
    int TailVariant() const { return tailVariant_; }
    bool Shown() const { return shown_; }

    // Places the window, keeps the screen under its client area, and shows
    // it on top without activating anything.
    virtual void Popup();
    // Hides it without activating anything, moving or sizing it.
    virtual void ClosePopup();

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    const TBitmap& ScreenImage() const { return screen_; }
    // The desktop (all monitors) as a rectangle.
    static RECT DesktopRect();

private:
    POINT DesiredTopLeft() const;
    void CaptureScreen();
    void PaintBorderFromScreen();

    POINT anchor_{0, 0};
    bool captureScreen_ = true;
    TBitmap screen_; // under the client area
    TBitmap border_; // under the whole window, for the border ring
    int tailVariant_ = 0;
    bool shown_ = false;
};

class TQnMessageWindow : public TQnPopupWindow {
public:
    explicit TQnMessageWindow(TWinControl* owner);
    ~TQnMessageWindow() override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    TMessageKind Kind() const { return kind_; }
    // mkError takes the pale yellow colour and the invalid-value sign;
    // mkCustom takes `icon` (copied).
    void SetKind(TMessageKind kind, const TBitmap* icon = nullptr);
    TPopupShape Shape() const { return shape_; }
    // Hides the window first; the size follows on the next text change.
    void SetShape(TPopupShape shape);
    const PopupMargins& Margins() const { return margins_; }
    const TBitmap& Icon() const { return icon_; }
    bool IconShown() const { return iconShown_; }

    // With the timer on, a showing ends after DisplayTime milliseconds with
    // the hide request posted to the control.
    bool TimerOn = false;
    int DisplayTime = 2000;
    bool TimerRunning() const { return timerRunning_; }

    void Popup() override;
    void ClosePopup() override;

protected:
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void UpdateSize();
    void StopTimer();
    void PostHideRequest();
    void PaintBalloon(TCanvas& canvas, int cw, int ch);

    std::string text_;
    TMessageKind kind_ = TMessageKind::mkPlain;
    bool iconShown_ = false;
    TBitmap icon_;
    PopupMargins margins_;
    TPopupShape shape_ = TPopupShape::psRectangle;
    bool timerRunning_ = false;
    TPaintBuffer buffer_;
};

} // namespace quillon
