// The gallery's page of the edge button and the flat edit: the live controls
// as the main window uses them, and every look of each, labelled.
#include "controls/edit/EdgeButton.h"
#include "controls/edit/FlatEdit.h"
#include "gallery/GalleryPages.h"

#include <memory>
#include <utility>
#include <vector>

using namespace quillon;

namespace {

// One look of the edge button, drawn by the button's own paint routine.
class TEdgeLookSample : public TGraphicControl {
public:
    TEdgeLookSample(TWinControl* parent, const TEdgeLook& look) : TGraphicControl(parent), look_(look)
    {
        SetParentFont(true);
    }
    void Paint(TCanvas& canvas) override { PaintEdgeButton(canvas, ClientRect(), look_, Caption(), ScaledFont()); }

private:
    TEdgeLook look_;
};

// A plain coloured area that holds controls.
class TBand : public TCustomControl {
public:
    explicit TBand(TWinControl* parent) : TCustomControl(parent)
    {
        SetControlStyle(ControlStyle() | csAcceptsControls);
    }
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Color()); }
};

class TEditGallery : public TForm {
public:
    TEditGallery()
    {
        SetClientSize(560, 330);
        Position = TPosition::poScreenCenter;

        Note(10, 8, "Edge buttons as the main window has them (Ok default, Apply disabled; the focus is in an edit)");
        auto& ok = Add<TEdgeButton>(this);
        ok.SetBounds(10, 28, 75, 23);
        ok.SetCaption("Ok");
        ok.SetDefault(true);
        auto& cancel = Add<TEdgeButton>(this);
        cancel.SetBounds(91, 28, 75, 23);
        cancel.SetCaption("Cancel");
        cancel.SetCancel(true);
        auto& apply = Add<TEdgeButton>(this);
        apply.SetBounds(172, 28, 75, 23);
        apply.SetCaption("&Apply");
        apply.SetEnabled(false);
        auto& about = Add<TEdgeButton>(this);
        about.SetBounds(253, 28, 74, 20);
        about.SetCaption("About ...");

        Note(10, 64, "Every look of the edge button, drawn by its paint routine");
        struct Sample {
            const char* name;
            TEdgeLook look;
        };
        const Sample samples[] = {
            {"rest", {}},
            {"pointer over it", {.hot = true}},
            {"pressed", {.active = true, .focused = true, .pressed = true}},
            {"default (active)", {.active = true}},
            {"active, pointer over", {.active = true, .hot = true}},
            {"active and focused", {.active = true, .focused = true}},
            {"disabled", {.embossed = true}},
            {"disabled, pointer over", {.hot = true, .embossed = true}},
        };
        for (int i = 0; i < 8; ++i) {
            const int x = 10 + (i % 4) * 135, y = 84 + (i / 4) * 48;
            auto& sample = Add<TEdgeLookSample>(this, samples[i].look);
            sample.SetBounds(x, y, 75, 23);
            sample.SetCaption(i >= 6 ? "&Apply" : "Cancel");
            Note(x, y + 25, 130, samples[i].name);
        }

        Note(10, 192, "Flat edits: idle, disabled, focused (the pointer-over look is the same), a 20-pixel font");
        auto& idle = Add<TFlatEdit>(this);
        idle.SetBounds(10, 212, 60, 19);
        idle.SetText("50");
        auto& disabled = Add<TFlatEdit>(this);
        disabled.SetBounds(110, 212, 60, 19);
        disabled.SetText("50");
        disabled.SetEnabled(false);
        auto& focused = Add<TFlatEdit>(this);
        focused.SetBounds(210, 212, 60, 19);
        focused.SetText("50");
        auto& big = Add<TFlatEdit>(this);
        big.SetBounds(310, 212, 120, 19);
        TFont font = big.Font();
        font.height = 20;
        big.SetFont(font);
        big.SetText("26 pixels");
        Note(10, 236, 90, "idle");
        Note(110, 236, 90, "disabled");
        Note(210, 236, 90, "focused");
        Note(310, 242, 200, "text height 20: 26 high");

        Note(10, 268, "On white: the frame's two outer rings are button-face, the inner one window-coloured");
        white_.SetBounds(10, 286, 300, 34);
        white_.SetColor(clWhite);
        auto& onWhite = Add<TFlatEdit>(&white_);
        onWhite.SetBounds(8, 8, 80, 19);
        onWhite.SetText("50");

        SetActiveControl(&focused);
    }

private:
    template <class T, class... Args>
    T& Add(TWinControl* parent, Args&&... args)
    {
        owned_.push_back(std::make_unique<T>(parent, std::forward<Args>(args)...));
        return static_cast<T&>(*owned_.back());
    }
    void Note(int x, int y, const std::string& text) { Note(x, y, 540, text); }
    void Note(int x, int y, int width, const std::string& text)
    {
        owned_.push_back(std::make_unique<gallery::TCaptionLabel>(this, x, y, width, text));
    }

    TBand white_{this};
    std::vector<std::unique_ptr<TControl>> owned_;
};

const gallery::TGalleryPage page("edit", [] { return std::unique_ptr<TForm>(std::make_unique<TEditGallery>()); });

} // namespace
