#include "framework/Graphics.h"

#include "base/Exceptions.h"
#include "base/Format.h"
#include "base/TextConvert.h"
#include "framework/Dpi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <type_traits>

namespace quillon {

namespace {

COLORREF Ref(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

// Fonts are created once per look and kept: creating one per paint costs
// more than the rest of a small control's paint. Few looks exist. Their
// metrics are measured once too: a DC to measure on costs as much again.
class TFontCache {
public:
    struct TEntry {
        TFont key;
        HFONT handle = nullptr;
        bool measured = false;
        TEXTMETRICW metrics{};
    };
    ~TFontCache()
    {
        for (auto& entry : fonts_)
            DeleteObject(entry.handle);
    }
    TEntry& Get(const TFont& font)
    {
        TFont key = font;
        key.color = clBlack; // colour is not part of the GDI font
        for (auto& entry : fonts_)
            if (entry.key == key)
                return entry;
        fonts_.push_back(TEntry{key, font.CreateHandle()});
        return fonts_.back();
    }

private:
    std::deque<TEntry> fonts_; // entries stay where they are as it grows
};

TFontCache::TEntry& CachedFont(const TFont& font)
{
    static TFontCache cache;
    return cache.Get(font);
}

// GdiObjects.h builds on the canvas, so the canvas owns its few objects
// itself: a bitmap being made, until a DC holds it.
struct TObjectDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using TBitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TObjectDeleter>;

[[noreturn]] void OutOfResources()
{
    throw Exception("Out of system resources");
}

} // namespace

int FontHeightToPoints(int height, int pixelsPerInch)
{
    return -MulDiv(height, 72, pixelsPerInch);
}

int PointsToFontHeight(int points, int pixelsPerInch)
{
    return -MulDiv(points, pixelsPerInch, 72);
}

int TFont::Size() const
{
    return FontHeightToPoints(height, DesignPpi);
}

void TFont::SetSize(int points)
{
    height = PointsToFontHeight(points, DesignPpi);
}

HFONT SharedFontHandle(const TFont& font)
{
    return CachedFont(font).handle;
}

const TEXTMETRICW& SharedFontMetrics(const TFont& font)
{
    TFontCache::TEntry& entry = CachedFont(font);
    if (!entry.measured) {
        HDC screen = GetDC(nullptr);
        if (!screen)
            OutOfResources();
        const HGDIOBJ old = SelectObject(screen, entry.handle);
        entry.measured = GetTextMetricsW(screen, &entry.metrics) != FALSE;
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
    }
    return entry.metrics;
}

HFONT TFont::CreateHandle() const
{
    const std::wstring face = Utf8ToWide(name);
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charset;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

int InkWidth(const TFont& font, const std::string& text, UINT format)
{
    if (text.empty())
        return 0;
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(font);
    const SIZE extent = probe.Canvas().MeasureText(text, format);
    const int overhang = std::max<int>(extent.cy, 1);
    TBitmap page(extent.cx + 2 * overhang, std::max<int>(extent.cy, 1));
    page.Fill(clWhite);
    page.Canvas().SetFont(font);
    page.Canvas().DrawText(text, RECT{overhang, 0, page.Width(), page.Height()}, format | DT_NOCLIP, clBlack);
    const uint32_t* bits = page.Bits();
    for (int x = page.Width() - 1; x >= 0; --x)
        for (int y = 0; y < page.Height(); ++y)
            if ((bits[static_cast<size_t>(y) * static_cast<size_t>(page.Width()) + static_cast<size_t>(x)] &
                 0xFFFFFF) != 0xFFFFFF)
                return x + 1 - overhang;
    return 0;
}

TCanvas::~TCanvas()
{
    ReleaseFont();
}

void TCanvas::SetHandle(HDC dc)
{
    ReleaseFont();
    dc_ = dc;
}

void TCanvas::ReleaseFont()
{
    if (fontHandle_) {
        if (dc_)
            SelectObject(dc_, oldFont_);
        fontHandle_ = nullptr; // owned by the font cache
        oldFont_ = nullptr;
    }
}

void TCanvas::SetFont(const TFont& font)
{
    if (fontHandle_ && font == font_)
        return;
    HFONT handle = CachedFont(font).handle;
    HGDIOBJ previous = SelectObject(dc_, handle);
    if (!fontHandle_)
        oldFont_ = previous; // the DC's own font, put back on release
    font_ = font;
    fontHandle_ = handle;
}

void TCanvas::FillRect(const RECT& r, TColor color)
{
    // ExtTextOut with an opaque rectangle fills without creating a brush.
    SetBkColor(dc_, Ref(color));
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void TCanvas::Polyline(const POINT* points, int count, TColor color)
{
    if (count < 2)
        return;
    // The DC's own pen in the line's colour: nothing to create or delete.
    const HGDIOBJ old = SelectObject(dc_, GetStockObject(DC_PEN));
    SetDCPenColor(dc_, Ref(color));
    ::Polyline(dc_, points, count);
    SelectObject(dc_, old);
}

void TCanvas::DrawText(const std::string& text, RECT r, UINT format, TColor color)
{
    if (text.empty())
        return;
    const std::wstring wide = Utf8ToWide(text);
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc_, Ref(color));
    ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r, format);
    SetTextColor(dc_, oldColor);
    SetBkMode(dc_, oldMode);
}

SIZE TCanvas::MeasureText(const std::string& text, UINT format)
{
    const std::wstring wide = Utf8ToWide(text);
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r, format | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TCanvas::CopyFrom(const RECT& dest, const TCanvas& source, const RECT& sourceRect)
{
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (dw == sw && dh == sh)
        BitBlt(dc_, dest.left, dest.top, dw, dh, source.Handle(), sourceRect.left, sourceRect.top, SRCCOPY);
    else
        StretchBlt(dc_, dest.left, dest.top, dw, dh, source.Handle(), sourceRect.left, sourceRect.top, sw,
                   sh, SRCCOPY);
}

void TCanvas::Draw(int x, int y, const TBitmap& source)
{
    if (source.Empty())
        return;
    if (source.Transparent)
        DrawTransparent(x, y, source, source.TransparentColor());
    else
        BitBlt(dc_, x, y, source.Width(), source.Height(), source.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& source, TColor key)
{
    if (source.Empty())
        return;
    TransparentBlt(dc_, x, y, source.Width(), source.Height(), source.Canvas().Handle(), 0, 0,
                   source.Width(), source.Height(), Ref(key));
}

void TCanvas::DrawBlended(int x, int y, const TBitmap& source)
{
    if (source.Empty())
        return;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc_, x, y, source.Width(), source.Height(), source.Canvas().Handle(), 0, 0, source.Width(),
               source.Height(), blend);
}

TBitmap::~TBitmap()
{
    Release();
}

void TBitmap::Release()
{
    canvas_.SetHandle(nullptr);
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
    }
    bits_ = nullptr;
    width_ = height_ = 0;
    monochrome_ = false;
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) {
        Release();
        return;
    }
    if (width == width_ && height == height_)
        return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* rawBits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &rawBits, nullptr, 0));
    if (!bitmap || !rawBits)
        OutOfResources();
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        OutOfResources();
    auto* bits = static_cast<uint32_t*>(rawBits);
    std::memset(bits, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    if (bits_) {
        GdiFlush();
        const int keepWidth = std::min(width, width_), keepHeight = std::min(height, height_);
        for (int y = 0; y < keepHeight; ++y)
            std::memcpy(bits + static_cast<size_t>(y) * static_cast<size_t>(width),
                        bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_),
                        static_cast<size_t>(keepWidth) * 4);
    }
    const bool monochrome = monochrome_;
    Release();
    monochrome_ = monochrome;
    dc_ = dc;
    bitmap_ = bitmap.release();
    oldBitmap_ = SelectObject(dc_, bitmap_);
    bits_ = bits;
    width_ = width;
    height_ = height;
    canvas_.SetHandle(dc_);
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    SetSize(other.Width(), other.Height());
    transparentColorFixed_ = other.transparentColorFixed_;
    transparentColor_ = other.transparentColor_;
    monochrome_ = other.monochrome_;
    if (Empty())
        return;
    GdiFlush();
    std::memcpy(bits_, other.bits_, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
}

