#pragma once
// TFlatEdit: the standard single-line edit without the system's 3-D border.
// It keeps a three-pixel frame of its own in the non-client area: flat (two
// face-coloured rings and a window-coloured one, so the text seems to float
// on the form) while idle, thinly sunken while focused or while the pointer
// is over it. Its height follows its font; its background its enabled state.
#include "framework/Edit.h"

#include <string>
#include <vector>

namespace quillon {

// A class that counts as a flat-style control: true for an instance of it or
// of a class derived from it.
using TFlatControlClass = bool (*)(const TControl&);

template <class T>
bool IsInstanceOf(const TControl& control)
{
    return dynamic_cast<const T*>(&control) != nullptr;
}

// The flat-style classes, or null while none is registered (the list exists
// from the first registration until the last class is removed).
const std::vector<TFlatControlClass>* FlatControlClasses();
void AddFlatControlClass(TFlatControlClass isInstance);
void RemoveFlatControlClass(TFlatControlClass isInstance);
// Whether the control is of a flat-style class (false for none).
bool IsFlatControl(const TControl* control);

class TFlatEdit : public TCustomEdit {
public:
    explicit TFlatEdit(TWinControl* parent);
    ~TFlatEdit() override;

    // Live flat edits.
    static int InstanceCount();

    std::string Version() const { return "FlatEdit version 1.76"; }
    // Kept for stored forms: the version is the code's, so a write changes nothing.
    void SetVersion(const std::string&) {}

    // Between a mouse-enter and the next mouse-leave.
    bool MouseOver() const { return mouseOver_; }
    // Focused, or the pointer is over it while the focused control of the
    // active form is no flat-style control: the sunken frame.
    bool Hot() const;

    void Loaded() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void FocusReceived() override;
    void FocusLost() override;
    void ScaleChanged() override;

private:
    // Height: the font's text height and the frame, 3 pixels (at 96 dpi)
    // above and below.
    void AdjustHeight();
    // The frame into the window's own frame, clipped to an update region in
    // screen coordinates (0 or 1: the whole frame).
    void DrawFlatBorder(HRGN updateRegion);
    // The frame into a given device, window coordinates.
    void PrintFlatBorder(HDC dc);
    LRESULT Print(HDC dc, LPARAM flags);
    // The frame's width at the control's ppi.
    int FrameRings() const;

    bool mouseOver_ = false;
};

} // namespace quillon
