// The gallery's page of standard controls: a page control with two pages of
// check boxes, labels, edits, images and bevels, push buttons below it, and
// hints on every control.
#include "framework/Bevel.h"
#include "framework/Buttons.h"
#include "framework/Edit.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Pages.h"
#include "gallery/GalleryPages.h"

#include <memory>
#include <vector>

using namespace quillon;

namespace {

// A round picture on a fuchsia background (its transparent colour).
void DrawBadge(TBitmap& picture, int size)
{
    picture.SetSize(size, size);
    picture.Fill(clFuchsia);
    const int c = size / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int dx = x - c, dy = y - c;
            if (dx * dx + dy * dy > (c - 2) * (c - 2))
                continue;
            const int shade = 255 - (x + y) * 160 / (2 * size);
            picture.SetPixel(x, y, static_cast<TColor>((shade << 16) | ((shade * 3 / 4) << 8) | 0x30));
        }
}

class TStandardGallery : public TForm {
public:
    TStandardGallery()
    {
        SetClientSize(500, 330);
        Position = TPosition::poScreenCenter;
        ShowHint = true;
        pages_.SetBounds(8, 8, 484, 276);
        pages_.SetHotTrack(true);
        general_.SetCaption("General");
        pictures_.SetCaption("Pictures");
        GeneralPage();
        PicturesPage();
        Buttons();
    }

private:
    template <class T, class... Args>
    T& Add(Args&&... args)
    {
        owned_.push_back(std::make_unique<T>(std::forward<Args>(args)...));
        return static_cast<T&>(*owned_.back());
    }

    TLabel& Text(TWinControl* parent, int x, int y, int w, int h, const std::string& caption)
    {
        auto& label = Add<TLabel>(parent);
        label.SetBounds(x, y, w, h);
        label.SetCaption(caption);
        return label;
    }

    void Check(int y, const std::string& caption, bool checked, bool enabled, const std::string& hint)
    {
        auto& box = Add<TCheckBox>(&general_);
        box.SetBounds(10, y, 200, 17);
        box.SetCaption(caption);
        box.SetChecked(checked);
        box.SetEnabled(enabled);
        box.Hint = hint;
    }

    TEdit& Edit(int y, const std::string& text, const std::string& hint)
    {
        auto& edit = Add<TEdit>(&general_);
        edit.SetBounds(10, y, 200, 21);
        edit.SetText(text);
        edit.Hint = hint;
        return edit;
    }

    void GeneralPage()
    {
        Check(12, "Auto palette &select", true, true, "Checked");
        Check(32, "Auto palette scroll", false, true, "Unchecked");
        Check(52, "Disabled and checked", true, false, "Disabled check boxes show their hint too");
        Text(&general_, 10, 80, 200, 13, "&Template folder:").SetFocusControl(&Edit(95, "C:\\Templates", "An edit"));
        auto& readOnly = Edit(122, "read-only text", "Read-only, face-coloured");
        readOnly.SetReadOnly(true);
        readOnly.SetColor(clBtnFace);
        Edit(149, "disabled edit", "A disabled edit").SetEnabled(false);
        auto& multi = Text(&general_, 10, 180, 200, 40, "Two lines of text\r\nin one label");
        multi.Hint = "A multi-line label";
        auto& link = Text(&general_, 10, 220, 120, 13, "www.example.org");
        TFont linkFont = link.Font();
        linkFont.color = clBlue;
        linkFont.underline = true;
        link.SetFont(linkFont);
        link.SetCursor(TCursor::crHandPoint);
        link.Hint = "Wanna visit my site?";
        link.ShowHint = true;
        Text(&general_, 240, 12, 200, 13, "Right-aligned label").SetAlignment(TAlignment::taRightJustify);
        Text(&general_, 240, 32, 200, 13, "Disabled label").SetEnabled(false);
        auto& badge = Add<TImage>(&general_);
        badge.SetBounds(240, 60, 88, 60);
        TBitmap picture;
        DrawBadge(picture, 49);
        badge.SetPicture(picture);
        badge.SetCenter(true);
        badge.SetTransparent(true);
        badge.SetCursor(TCursor::crHandPoint);
        badge.Hint = "Click me !!!";
        Text(&general_, 340, 82, 110, 13, "centred, transparent");
        Text(&general_, 240, 130, 100, 13, "Special Thanx");
        auto& line = Add<TBevel>(&general_);
        line.SetBounds(320, 128, 140, 11);
        line.SetShape(TBevelShape::bsBottomLine);
        auto& push = Add<TButton>(&general_);
        push.SetBounds(240, 160, 90, 25);
        push.SetCaption("&Push me");
        push.Hint = "A push button on a page";
    }

    void PicturesPage()
    {
        const struct {
            TBevelShape shape;
            TBevelStyle style;
            const char* name;
        } bevels[] = {
            {TBevelShape::bsBox, TBevelStyle::bsLowered, "box, lowered"},
            {TBevelShape::bsBox, TBevelStyle::bsRaised, "box, raised"},
            {TBevelShape::bsFrame, TBevelStyle::bsLowered, "frame, lowered"},
            {TBevelShape::bsFrame, TBevelStyle::bsRaised, "frame, raised"},
            {TBevelShape::bsTopLine, TBevelStyle::bsLowered, "top line"},
            {TBevelShape::bsBottomLine, TBevelStyle::bsLowered, "bottom line"},
        };
        for (int i = 0; i < 6; ++i) {
            auto& bevel = Add<TBevel>(&pictures_);
            bevel.SetBounds(10 + (i % 3) * 150, 12 + (i / 3) * 70, 130, 40);
            bevel.SetShape(bevels[i].shape);
            bevel.SetStyle(bevels[i].style);
            Text(&pictures_, 10 + (i % 3) * 150, 56 + (i / 3) * 70, 130, 13, bevels[i].name);
        }
        TBitmap picture;
        DrawBadge(picture, 49);
        auto& opaque = Add<TImage>(&pictures_);
        opaque.SetBounds(10, 160, 49, 49);
        opaque.SetPicture(picture);
        opaque.Hint = "Opaque";
        auto& sized = Add<TImage>(&pictures_);
        sized.SetBounds(80, 160, 10, 10);
        sized.SetAutoSize(true);
        sized.SetTransparent(true);
        sized.SetPicture(picture);
        sized.Hint = "Sized to its picture, transparent";
    }

    void Buttons()
    {
        const char* captions[] = {"Ok", "Cancel", "&Apply"};
        for (int i = 0; i < 3; ++i) {
            auto& b = Add<TButton>(this);
            b.SetBounds(254 + 80 * i, 294, 75, 23);
            b.SetCaption(captions[i]);
            b.Hint = captions[i];
            if (i == 0) {
                b.SetDefault(true);
                b.ModalResult = mrOk;
            }
            if (i == 1)
                b.SetCancel(true);
            if (i == 2)
                b.SetEnabled(false);
        }
        auto& status = Add<TLabel>(this);
        status.SetBounds(8, 298, 230, 13);
        status.SetCaption("Hints on; Ctrl+Tab switches pages");
    }

    TPageControl pages_{this};
    TTabSheet general_{&pages_};
    TTabSheet pictures_{&pages_};
    std::vector<std::unique_ptr<TControl>> owned_;
};

const gallery::TGalleryPage page("standard",
                                 [] { return std::unique_ptr<TForm>(std::make_unique<TStandardGallery>()); });

} // namespace
