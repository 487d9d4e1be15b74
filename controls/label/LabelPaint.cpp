// The label's picture: background, frame, bound lines, glyph, sub-caption
// and caption composed off-screen, then copied to the window in one go.
#include "controls/label/GradientCaptionLabel.h"

#include "base/TextConvert.h"
#include "framework/Forms.h"
#include "framework/GdiObjects.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace quillon {

namespace {

void FillIfAny(TCanvas& canvas, const RECT& r, TColor color)
{
    if (r.right > r.left && r.bottom > r.top)
        canvas.FillRect(r, color);
}

SIZE TextExtent(TCanvas& canvas, const TFont& font, const std::wstring& text)
{
    canvas.SetFont(font);
    SIZE size{0, 0};
    GetTextExtentPoint32W(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// The first character, both halves of a surrogate pair.
std::wstring FirstCharacter(const std::wstring& text)
{
    if (text.empty())
        return {};
    const bool pair = text.size() > 1 && text[0] >= 0xD800 && text[0] <= 0xDBFF;
    return text.substr(0, pair ? 2 : 1);
}

void DrawTextIn(TCanvas& canvas, const std::wstring& text, RECT& rect, UINT flags, TColor color)
{
    HDC dc = canvas.Handle();
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

TColor Grey(TColor rgb)
{
    const int g = ((rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF)) / 3;
    return g | (g << 8) | (g << 16);
}

} // namespace

void DrawInsetFrame(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width)
{
    if (width <= 0)
        return;
    for (int i = 0; i < width; ++i) {
        // The ring's edge pixels, inclusive.
        const int l = rect.left + i, t = rect.top + i, r = rect.right - 1 - i, b = rect.bottom - 1 - i;
        FillIfAny(canvas, RECT{l, t, r, t + 1}, topLeft);         // top row, l .. r - 1
        FillIfAny(canvas, RECT{l, t, l + 1, b}, topLeft);         // left column, t .. b - 1
        FillIfAny(canvas, RECT{r, t, r + 1, b + 1}, bottomRight); // right column, t .. b
        FillIfAny(canvas, RECT{l, b, r + 1, b + 1}, bottomRight); // bottom row, l .. r
    }
    InflateRect(&rect, -width, -width);
}

void TCustomGradientCaptionLabel::DrawCaptionText(const std::string& text, TCanvas& canvas, UINT flags, RECT& rect,
                                                  const TFont& font)
{
    std::wstring wide = Utf8ToWide(text);
    // A measured text is at least one line high.
    if ((flags & DT_CALCRECT) && (wide.empty() || (showAccelChar_ && wide == L"&")))
        wide += L' ';
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    canvas.SetFont(font);
    if (enabled_) {
        DrawTextIn(canvas, wide, rect, flags, font.color);
        return;
    }
    OffsetRect(&rect, 1, 1);
    DrawTextIn(canvas, wide, rect, flags, clBtnHighlight);
    OffsetRect(&rect, -1, -1);
    DrawTextIn(canvas, wide, rect, flags, clBtnShadow);
}

POINT TCustomGradientCaptionLabel::GetGlyphPosition(const TBitmap& image) const
{
    const int margin = Scale(glyph_->Margin());
    POINT p{margin, margin};
    if (glyph_->DisplayAlign() == TDisplayAlign::daRight)
        p.x = ClientWidth() - image.Width() - margin;
    if (glyph_->Layout() == TGlyphLayout::glCenter)
        p.y = (ClientHeight() - image.Height()) / 2;
    else if (glyph_->Layout() == TGlyphLayout::glBottom)
        p.y = ClientHeight() - image.Height() - margin;
    return p;
}

std::unique_ptr<TBitmap> TCustomGradientCaptionLabel::BuildGlyphImage() const
{
    try {
        auto image = std::make_unique<TBitmap>();
        if (const TImageList* list = glyph_->ImageList()) {
            // No fallback to Bitmap: an index outside the list shows nothing.
            const int index = glyph_->ImageIndex();
            if (index < 0 || index >= list->Count())
                return nullptr;
            list->GetBitmap(index, *image);
            image->ResetTransparentColor();
        } else {
            const TBitmap& source = glyph_->Bitmap();
            if (source.Empty())
                return nullptr;
            image->Assign(source);
            image->SetSize(source.Width() / glyph_->NumGlyphs(), source.Height()); // the first cell
            if (glyph_->AlphaMode() == TAlphaMode::amManual)
                image->SetTransparentColor(glyph_->AlphaColor());
        }
        if (image->Empty())
            return nullptr;
        image->Magnify(PixelArtMultiple(PixelsPerInch()));
        image->Transparent = true;
        return image;
    } catch (const std::exception&) {
        return nullptr; // out of drawing resources: no glyph
    }
}

bool TCustomGradientCaptionLabel::DisplayHasPalette()
{
    HWND window = Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr;
    TClientDC dc(window);
    return dc.Handle() && GetDeviceCaps(dc.Handle(), SIZEPALETTE) > 0;
}

void TCustomGradientCaptionLabel::Paint(TCanvas& canvas)
{
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    buffer_.Paint(canvas, RECT{0, 0, w, h}, [&](TCanvas& s) {
        const RECT whole{0, 0, w, h};
        RECT q = ClientRect();

        if (gradient_->Enabled() && !DisplayHasPalette()) {
            // Built on every resize; one painted before its first sizing builds it here.
            if (gradient_->Bitmap().Width() != w || gradient_->Bitmap().Height() != h)
                gradient_->RebuildBitmap();
            s.CopyFrom(whole, gradient_->Bitmap().Canvas(), whole);
        } else {
            s.FillRect(q, Color());
        }

        auto bevel = [&](TBevelCut cut) {
            if (cut == TBevelCut::bvLowered)
                DrawInsetFrame(s, q, clBtnShadow, clBtnHighlight, bevelWidth_);
            else if (cut != TBevelCut::bvNone)
                DrawInsetFrame(s, q, clBtnHighlight, clBtnShadow, bevelWidth_);
        };
        bevel(bevelOuter_);
        DrawInsetFrame(s, q, Color(), Color(), borderWidth_);
        bevel(bevelInner_);

        // Each line leaves out its end point, so (w - 1, h - 1) is never drawn.
        if (boundLines_ & blLeft)
            FillIfAny(s, RECT{0, 0, 1, h - 1}, boundColor_);
        if (boundLines_ & blTop)
            FillIfAny(s, RECT{0, 0, w - 1, 1}, boundColor_);
        if (boundLines_ & blRight)
            FillIfAny(s, RECT{w - 1, 0, w, h - 1}, boundColor_);
        if (boundLines_ & blBottom)
            FillIfAny(s, RECT{0, h - 1, w - 1, h}, boundColor_);

        const int glyphExtent = PaintGlyph(s);
        const int subCaptionExtent = PaintSubCaption(s, glyphExtent);
        PaintCaption(s, glyphExtent, subCaptionExtent);
    });
    PaintFormFrame(); // over the label's picture
}

int TCustomGradientCaptionLabel::PaintGlyph(TCanvas& canvas)
{
    if (!glyph_->Visible())
        return 0;
    const std::unique_ptr<TBitmap> image = BuildGlyphImage();
    if (!image)
        return 0;
    if (!enabled_ && glyph_->AllowGrayed()) {
        const TColor key = ColorToRGB(image->TransparentColor());
        image->SetTransparentColor(key);
        for (int y = 0; y < image->Height(); ++y)
            for (int x = 0; x < image->Width(); ++x)
                if (const TColor c = image->Pixel(x, y); c != key)
                    image->SetPixel(x, y, Grey(c));
    }
    const POINT at = GetGlyphPosition(*image);
    canvas.Draw(at.x, at.y, *image);
    return image->Width() + Scale(glyph_->Margin());
}

int TCustomGradientCaptionLabel::PaintSubCaption(TCanvas& canvas, int glyphExtent)
{
    const TSubCaption& sub = *subCaption_;
    if (sub.Caption().empty() || !sub.Visible())
        return 0;
    const TFont subFont = ScaleFont(sub.Font());
    const std::wstring text = Utf8ToWide(sub.Caption());
    const int hs = TextExtent(canvas, subFont, L"W").cy;
    const int ws = TextExtent(canvas, subFont, text).cx;
    RECT q = ClientRect();
    q.left = std::max(ClientWidth() - ws - Scale(sub.Margin()), Scale(margin_) + glyphExtent);
    const int extent = q.right - q.left;
    if (glyph_->DisplayAlign() == TDisplayAlign::daRight)
        OffsetRect(&q, -glyphExtent, 0); // the glyph takes the right end
    int dy = 0;
    if (layout_ == TTextLayout::tlCenter) {
        RECT measured = q; // line breaks count here: no single-line flag
        DrawCaptionText(sub.Caption(), canvas, DT_CALCRECT, measured, subFont);
        dy = (Height() - measured.bottom) / 2;
    } else {
        const int hm = TextExtent(canvas, ScaledFont(), L"W").cy;
        const int half = std::abs(hm - hs) / 2;
        dy = layout_ == TTextLayout::tlTop ? half : Height() - hs - half;
    }
    OffsetRect(&q, 0, dy);
    if (q.right - q.left >= TextExtent(canvas, subFont, FirstCharacter(text)).cx)
        DrawCaptionText(sub.Caption(), canvas, CaptionDrawFlags, q, subFont);
    return extent;
}

void TCustomGradientCaptionLabel::PaintCaption(TCanvas& canvas, int glyphExtent, int subCaptionExtent)
{
    const std::string caption = Caption();
    if (caption.empty())
        return;
    RECT q = ClientRect();
    q.left = Scale(margin_);
    if (glyph_->DisplayAlign() == TDisplayAlign::daLeft)
        q.left += glyphExtent;
    else
        q.right -= glyphExtent;
    q.right -= subCaptionExtent;
    if (layout_ != TTextLayout::tlTop) {
        RECT measured = q;
        DrawCaptionText(caption, canvas, CaptionDrawFlags | DT_CALCRECT, measured, ScaledFont());
        const int t = measured.bottom;
        OffsetRect(&q, 0, layout_ == TTextLayout::tlCenter ? (Height() - t) / 2 : Height() - t);
    }
    if (q.right - q.left >= TextExtent(canvas, ScaledFont(), FirstCharacter(Utf8ToWide(caption))).cx)
        DrawCaptionText(caption, canvas, CaptionDrawFlags, q, ScaledFont());
}

// The frame of a form whose title bar the label stands in for.
void TCustomGradientCaptionLabel::PaintFormFrame()
{
    if (!(options_ & loEmulateFormCaption))
        return;
    TForm* form = ParentForm(*this);
    if (!form || !form->HandleAllocated())
        return;
    TClientDC dc(form->Handle());
    if (!dc.Handle())
        return;
    TCanvas surface(dc.Handle());
    RECT r{0, 0, form->ClientWidth(), form->ClientHeight()};
    DrawInsetFrame(surface, r, boundColor_, boundColor_, 1);
}

} // namespace quillon
