#pragma once
// TEdgeButton: the standard push button with a look of its own. The system
// button is created owner-drawn and keeps all its behaviour (mouse, Space,
// Enter and Escape through the form, tab stop); the paint draws a flat face
// with a one-pixel raised edge, two pixels while the pointer is over it, a
// sunken edge while pressed and an outline while Enter would press it.
#include "framework/Buttons.h"

#include <memory>
#include <string>

namespace quillon {

// What one paint of an edge button draws from.
struct TEdgeLook {
    bool active = false;   // Enter would press it: the outline
    bool focused = false;  // the outline too; with `active` the focus rectangle
    bool pressed = false;  // sunken edge, caption moved by (1, 1)
    bool hot = false;      // the pointer is inside: two-pixel edge
    bool embossed = false; // disabled: a grey caption with a light echo
};

// Draws the button's picture on `client` (the whole button).
void PaintEdgeButton(TCanvas& canvas, RECT client, const TEdgeLook& look, const std::string& caption,
                     const TFont& font);

class TEdgeButton : public TButton {
public:
    explicit TEdgeButton(TWinControl* parent);
    ~TEdgeButton() override;

    bool ActiveLook() const { return activeLook_; }
    // Where the pointer was at the last paint.
    bool MouseInside() const { return mouseInside_; }
    // Bound to the paint request's device context during a paint only.
    const TCanvas& ButtonCanvas() const { return *buttonCanvas_; }

    // Enter would now press this button (or no longer): repaints at once,
    // never switching the system button's default style.
    void SetButtonActive(bool active) override;
    void FontChanged() override;
    void EnabledChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    // Never sent to a button by the system; answered with the bounds.
    bool MeasureItem(MEASUREITEMSTRUCT& item) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void PaintButton(HDC dc, UINT itemState);

    std::unique_ptr<TCanvas> buttonCanvas_;
    bool activeLook_ = false;
    bool mouseInside_ = false;
};

} // namespace quillon
