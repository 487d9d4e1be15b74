#pragma once
// Stand-in main window until the real dialog exists: it runs the real load of
// the fourteen settings and lists them with their state and editor texts.
#include "framework/Forms.h"
#include "tweaks/TweakModel.h"

namespace quillon {

class TPlaceholderWindow : public TForm {
public:
    TPlaceholderWindow();

protected:
    void PaintWindow(TCanvas& canvas) override;

private:
    TTweakModel model_;
};

} // namespace quillon
