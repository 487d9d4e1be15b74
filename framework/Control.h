#pragma once
// TControl: what every control has, windowed or not: its parent, bounds and
// alignment, enabled and visible state, colour, font, caption, cursor, hint
// fields, the loading state, and the notices the framework sends it.
#include "framework/Actions.h"
#include "framework/Component.h"
#include "framework/Dpi.h"
#include "framework/Graphics.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace quillon {

class TWinControl;
class TControl;

// What a control needs of the windowed control that holds it; TWinControl
// implements it.
class IControlParent {
public:
    // Takes `child` in as its last child: becomes its Parent() and gives it
    // its font, colour and loading state.
    virtual void InsertControl(TControl& child) = 0;
    virtual void RemoveControl(TControl& child) = 0;
    // Lays out the aligned children now (not while loading).
    virtual void AlignControls() = 0;

protected:
    ~IControlParent() = default;
};

// What a control needs of the form it is on; the form implements it.
class IFormLink {
public:
    // A control of the form is going away.
    virtual void ControlRemoved(TControl* control) = 0;
    // A control of the form received the focus.
    virtual void FocusMoved(TWinControl* control) = 0;
    // The control that has (or gets) the focus.
    virtual TWinControl* ActiveControl() const = 0;

protected:
    ~IFormLink() = default;
    friend class TFocusFreeze;
    // While above zero, focus moves are not notices (a window is being made
    // again in place).
    int focusFrozen_ = 0;
};

// Holds a form's focus notices back while it lives.
class TFocusFreeze {
public:
    explicit TFocusFreeze(IFormLink* form) : form_(form)
    {
        if (form_)
            ++form_->focusFrozen_;
    }
    ~TFocusFreeze()
    {
        if (form_)
            --form_->focusFrozen_;
    }
    TFocusFreeze(const TFocusFreeze&) = delete;
    TFocusFreeze& operator=(const TFocusFreeze&) = delete;

private:
    IFormLink* form_;
};

// What the application watches of every control: the hint window and the
// notices of activation live there, not in the controls. The application
// object installs itself with WatchControls.
class IControlWatch {
public:
    virtual void ControlDestroyed(const TControl& control) = 0;
    // A mouse message reached one of our windows.
    virtual void WindowMouse(TWinControl& window, UINT msg, WPARAM wp, LPARAM lp) = 0;
    // A notification one of our windows received: true when it was the
    // watcher's own (its tooltip's).
    virtual bool WindowNotified(const NMHDR& header) = 0;
    // This program gains (true) or loses the activation to another one.
    virtual void ActivationChanged(bool active) = 0;

protected:
    ~IControlWatch() = default;
};
void WatchControls(IControlWatch* watch);
// The installed watch, or null.
IControlWatch* ControlWatch();

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state bits.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Horizontal placement of text within a control.
enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
// A plain border or none (edits, the gradient label).
enum class TBorderStyle : uint8_t { bsNone, bsSingle };

// Mouse cursors. crDefault leaves the window class's own cursor (an edit
// keeps its I-beam).
enum class TCursor : int16_t {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};

// The system cursor for `cursor` (null for crDefault and crNone).
HCURSOR CursorHandle(TCursor cursor);

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
    csAcceptsControls = 8, // a container: a control parent for the keyboard
    csClickEvents = 16, // a left press and release inside is a Click
};

class TControl : public TComponent {
public:
    // A control constructed while its parent is loading is loading too.
    // The parent is the windowed control that holds this one, or null.
    explicit TControl(IControlParent* parent);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual bool IsWindowed() const { return false; }

    // Bounds: the outer rectangle relative to the parent's client area
    // (screen coordinates for windows without a parent), in pixels at the
    // control's ppi. A change outside a scale change also changes the 96-dpi
    // bounds the control is scaled from.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // The client area: (0, 0, w, h) for a windowless control.
    virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
    int ClientWidth() const;
    int ClientHeight() const;
    // Sets the outer size that gives this client size.
    void SetClientSize(int width, int height);
    // The outer size less the client size.
    virtual SIZE FrameSize() const { return SIZE{0, 0}; }

