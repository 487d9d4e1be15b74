// The gallery's page of gradient caption labels: the program's about strip,
// the default label and the looks its settings make, labelled.
#include "controls/label/GradientCaptionLabel.h"
#include "gallery/GalleryPages.h"

#include <cstdlib>
#include <memory>
#include <vector>

using namespace quillon;

namespace {

// A 16 x 16 diamond on fuchsia (the transparent bottom-left colour).
void MakeDiamond(TBitmap& out, TColor edge, TColor inside)
{
    out.SetSize(16, 16);
    out.Fill(clFuchsia);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int d = std::abs(2 * x - 15) + std::abs(2 * y - 15);
            if (d <= 14)
                out.SetPixel(x, y, d <= 8 ? inside : edge);
        }
}

class TLabelGallery : public TForm {
public:
    TLabelGallery()
    {
        SetClientSize(760, 310);
        Position = TPosition::poScreenCenter;
        TBitmap diamond;
        MakeDiamond(diamond, 0x00800000, 0x00FFCC66);
        TFont bold = Font();
        bold.bold = true;

        Note(10, 6, "About strip 358 x 5: 255 steps from 13612943 to 10053171, no bevel");
        auto& about = Add(10, 24, 358, 5);
        about.SetBevelOuter(TBevelCut::bvNone);
        about.Gradient().SetColorSteps(255);
        about.Gradient().SetStartColor(13612943);
        about.Gradient().SetEndColor(10053171);

        Note(10, 40, "A new label 289 x 24: 16 grey bands, dithered, raised bevel");
        Add(10, 58, 289, 24);

        Note(10, 92, "Caption, sub-caption and glyph at the left");
        auto& full = Add(10, 110, 358, 24);
        full.SetCaption("Gradient caption");
        full.SetFont(bold);
        full.SubCaption().SetCaption("sub-caption");
        full.Glyph().SetBitmap(&diamond);

        Note(10, 144, "Glyph at the right, top layout, gsRight, light red to light blue");
        auto& right = Add(10, 162, 358, 30);
        right.SetCaption("&Right-hand glyph");
        right.SubCaption().SetCaption("v1.05e");
        right.Glyph().SetBitmap(&diamond);
        right.Glyph().SetDisplayAlign(TDisplayAlign::daRight);
        right.SetLayout(TTextLayout::tlTop);
        right.Gradient().SetStyle(TGradientStyle::gsRight);
        right.Gradient().SetStartColor(0x8080FF);
        right.Gradient().SetEndColor(0xFF9090);

        Note(10, 202, "Disabled: embossed texts, grey glyph");
        auto& disabled = Add(10, 220, 358, 24);
        disabled.SetCaption("Disabled caption");
        disabled.SubCaption().SetCaption("sub");
        disabled.Glyph().SetBitmap(&diamond);
        disabled.SetEnabled(false);

        Note(10, 254, "Caption wider than its room ends in an ellipsis");
        auto& narrow = Add(10, 272, 180, 24);
        narrow.SetCaption("A caption far too long for this label");
        narrow.SubCaption().SetCaption("sub");

        Note(390, 6, "Plain colour: lowered outer, raised inner, border 2");
        auto& plain = Add(390, 24, 358, 34);
        plain.Gradient().SetEnabled(false);
        plain.SetColor(0x00E1EAEB);
        plain.SetBevelOuter(TBevelCut::bvLowered);
        plain.SetBevelInner(TBevelCut::bvRaised);
        plain.SetBorderWidth(2);
        plain.SetCaption("Plain, framed");

        Note(390, 68, "Title-bar look: raised twice, four bound lines (gsTop)");
        auto& title = Add(390, 86, 358, 40);
        title.SetBevelInner(TBevelCut::bvRaised);
        title.SetBoundLines(blLeft | blTop | blRight | blBottom);
        title.Gradient().SetStyle(TGradientStyle::gsTop);
        title.Gradient().SetStartColor(0x00A05000);
        title.Gradient().SetEndColor(0x00F0C080);
        title.SetCaption("Emulated caption");
        title.SetFont(bold);
        title.Glyph().SetBitmap(&diamond);
        title.SubCaption().SetCaption("close: double-click the glyph");

        Note(390, 136, "gsBottom, 4 steps, not dithered, bottom layout");
        auto& bottom = Add(390, 154, 358, 40);
        bottom.Gradient().SetStyle(TGradientStyle::gsBottom);
        bottom.Gradient().SetColorSteps(4);
        bottom.Gradient().SetDithered(false);
        bottom.SetLayout(TTextLayout::tlBottom);
        bottom.SetCaption("Bottom layout");
        bottom.SubCaption().SetCaption("sub");

        Note(390, 204, "Single border: sunken client edge (Ctl3D), then plain");
        auto& sunken = Add(390, 222, 170, 24);
        sunken.SetBorderStyle(TBorderStyle::bsSingle);
        sunken.SetCaption("Ctl3D");
        auto& flat = Add(578, 222, 170, 24);
        flat.SetBorderStyle(TBorderStyle::bsSingle);
        flat.SetCtl3D(false);
        flat.SetCaption("Plain border");
    }

private:
    TGradientCaptionLabel& Add(int x, int y, int w, int h)
    {
        auto label = std::make_unique<TGradientCaptionLabel>(this);
        label->SetBounds(x, y, w, h);
        owned_.push_back(std::move(label));
        return static_cast<TGradientCaptionLabel&>(*owned_.back());
    }

    void Note(int x, int y, const std::string& text) { owned_.push_back(std::make_unique<gallery::TCaptionLabel>(this, x, y, 370, text)); }

    std::vector<std::unique_ptr<TControl>> owned_;
};

const gallery::TGalleryPage page("label", [] { return std::unique_ptr<TForm>(std::make_unique<TLabelGallery>()); });

} // namespace
