// The gallery's page of flat controls: every look side by side on a
// button-face and on a white background, labelled.
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatPanel.h"
#include "controls/flat/FlatSpeedButton.h"
#include "gallery/GalleryPages.h"

#include <memory>
#include <vector>

using namespace quillon;

namespace {

// Shows a fixed state, as the pointer or a press would.
template <class Button>
class TShown : public Button {
public:
    using Button::Button;
    void ShowAs(bool hot, TFlatButtonState state)
    {
        this->SetHot(hot);
        this->SetButtonState(state);
        this->Invalidate();
    }
};

class TGallery : public TForm {
public:
    TGallery()
    {
        SetClientSize(760, 420);
        Position = TPosition::poScreenCenter;
        white_.SetBounds(380, 0, 380, 420);
        white_.SetColor(clWhite);
        white_.SetColorHighLight(clWhite);
        white_.SetColorShadow(clWhite);
        for (TWinControl* side : {static_cast<TWinControl*>(this), static_cast<TWinControl*>(&white_)}) {
            const bool onWhite = side != this;
            Label(side, 10, 6, onWhite ? "On white" : "On button face");
            FontButtons(side);
            SpeedButtons(side);
            OtherLooks(side);
        }
        Label(this, 10, 286, "Title panel 358 x 55 (a plain white band) and default panel 185 x 41");
        auto& title = Add<TFlatPanel>(this);
        title.SetBounds(10, 304, 358, 55);
        title.SetColor(clWhite);
        title.SetColorHighLight(clWhite);
        title.SetColorShadow(clWhite);
        auto& plain = Add<TFlatPanel>(this);
        plain.SetBounds(10, 366, 185, 41);
        auto& disabled = Add<TFlatPanel>(this);
        disabled.SetBounds(205, 366, 163, 41);
        disabled.SetCaption("Disabled caption");
        disabled.SetEnabled(false);
        AdvancedColours();
    }

private:
    template <class T>
    T& Add(TWinControl* parent)
    {
        owned_.push_back(std::make_unique<T>(parent));
        return static_cast<T&>(*owned_.back());
    }

    void Label(TWinControl* parent, int x, int y, const std::string& text)
    {
        owned_.push_back(std::make_unique<gallery::TCaptionLabel>(parent, x, y, 360, text));
    }

    void FontButtons(TWinControl* side)
    {
        Label(side, 10, 24, "Font button 18 x 18, border 0x00555E66");
        const char* names[] = {"disabled", "enabled", "hot", "held"};
        for (int i = 0; i < 4; ++i) {
            auto& b = Add<TShown<TFlatButton>>(side);
            b.SetBounds(20 + 80 * i, 42, 18, 18);
            b.SetCaption("...");
            b.SetColorBorder(0x00555E66);
            if (i == 0)
                b.SetEnabled(false);
            if (i == 2)
                b.ShowAs(true, TFlatButtonState::fbsUp);
            if (i == 3)
                b.ShowAs(false, TFlatButtonState::fbsDown);
            Label(side, 10 + 80 * i, 64, names[i]);
        }
    }

    void SpeedButtons(TWinControl* side)
    {
        Label(side, 10, 88, "Save / Don't Save speed buttons 75 x 21");
        const char* rows[] = {"rest", "hot", "held"};
        for (int row = 0; row < 3; ++row) {
            const int y = 106 + 28 * row;
            for (int col = 0; col < 2; ++col) {
                auto& b = Add<TShown<TFlatSpeedButton>>(side);
                b.SetBounds(20 + 85 * col, y, 75, 21);
                b.SetCaption(col == 0 ? "Save" : "Don't Save");
                if (row == 1)
                    b.ShowAs(true, TFlatButtonState::fbsUp);
                if (row == 2)
                    b.ShowAs(false, TFlatButtonState::fbsDown);
            }
            Label(side, 200, y + 4, rows[row]);
        }
    }

    void OtherLooks(TWinControl* side)
    {
        Label(side, 10, 194, "Default ring, disabled glyph, transparent speed button");
        auto& def = Add<TFlatButton>(side);
        def.SetBounds(20, 212, 75, 23);
        def.SetCaption("Default");
        def.SetDefault(true);

        TBitmap glyph(16, 16);
        glyph.Fill(clFuchsia);
        glyph.Canvas().FillRect(RECT{3, 7, 13, 9}, clBlack);
        glyph.Canvas().FillRect(RECT{7, 3, 9, 13}, clBlack);
        auto& g = Add<TFlatButton>(side);
        g.SetBounds(105, 212, 75, 46);
        g.SetCaption("Glyph");
        g.SetGlyph(&glyph);
        g.SetEnabled(false);

        auto& t = Add<TFlatSpeedButton>(side);
        t.SetBounds(190, 212, 75, 21);
        t.SetCaption("Clear");
        t.SetTransparentMode(TTransparentMode::tmAlways);
    }

    // UseAdvColors takes the parent's colour and derives the hot, held and
    // border colours from it through the HSL arithmetic: one row per face.
    void AdvancedColours()
    {
        Label(&white_, 10, 286, "Advanced colours: rest, hot, held");
        const TColor faces[] = {0x00E1EAEB, 0x008396A0};
        for (int row = 0; row < 2; ++row) {
            auto& band = Add<TFlatPanel>(&white_);
            band.SetBounds(10, 304 + 52 * row, 358, 45);
            band.SetColor(faces[row]);
            for (int col = 0; col < 3; ++col) {
                auto& b = Add<TShown<TFlatButton>>(&band);
                b.SetBounds(10 + 85 * col, 11, 75, 23);
                b.SetCaption(col == 0 ? "rest" : col == 1 ? "hot" : "held");
                b.SetUseAdvColors(true);
                if (col == 1)
                    b.ShowAs(true, TFlatButtonState::fbsUp);
                if (col == 2)
                    b.ShowAs(false, TFlatButtonState::fbsDown);
            }
            Label(&band, 270, 15, row == 0 ? "0x00E1EAEB" : "0x008396A0");
        }
    }

    TFlatPanel white_{this};
    std::vector<std::unique_ptr<TControl>> owned_;
};

const gallery::TGalleryPage page("flat", [] { return std::unique_ptr<TForm>(std::make_unique<TGallery>()); });

} // namespace
