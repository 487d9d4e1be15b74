#pragma once
// GDI objects outside the canvas, owned in one way: what is created is
// deleted, what is selected is put back, a device context is released, on
// every path out of the scope that took it, also when the drawing throws.
// Controls that compose their picture off-screen paint through one helper.
#include "framework/Graphics.h"

#include <windows.h>

namespace quillon {

// A brush, pen, region, bitmap or font created for its owner and deleted
// with it. Never delete one still selected: Wine forgives it, Windows leaks
// it. A TSelectObject declared after the object ends first.
template <class H>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H handle) : handle_(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Deletes the object held (nothing for none) and holds `handle` instead.
    void Reset(H handle = nullptr)
    {
        DeleteObject(handle_);
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

// Selects an object into a DC for the scope; the one it replaced goes back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(dc_, old_); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves a DC's state (origins, clip region, selected objects, colours) and
// restores it when the scope ends.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~TSavedDC() { RestoreDC(dc_, saved_); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// BeginPaint / EndPaint for WM_PAINT.
class TPaintDC {
public:
    explicit TPaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~TPaintDC() { EndPaint(hwnd_, &ps_); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Handle() const { return dc_; }
    const RECT& PaintRect() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A DC for the whole window, frame included (GetWindowDC), or one from
// GetDCEx with a clip region and flags. A region given to GetDCEx belongs to
// the system afterwards (as WM_NCPAINT's does); the caller must not free it.
class TWindowDC {
public:
    explicit TWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}
    TWindowDC(HWND hwnd, HRGN clip, DWORD flags) : hwnd_(hwnd), dc_(GetDCEx(hwnd, clip, flags)) {}
    ~TWindowDC() { ReleaseDC(hwnd_, dc_); } // nothing for none
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A DC for the client area (GetDC / ReleaseDC); of the screen for no window.
class TClientDC {
public:
    explicit TClientDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~TClientDC() { ReleaseDC(hwnd_, dc_); } // nothing for none
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// The off-screen picture of a control that paints through a buffer. It is
// kept between paints, because making one costs more than a small control's
// whole paint, and remade only when the size changes.
class TPaintBuffer {
public:
    TPaintBuffer() = default;
    TPaintBuffer(const TPaintBuffer&) = delete;
    TPaintBuffer& operator=(const TPaintBuffer&) = delete;

    // One paint: `draw` gets a canvas whose (0, 0) is the rectangle's
    // top-left, and once it returns the picture reaches the target's
    // rectangle in one copy. A draw that throws leaves the target as it was;
    // an empty rectangle draws nothing.
    template <class Draw>
    void Paint(TCanvas& target, const RECT& rect, Draw&& draw)
    {
        if (!Prepare(rect))
            return;
        draw(bitmap_.Canvas());
        CopyTo(target, rect);
    }

    // The same, but the picture starts as what the target shows under the
    // rectangle: the drawing composes over it exactly as it would straight
    // on the target, for two copies instead of many small drawing calls on
    // a window (text drawn straight on one costs more than all the rest).
    template <class Draw>
    void PaintOver(TCanvas& target, const RECT& rect, Draw&& draw)
    {
        if (!Prepare(rect))
            return;
        CopyFrom(target, rect);
        draw(bitmap_.Canvas());
        CopyTo(target, rect);
    }

    const TBitmap& Bitmap() const { return bitmap_; }

private:
    bool Prepare(const RECT& rect); // false: nothing to draw
    void CopyFrom(const TCanvas& target, const RECT& rect);
    void CopyTo(TCanvas& target, const RECT& rect) const;

    TBitmap bitmap_;
};

} // namespace quillon
