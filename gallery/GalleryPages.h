#pragma once
// The control gallery shows one page per family of controls, each a form of
// its own, chosen by name on the command line (scripts/test shows each in
// turn and saves build/screenshots/gallery-<name>.png). A page registers
// itself from its own file.
#include "framework/Forms.h"
#include "framework/GraphicControl.h"

#include <memory>
#include <string>

namespace quillon::gallery {

using TPageFactory = std::unique_ptr<TForm> (*)();

struct TGalleryPage {
    TGalleryPage(const char* name, TPageFactory make);
};

// One line of text naming what a page shows next to it.
class TCaptionLabel : public TGraphicControl {
public:
    TCaptionLabel(TWinControl* parent, int x, int y, int width, const std::string& text) : TGraphicControl(parent)
    {
        SetParentFont(true);
        SetCaption(text);
        SetBounds(x, y, width, 14);
    }
    void Paint(TCanvas& canvas) override
    {
        canvas.SetFont(ScaledFont());
        canvas.DrawText(Caption(), ClientRect(), DT_SINGLELINE | DT_NOPREFIX, Font().color);
    }
};

} // namespace quillon::gallery
