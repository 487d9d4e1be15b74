#pragma once
// The control classes: TControl (bounds, parent, enabled, colour, font,
// caption, notices), TWinControl (owns an HWND, one window procedure),
// TCustomControl (canvas + Paint) and TGraphicControl (no HWND: its parent
// paints it and routes the mouse to it).
#include "framework/Actions.h"
#include "framework/Graphics.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

class TWinControl;
class TForm;
class TControl;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state bits.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

using TNotifyEvent = std::function<void(TControl& sender)>;
using TMouseEvent = std::function<void(TControl& sender, TMouseButton, unsigned shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl& sender, unsigned shift, int x, int y)>;

// A notice delivered to the children of a parent until one reports it handled.
struct TNotice {
    int code;
    intptr_t value;
    TControl* sender;
};

// Control style bits.
enum : unsigned {
    csCaptureMouse = 1, // capture the mouse while a button is held
    csOpaque = 2,       // paints every pixel: no background erase
    csDoubleClicks = 4, // wants double-click messages
    csAcceptsControls = 8,
};

class TControl {
public:
    explicit TControl(TWinControl* parent);
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TWinControl* Parent() const { return parent_; }
    // The topmost ancestor when it is a form.
    TForm* ParentForm() const;
    virtual bool IsWindowed() const { return false; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual void SetBounds(int left, int top, int width, int height);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Enabled here and in every ancestor.
    bool EffectivelyEnabled() const;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    unsigned ControlStyle() const { return controlStyle_; }
    void SetControlStyle(unsigned style) { controlStyle_ = style; }

    virtual POINT ClientToScreen(POINT p) const;
    virtual POINT ScreenToClient(POINT p) const;

    virtual void Invalidate() = 0;
    // Paints now what is invalid.
    virtual void Update() = 0;
    void Repaint()
    {
        Invalidate();
        Update();
    }

    // Fields without setter behaviour.
    std::string Hint;
    bool ShowHint = false;
    int Tag = 0;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Runs OnClick, or the action's execute handler when there is no OnClick.
    virtual void Click();
    virtual void Loaded() {}

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* action);
    // The assigned action changed: takes over its caption, enabled state,
    // hint and visibility.
    virtual void ActionChange(TBasicAction& sender);

    // Framework notices; overrides call the base first where it has work.
    virtual void MouseDown(TMouseButton button, unsigned shift, int x, int y);
    virtual void MouseMove(unsigned shift, int x, int y);
    virtual void MouseUp(TMouseButton button, unsigned shift, int x, int y);
    // A left double-click: captures (for csCaptureMouse) and delivers a
    // mouse-down with ssDouble.
    virtual void DoubleClick(unsigned shift, int x, int y);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void EnabledChanged();
    virtual void ColorChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void TextChanged() { Invalidate(); }
    virtual void ParentColorChanged();
    virtual void ParentFontChanged();
    virtual void SysColorChange() {}
    virtual void VisibleChanged() {}
    // Accelerator: true when handled.
    virtual bool DialogChar(wchar_t) { return false; }
    virtual bool Notice(const TNotice&) { return false; }
    // The form's active control changed (also sent when a default button changes).
    virtual void FocusChanged(TControl* /*active*/) {}

    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

protected:
    virtual void BoundsChanged() {}

private:
    friend class TWinControl;
    TWinControl* parent_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = false;
    std::string caption_;
    unsigned controlStyle_ = 0;
    TBasicAction* action_ = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TWinControl* parent);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }
    // The window, created on first use (with the parent's).
    HWND Handle();
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    // The control bound to a window of ours, or null.
    static TWinControl* FromHandle(HWND hwnd);

    const std::vector<TControl*>& Controls() const { return children_; }
    // Delivers the notice to every child until one handles it.
    bool Broadcast(const TNotice& notice);
    // The enabled, visible windowless child at a client point, topmost first.
    TControl* ControlAtPos(POINT client, bool allowDisabled) const;

    POINT ClientToScreen(POINT p) const override;
    POINT ScreenToClient(POINT p) const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void Invalidate() override;
    void Update() override;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    bool Focused() const;
    virtual void SetFocus();
    bool CanFocus() const;

    // Paints the control and its windowless children into `canvas` as the
    // window would show them (off-screen rendering, parent backgrounds).
    void PaintTo(TCanvas& canvas);

    void ColorChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;

protected:
    friend class TControl;
    virtual void CreateParams(DWORD& style, DWORD& exStyle);
    virtual const wchar_t* WindowClassName() const;
    // One handler for every message; returns the message result.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // Background of the window; forms and panels fill with their colour.
    virtual void EraseBackground(TCanvas& canvas);
    virtual void PaintWindow(TCanvas&) {}
    virtual void FocusReceived() {}
    virtual void FocusLost() {}
    // Key handlers: true when the key was handled.
    virtual bool KeyDown(WORD /*key*/, unsigned /*shift*/) { return false; }
    virtual bool KeyUp(WORD /*key*/, unsigned /*shift*/) { return false; }
    virtual UINT DialogCode() const { return 0; }
    void DestroyHandle();

private:
    void AddChild(TControl* child) { children_.push_back(child); }
    void RemoveChild(TControl* child);
    void CreateHandle();
    void PaintControls(TCanvas& canvas, const RECT* clip);
    void RouteMouse(UINT msg, WPARAM wp, LPARAM lp);
    void TrackMouse(TControl* target);
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    std::vector<TControl*> children_;
    TControl* captureControl_ = nullptr; // windowless child holding the capture
    bool tabStop_ = false;
    bool trackingLeave_ = false;
};

class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    virtual void Paint(TCanvas& canvas) = 0;
    void PaintWindow(TCanvas& canvas) override { Paint(canvas); }
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TWinControl* parent);
    ~TGraphicControl() override { InvalidateArea(); } // the parent repaints where it was

    void Invalidate() override;
    void Update() override;
    // Paints on a canvas whose origin is this control's top-left corner.
    virtual void Paint(TCanvas& canvas) = 0;

protected:
    void BoundsChanged() override { InvalidateArea(); }
    void VisibleChanged() override { InvalidateArea(); }

private:
    void InvalidateArea();
};

// The control under the pointer by the enter/leave notices; setting it sends
// the leave notice to the old one and the enter notice to the new one.
TControl* CurrentMouseControl();
void SetMouseControl(TControl* control);

// The modifier and button state now, as shift bits.
unsigned CurrentShiftState();
unsigned ShiftFromKeys(WPARAM keys);
// The character after a single '&' in a caption matches `ch`, case ignored.
bool IsAccel(wchar_t ch, const std::string& caption);

} // namespace quillon
