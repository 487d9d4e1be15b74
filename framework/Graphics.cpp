#include "framework/Graphics.h"

#include "base/TextConvert.h"

#include <cstring>

namespace quillon {

namespace {

// A GDI object created for one drawing call, selected while it lasts.
class TSelected {
public:
    TSelected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~TSelected()
    {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    TSelected(const TSelected&) = delete;
    TSelected& operator=(const TSelected&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
};

COLORREF Ref(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

// Fonts are created once per look and kept: creating one per paint costs
// more than the rest of a small control's paint. Few looks exist.
class TFontCache {
public:
    ~TFontCache()
    {
        for (auto& entry : fonts_)
            DeleteObject(entry.second);
    }
    HFONT Get(const TFont& font)
    {
        TFont key = font;
        key.color = clBlack; // colour is not part of the GDI font
        for (auto& entry : fonts_)
            if (entry.first == key)
                return entry.second;
        fonts_.emplace_back(key, font.CreateHandle());
        return fonts_.back().second;
    }

private:
    std::vector<std::pair<TFont, HFONT>> fonts_;
};

HFONT CachedFont(const TFont& font)
{
    static TFontCache cache;
    return cache.Get(font);
}

} // namespace

HFONT SharedFontHandle(const TFont& font)
{
    return CachedFont(font);
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
    HFONT handle = CachedFont(font);
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
    TSelected pen(dc_, CreatePen(PS_SOLID, 1, Ref(color)));
    ::Polyline(dc_, points, count);
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

void TCanvas::DrawTransparent(int x, int y, const TBitmap& source, TColor key)
{
    if (source.Empty())
        return;
    TransparentBlt(dc_, x, y, source.Width(), source.Height(), source.Canvas().Handle(), 0, 0,
                   source.Width(), source.Height(), Ref(key));
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
}

void TBitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_ && (bitmap_ || width <= 0 || height <= 0))
        return;
    Release();
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_)
        return;
    dc_ = CreateCompatibleDC(nullptr);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    canvas_.SetHandle(dc_);
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    SetSize(other.Width(), other.Height());
    if (Empty())
        return;
    GdiFlush();
    std::memcpy(bits_, other.bits_, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
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

void TBitmap::Fill(TColor color)
{
    if (!Empty())
        canvas_.FillRect(RECT{0, 0, width_, height_}, color);
}

} // namespace quillon
