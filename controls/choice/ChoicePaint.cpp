#include "controls/choice/ChoicePaint.h"

#include "base/TextConvert.h"
#include "controls/choice/EditButtonLogic.h"
#include "framework/GdiObjects.h"

namespace quillon {

void FrameEdge(TCanvas& canvas, const RECT& r, TColor topLeft, TColor bottomRight)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    canvas.FillRect(RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    canvas.FillRect(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    canvas.FillRect(RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    canvas.FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void DitheredFill(TCanvas& canvas, const RECT& r, TColor a, TColor b)
{
    // A 2 x 2 pattern brush: the pattern aligns with the DC origin, so the
    // brush origin keeps the checkerboard fixed to the rectangle's corner.
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.SetPixel(x, y, (x + y) % 2 == 0 ? a : b);
    GdiFlush();
    HBITMAP bits = static_cast<HBITMAP>(GetCurrentObject(pattern.Canvas().Handle(), OBJ_BITMAP));
    const TGdiObject<HBRUSH> brush(CreatePatternBrush(bits));
    if (!brush)
        return;
    HDC dc = canvas.Handle();
    POINT oldOrigin;
    SetBrushOrgEx(dc, r.left, r.top, &oldOrigin);
    ::FillRect(dc, &r, brush.Get());
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void DisabledGlyph(TBitmap& bitmap)
{
    const TColor shadow = ColorToRGB(clBtnShadow);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (DisabledGlyphShadows(bitmap.Pixel(x, y)))
                bitmap.SetPixel(x, y, shadow);
}

void LoadGlyph(TBitmap& bitmap, const std::string& name)
{
    bitmap.LoadFromResourceName(name);
    bitmap.Transparent = true;
}

std::string LoadResString(unsigned id)
{
    // With a zero length the call hands out a pointer into the resource.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return {};
    return WideToUtf8(std::wstring(text, static_cast<size_t>(length)));
}

} // namespace quillon
