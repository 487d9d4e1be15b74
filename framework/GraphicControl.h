#pragma once
// TCustomControl: a window that paints itself through a virtual Paint.
// TGraphicControl: a control without a window; its parent paints it and
// routes the mouse to it by hit test.
#include "framework/WinControl.h"

namespace quillon {

class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void Paint(TCanvas& canvas) override = 0;
    void PaintWindow(TCanvas& canvas) override { Paint(canvas); }
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TWinControl* parent) : TControl(parent ? parent->AsParent() : nullptr) {}
    ~TGraphicControl() override { InvalidateArea(); } // the parent repaints where it was

    void Invalidate() override;
    void Update() override;
    void Paint(TCanvas& canvas) override = 0;

protected:
    void BoundsChanged() override { InvalidateArea(); }
    void VisibleChanged() override { InvalidateArea(); }

private:
    void InvalidateArea();
};

} // namespace quillon
