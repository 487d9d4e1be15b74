#pragma once
// TQnEditButton: the small button inside a choice edit's right border. Not
// a window: the edit feeds it mouse events in window coordinates and asks it
// to paint; it composes its face off-screen and copies it in one step.
#include "controls/choice/EditButtonLogic.h"
#include "framework/GdiObjects.h"

#include <functional>
#include <string>

namespace quillon {

class TQnEditButton {
public:
    TQnEditButton();

    // Bounds in the edit's window coordinates.
    int Left = 0, Top = 2, Width = 0, Height = 0;
    RECT BoundsRect() const { return RECT{Left, Top, Left + Width, Top + Height}; }
    bool Contains(POINT window) const;

    TColor FaceColor = clBtnFace;
    TButtonDrawStyle DrawStyle = TButtonDrawStyle::bdsNormal;
    // For changing the glyph: the next LoadGlyph loads again.
    TBitmap& Glyph()
    {
        loadedResource_.clear();
        zoomed_.Clear();
        return glyph_;
    }
    const TBitmap& Glyph() const { return glyph_; }
    // Copies a picture in, transparent by its bottom-left pixel.
    void SetGlyph(const TBitmap& glyph);
    // Does nothing when that picture is already the glyph.
    void LoadGlyph(const std::string& resourceName);
    std::string Caption; // not drawn while empty
    // The whole multiple the glyph is drawn at (the display's scale).
    int GlyphZoom = 1;

    TEditButtonState EditButtonState() const { return machine_.EditButtonState; }
    bool PressStarted() const { return machine_.PressStarted; }
    TEventStyle ButtonStyle() const { return machine_.ButtonStyle; }
    void SetButtonStyle(TEventStyle style) { machine_.ButtonStyle = style; }
    bool EditHot = false;
    bool ButtonEnabled = true;

    // A mouse event at a window point: the state changes (the owner repaints)
    // and a click may follow (the owner runs OnClick).
    EditButtonStep Mouse(TButtonMouse event, POINT window, bool leftHeld, bool dropped = false);
    // Back up, no press under way; true when the state changed.
    bool Reset() { return machine_.Reset(); }
    // Forces the state (a drop-down keeps its button down while open).
    void SetState(TEditButtonState state) { machine_.EditButtonState = state; }

    // The owning edit's ButtonClick.
    std::function<void()> OnClick;

    // The face as the edit shows it, drawn at (Left, Top) of `windowCanvas`.
    void Paint(TCanvas& windowCanvas);

private:
    // The glyph as drawn: magnified by GlyphZoom.
    const TBitmap& ShownGlyph();

    TBitmap glyph_;
    TBitmap zoomed_; // empty until needed, and after the glyph changed
    std::string loadedResource_; // the picture glyph_ holds, if loaded as is
    EditButtonStateMachine machine_;
    TPaintBuffer face_;
    TBitmap greyed_; // the disabled glyph
};

} // namespace quillon