void TBitmap::LoadFromResourceName(const std::string& name, HINSTANCE module)
{
    if (!module)
        module = GetModuleHandleW(nullptr);
    const std::wstring wide = Utf8ToWide(name);
    // A DIB section keeps the picture's own colours at every bit depth,
    // monochrome ones included.
    TBitmapHandle loaded(static_cast<HBITMAP>(
        LoadImageW(module, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded)
        throw Exception(Format("Resource %s not found", name));
    BITMAP info{};
    if (!GetObjectW(loaded.get(), sizeof info, &info))
        OutOfResources();
    SetSize(info.bmWidth, std::abs(info.bmHeight));
    transparentColorFixed_ = false;
    monochrome_ = info.bmBitsPixel == 1;
    HDC source = CreateCompatibleDC(nullptr);
    if (!source)
        OutOfResources();
    const HGDIOBJ old = SelectObject(source, loaded.get());
    BitBlt(dc_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    GdiFlush();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentColorFixed_)
        return transparentColor_;
    if (Empty())
        return -1;
    if (monochrome_)
        return clWhite;
    return Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    transparentColorFixed_ = true;
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return -1;
    GdiFlush();
    const uint32_t p = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    // DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
    return static_cast<TColor>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    GdiFlush();
    const uint32_t c = static_cast<uint32_t>(ColorToRGB(color));
    bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
        ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void TBitmap::Magnify(int factor)
{
    if (factor <= 1 || Empty())
        return;
    GdiFlush();
    const int w = width_, h = height_;
    const std::vector<uint32_t> old(bits_, bits_ + static_cast<size_t>(w) * static_cast<size_t>(h));
    const bool monochrome = monochrome_;
    SetSize(0, 0);
    SetSize(w * factor, h * factor);
    monochrome_ = monochrome;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
                old[static_cast<size_t>(y / factor) * static_cast<size_t>(w) + static_cast<size_t>(x / factor)];
}

const uint32_t* TBitmap::Bits() const
{
    GdiFlush();
    return bits_;
}

uint32_t* TBitmap::Bits()
{
    GdiFlush();
    return bits_;
}

void TBitmap::Fill(TColor color)
{
    if (!Empty())
        canvas_.FillRect(RECT{0, 0, width_, height_}, color);
}

} // namespace quillon
