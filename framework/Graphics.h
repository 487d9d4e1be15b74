#pragma once
// Drawing kit: fonts, a canvas over a device context that owns every GDI
// object it creates, and DIB-section bitmaps with pixel access.
#include "framework/Color.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace quillon {

struct TFont {
    std::string name = "Tahoma";
    int height = -11; // pixels; negative = character height, as in LOGFONT
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    BYTE charset = DEFAULT_CHARSET;
    TColor color = clWindowText;

    bool operator==(const TFont&) const = default;
    HFONT CreateHandle() const;
    // Points of a height at 96 dpi (height -11 is 8 points).
    int Size() const;
    void SetSize(int points);
};

// Character height (negative pixels) and points at `pixelsPerInch`; a
// positive (cell) height gives a negative size, as in LOGFONT arithmetic.
int FontHeightToPoints(int height, int pixelsPerInch);
int PointsToFontHeight(int points, int pixelsPerInch);
// The process-wide handle for a font look, for windows that take a font
// (WM_SETFONT). It lives until the program ends: never delete it.
HFONT SharedFontHandle(const TFont& font);
// That font's metrics on the screen, measured once.
const TEXTMETRICW& SharedFontMetrics(const TFont& font);

class TBitmap;

// How wide `text` draws in `font` with DrawText's `format`: to its last
// painted pixel, which can lie well inside the measured extent (a font's
// hand-tuned small sizes) or past it (an overhang).
int InkWidth(const TFont& font, const std::string& text, UINT format);

class TCanvas {
public:
    explicit TCanvas(HDC dc = nullptr) : dc_(dc) {}
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    // Puts every selected object back; the canvas may then get another DC.
    void SetHandle(HDC dc);

    void SetFont(const TFont& font);
    const TFont& Font() const { return font_; }

    void FillRect(const RECT& r, TColor color);
    // A one-pixel line through the points; the last point is not painted.
    void Polyline(const POINT* points, int count, TColor color);
    // DrawText with the canvas font and a transparent background.
    void DrawText(const std::string& text, RECT r, UINT format, TColor color);
    // Size of one line of text as DrawText measures it with `format`.
    SIZE MeasureText(const std::string& text, UINT format);

    void CopyFrom(const RECT& dest, const TCanvas& source, const RECT& sourceRect);
    // Copies the bitmap to (x, y); one marked transparent leaves out the
    // pixels of its transparent colour.
    void Draw(int x, int y, const TBitmap& source);
    // Copies `source` to (x, y), leaving out pixels of exactly `key`.
    void DrawTransparent(int x, int y, const TBitmap& source, TColor key);
    // Blends a bitmap whose pixels carry premultiplied alpha (Bits()) at (x, y).
    void DrawBlended(int x, int y, const TBitmap& source);

private:
    void ReleaseFont();

    HDC dc_;
    TFont font_;
    HFONT fontHandle_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

// 32-bit top-down DIB section with its own memory DC.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // Keeps the top-left content; new area is cleared to black.
    void SetSize(int width, int height);
    // Copies the picture and the transparent colour setting; the
    // Transparent flag stays this bitmap's own.
    void Assign(const TBitmap& other);
    void Clear() { SetSize(0, 0); }
    // A picture from the module's resources (the program's when null), of any
    // bit depth, converted to 32 bits. A missing one is an error.
    void LoadFromResourceName(const std::string& name, HINSTANCE module = nullptr);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    TCanvas& Canvas() { return canvas_; }
    const TCanvas& Canvas() const { return canvas_; }
    // Direct pixel access; GDI drawing is flushed first.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    void Fill(TColor color);
    // Every pixel becomes a `factor` x `factor` block (pixel art stays sharp).
    void Magnify(int factor);
    // The pixels, 0x00RRGGBB (the top byte free for alpha), rows top-down;
    // GDI drawing is flushed first.
    const uint32_t* Bits() const;
    uint32_t* Bits();

    // Canvas::Draw leaves out the transparent colour's pixels when set.
    bool Transparent = false;
    // Fixed (set here, or copied by Assign from a source with a fixed one) or
    // automatic: the bottom-left pixel, white for a monochrome picture, -1 for
    // an empty bitmap.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    bool TransparentColorFixed() const { return transparentColorFixed_; }
    // Back to the automatic colour.
    void ResetTransparentColor() { transparentColorFixed_ = false; }
    // Loaded from a one-bit picture.
    bool Monochrome() const { return monochrome_; }

private:
    void Release();

    bool transparentColorFixed_ = false;
    TColor transparentColor_ = 0;
    bool monochrome_ = false;
    int width_ = 0;
    int height_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    TCanvas canvas_;
};

} // namespace quillon