    // The display scale the control is laid out for, and a 96-dpi value at it.
    int PixelsPerInch() const { return ppi_; }
    int Scale(int value) const { return ScaleFromDesign(value, ppi_); }
    // Lays the control (and a window's children) out for `ppi`: bounds from
    // the 96-dpi ones, then ScaleChanged. The 96-dpi bounds stay as they are.
    virtual void ChangeScale(int ppi);
    // The 96-dpi bounds (for a window without a parent, the size is its
    // client size).
    struct TDesignBounds {
        int left, top, width, height;
        bool operator==(const TDesignBounds&) const = default;
    };
    TDesignBounds DesignBounds() const { return designBounds_; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Enabled (visible) here and in every ancestor.
    bool EffectivelyEnabled() const;
    bool EffectivelyVisible() const;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    // The font as set, its height at 96 dpi.
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    // The font to draw with: its height at the control's ppi.
    TFont ScaledFont() const { return ScaleFont(font_); }
    // Any font given at 96 dpi (a settings object's), at the control's ppi.
    TFont ScaleFont(TFont font) const
    {
        font.height = Scale(font.height);
        return font;
    }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    virtual std::string Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    // The cursor at a client point (an edit's button shows the arrow).
    virtual TCursor CursorAt(POINT /*client*/) const { return cursor_; }

    unsigned ControlStyle() const { return controlStyle_; }
    void SetControlStyle(unsigned style) { controlStyle_ = style; }

    // While loading, properties are set in their stored order and
    // notifications such as OnChange stay silent; Loaded() follows.
    bool Loading() const { return loading_; }
    virtual void Loaded() {}

    virtual POINT ClientToScreen(POINT p) const;
    virtual POINT ScreenToClient(POINT p) const;

    // Paints on a canvas whose origin is this control's top-left corner (a
    // windowless control: its parent calls it; a window: its paint message).
    virtual void Paint(TCanvas& /*canvas*/) {}

    virtual void Invalidate() = 0;
    // Paints now what is invalid.
    virtual void Update() = 0;
    void Repaint()
    {
        Invalidate();
        Update();
    }

    // Fields without setter behaviour. The tooltip that uses the hints is
    // the hint window's business.
    std::string Hint;
    bool ShowHint = false;
    bool ParentShowHint = true;
    int Tag = 0;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;

    // Runs OnClick, or the action's execute handler when there is no OnClick.
    virtual void Click();

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
    // Accelerator: true when handled. Offered only to controls that are
    // visible and enabled together with all their ancestors.
    virtual bool DialogChar(wchar_t) { return false; }
    virtual bool Notice(const TNotice&) { return false; }
    // The form's active control changed (also sent when a default button changes).
    virtual void FocusChanged(TControl* /*active*/) {}
    // Another control was pressed, or the focus left this control: close
    // drop-downs and balloons. `sender` is the control that caused it.
    virtual void CancelMode(TControl* /*sender*/) {}

    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

protected:
    // The form this control is on (its topmost ancestor), or null.
    IFormLink* FormLink() const;
    virtual void BoundsChanged() {}
    // The ppi changed (bounds are already scaled): fonts and pixel
    // properties follow. By default what a font change does.
    virtual void ScaleChanged() { FontChanged(); }
    // Whether a scale change is under way here (bounds set now are layout,
    // not new 96-dpi bounds).
    bool Scaling() const { return scaling_; }
    // Whether the 96-dpi width and height are the client size (a window
    // without a parent: its frame differs from ppi to ppi).
    virtual bool ScalesClientSize() const { return false; }
    // Sets the bounds from the 96-dpi ones at the control's ppi.
    virtual void ApplyScaledBounds();
    // The size changed (after the children were aligned); runs OnResize.
    virtual void Resize();
    // Stores new bounds and sends the notices that follow from a change.
    void ApplyBounds(int left, int top, int width, int height, bool clientChanged = false);

private:
    friend class TWinControl;
    friend class TForm;
    void RequestParentAlign();
    void RememberDesignBounds();

    // Hears from the assigned action on behalf of the control (a member, not
    // a base: one more base would cost every control class a second table).
    class TActionLink final : public IActionClient {
    public:
        explicit TActionLink(TControl& control) : control_(control) {}
        void ActionChange(TBasicAction& sender) override { control_.ActionChange(sender); }
        void ActionGone() override { control_.SetAction(nullptr); }

    private:
        TControl& control_;
    };

    TActionLink actionLink_{*this};
    IControlParent* container_;
    // The parent, set when it takes this control in: as what it is, and as a
    // control (this file knows TWinControl by name only).
    TWinControl* parent_ = nullptr;
    TControl* parentControl_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int ppi_ = DesignPpi;
    TDesignBounds designBounds_{0, 0, 0, 0};
    bool scaling_ = false;
    TAlign align_ = TAlign::alNone;
    bool enabled_ = true;
    bool visible_ = true;
    bool loading_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = false;
    std::string caption_;
    TCursor cursor_ = TCursor::crDefault;
    unsigned controlStyle_ = 0;
    TBasicAction* action_ = nullptr;
    bool clickPressed_ = false; // csClickEvents: the left button went down here
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
