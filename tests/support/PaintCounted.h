#pragma once
// A control that counts its paints, so a leak test knows that painting
// happened at all (a window that is not on screen would pass without it).
#include "framework/Graphics.h"

namespace quillon::test {

template <class Control>
class TPaintCounted : public Control {
public:
    using Control::Control;
    int paints = 0;
    void Paint(TCanvas& canvas) override
    {
        ++paints;
        Control::Paint(canvas);
    }
};

} // namespace quillon::test
