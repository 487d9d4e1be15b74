#pragma once
// Device contexts of a window, released on every path out of the scope that
// took them, also when the drawing throws.
#include <windows.h>

namespace quillon {

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
    ~TWindowDC()
    {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A DC for the client area (GetDC / ReleaseDC).
class TClientDC {
public:
    explicit TClientDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~TClientDC()
    {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

} // namespace quillon
