#include "controls/choice/EditButton.h"

#include "controls/choice/ChoicePaint.h"

namespace quillon {

namespace {

// The disabled face mixes this pale grey with the face colour pixel by pixel.
constexpr TColor DisabledFaceLight = 0xE6E6E6;

} // namespace

TQnEditButton::TQnEditButton()
{
    LoadGlyph("QN_BTNPOPUP");
}

bool TQnEditButton::Contains(POINT window) const
{
    const RECT r = BoundsRect();
    return PtInRect(&r, window) != FALSE;
}

void TQnEditButton::SetGlyph(const TBitmap& glyph)
{
    loadedResource_.clear();
    zoomed_.Clear();
    glyph_.Assign(glyph);
    glyph_.ResetTransparentColor();
    glyph_.Transparent = true;
}

void TQnEditButton::LoadGlyph(const std::string& resourceName)
{
    // A layout change asks again; loading a picture costs more than the layout.
    if (resourceName == loadedResource_)
        return;
    quillon::LoadGlyph(glyph_, resourceName);
    zoomed_.Clear();
    loadedResource_ = resourceName;
}

const TBitmap& TQnEditButton::ShownGlyph()
{
    if (GlyphZoom <= 1 || glyph_.Empty())
        return glyph_;
    if (zoomed_.Width() != glyph_.Width() * GlyphZoom || zoomed_.Height() != glyph_.Height() * GlyphZoom) {
        zoomed_.Assign(glyph_);
        zoomed_.Magnify(GlyphZoom);
        zoomed_.Transparent = true;
    }
    return zoomed_;
}

EditButtonStep TQnEditButton::Mouse(TButtonMouse event, POINT window, bool leftHeld, bool dropped)
{
    return machine_.Mouse(event, Contains(window), leftHeld, dropped);
}

void TQnEditButton::Paint(TCanvas& windowCanvas)
{
    face_.Paint(windowCanvas, BoundsRect(), [this](TCanvas& c) {
        const RECT r{0, 0, Width, Height};
        if (ButtonEnabled)
            c.FillRect(r, FaceColor);
        else
            DitheredFill(c, r, DisabledFaceLight, FaceColor);

        const TEditButtonState state = ButtonEnabled ? machine_.EditButtonState : TEditButtonState::ebsUp;
        switch (EditButtonEdge(machine_.EditButtonState, ButtonEnabled, DrawStyle, EditHot)) {
        case TEditButtonEdge::ebeSunkenOuter:
            SunkenOuterEdge(c, r);
            break;
        case TEditButtonEdge::ebeRaisedInner:
            RaisedInnerEdge(c, r);
            break;
        case TEditButtonEdge::ebeWindowFrame:
            FrameRect(c, r, clWindow);
            break;
        case TEditButtonEdge::ebeRaised: {
            RaisedOuterEdge(c, r);
            RECT inner = r;
            InflateRect(&inner, -1, -1);
            RaisedInnerEdge(c, inner);
            break;
        }
        }

        if (const TBitmap& glyph = ShownGlyph(); !glyph.Empty()) {
            const EditPoint at = ButtonGlyphPosition(Width, Height, glyph.Width(), glyph.Height(),
                                                     state == TEditButtonState::ebsDown);
            if (ButtonEnabled) {
                c.Draw(at.x, at.y, glyph);
            } else {
                greyed_.Assign(glyph);
                greyed_.SetTransparentColor(glyph.TransparentColor());
                greyed_.Transparent = true;
                DisabledGlyph(greyed_);
                c.Draw(at.x, at.y, greyed_);
            }
        }
        if (!Caption.empty())
            c.DrawText(Caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, ButtonEnabled ? clBtnText : clGrayText);
    });
}

} // namespace quillon
