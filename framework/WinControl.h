#pragma once
// TWinControl: a control that owns a window. Its window is never made in a
// constructor: Handle() makes it on demand (the parent's first, then its own,
// then its windowed children's), after the whole tree is built, from the
// virtual CreateParams. One static window procedure binds the object at
// WM_NCCREATE and guards every message; a control may be a superclass of a
// system class (our window procedure in front of the kept original one).
#include "framework/Control.h"
#include "framework/CreateParams.h"

#include <string>
#include <vector>

namespace quillon {

class TWinControl : public TControl {
public:
    explicit TWinControl(TWinControl* parent);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }
    // The window, made now if it does not exist (with the parent's first).
    HWND Handle();
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    // The control bound to a window of ours, or null.
    static TWinControl* FromHandle(HWND hwnd);
    // Destroys the window and makes it again in place: text, bounds,
    // children and the focus stay.
    void RecreateWnd();

    const std::vector<TControl*>& Controls() const { return children_; }
    // Delivers the notice to every child until one handles it.
    bool Broadcast(const TNotice& notice);
    // The enabled, visible windowless child at a client point, topmost first.
    TControl* ControlAtPos(POINT client, bool allowDisabled) const;

    RECT ClientRect() const override;
    SIZE FrameSize() const override;
    // The control and every control inside it laid out for `ppi`, all
    // from their 96-dpi bounds; aligned children are aligned again.
    void ChangeScale(int ppi) override;
    // The area aligned children share (a page control's display area).
    virtual RECT AlignRect() const { return ClientRect(); }
    void AlignControls();
    // This control as the parent of others, for their TControl part.
    IControlParent* AsParent() { return &parentLink_; }

    POINT ClientToScreen(POINT p) const override;
    POINT ScreenToClient(POINT p) const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void Invalidate() override;
    void Update() override;
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Position among the parent's windowed children for the Tab key (not the
    // z-order). Setting moves the control there; while loading the value is
    // kept and the order is fixed when loading ends.
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value);
    // The windowed children in tab order.
    std::vector<TWinControl*> TabOrderedChildren() const;

    bool Focused() const;
    virtual void SetFocus();
    // Visible and enabled with every ancestor.
    bool CanFocus() const;
    // Enter clicks the focused control itself when it is a push button.
    virtual bool IsPushButton() const { return false; }
    // A key went down in this control or in one inside it, before the
    // focused control sees it: true when taken (a page control's Ctrl+Tab).
    virtual bool ChildKey(WORD /*key*/, unsigned /*shift*/) { return false; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    // The focus arrived in (left) this control or a descendant; the form
    // sends exits first, innermost first, then enters, outermost first.
    virtual void DoEnter();
    virtual void DoExit();

    // Paints the control and its windowless children into `canvas` as the
    // window would show them (off-screen rendering, parent backgrounds). A
    // native control prints through WM_PRINT, its own frame included.
    void PaintTo(TCanvas& canvas);

    void ColorChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;

protected:
    friend class TControl;
    friend class TForm;
    // Fills the creation parameters. Call the base first. No side effects:
    // it also answers size questions before the window exists.
    virtual void CreateParams(TCreateParams& params);
    // The window exists (font set), its children not yet.
    virtual void HandleCreated() {}
    // The ppi a window without a parent starts at: the system's.
    virtual int NewWindowPpi() const { return WindowPpi(nullptr); }
    // The scale change of ChangeScale; a window without a parent takes
    // `outer` (screen coordinates) as its new bounds when given.
    void ScaleTree(int ppi, const RECT* outer);
    // A window without a parent keeps its client size across scales.
    bool ScalesClientSize() const override { return Parent() == nullptr; }
    void ApplyScaledBounds() override;
    // One handler for every message; returns the message result.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    // The system's handling: the kept procedure of a superclass, else DefWindowProcW.
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // A notification of this control that its parent received (WM_COMMAND,
    // WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*; `msg` is the
    // parent's message). True when handled, with the message result.
    virtual bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // The window keeps the text (every superclassed control): Caption()
    // reads it from there while the window exists.
    virtual bool WindowOwnsText() const { return keptProc_ != nullptr; }
    bool Superclassed() const { return keptProc_ != nullptr; }
    // Background of the window; forms and panels fill with their colour.
    virtual void EraseBackground(TCanvas& canvas);
    virtual void PaintWindow(TCanvas&) {}
    virtual void FocusReceived() {}
    virtual void FocusLost() {}
    // Key handlers: true when the key was handled (not passed on).
    virtual bool KeyDown(WORD /*key*/, unsigned /*shift*/) { return false; }
    virtual bool KeyUp(WORD /*key*/, unsigned /*shift*/) { return false; }
    virtual bool KeyPress(wchar_t& /*key*/) { return false; }
    // WM_GETDLGCODE: `original` is the system's answer.
    virtual UINT DialogCode(UINT original) { return original; }
    void DestroyHandle();
    void Resize() override;

private:
    // Takes children in (a member, not a base: one more base would cost every
    // windowed class a second table).
    class TParentLink final : public IControlParent {
    public:
        explicit TParentLink(TWinControl& owner) : owner_(owner) {}
        void InsertControl(TControl& child) override { owner_.InsertControl(child); }
        void RemoveControl(TControl& child) override { owner_.RemoveControl(child); }
        void AlignControls() override { owner_.AlignControls(); }

    private:
        TWinControl& owner_;
    };

    void InsertControl(TControl& child);
    void RemoveControl(TControl& child);
    void CreateHandle();
    void CreateMissingChildren();
    void FollowParentScale(TControl& child);
    void PlaceInZOrder();
    void SyncBoundsFromWindow();
    void RenumberTabOrder(TWinControl* moved, int position);
    void SendSysColorChange();
    bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    LRESULT SetCursorMessage(WPARAM wp, LPARAM lp);
    void PaintControls(TCanvas& canvas, const RECT* clip);
    LRESULT MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
    void RouteMouse(TControl* target, UINT msg, WPARAM wp, LPARAM lp);
    TControl* MouseTarget(POINT client) const;
    void TrackMouse(TControl* target);
    void MouseLeft();
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    WNDPROC keptProc_ = nullptr; // the system class's procedure of a superclass
    std::vector<TControl*> children_;
    TControl* captureControl_ = nullptr; // windowless child holding the capture
    SIZE clientSize_{-1, -1}; // at the last WM_WINDOWPOSCHANGED
    int controlId_ = 0;
    int nextChildId_ = 100;
    int tabOrder_ = 0;
    bool tabStop_ = false;
    bool trackingLeave_ = false;
    bool childWindowsPending_ = false;
    bool aligning_ = false;
    TParentLink parentLink_{*this};
};

} // namespace quillon
