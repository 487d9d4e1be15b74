#pragma once
// Stand-in main window until the real dialog exists: it runs the real load of
// the fourteen settings and lists them with their state and editor texts.
#include "tweaks/TweakModel.h"

#include <windows.h>


namespace quillon {

class TPlaceholderWindow {
public:
    TPlaceholderWindow();
    ~TPlaceholderWindow();
    TPlaceholderWindow(const TPlaceholderWindow&) = delete;
    TPlaceholderWindow& operator=(const TPlaceholderWindow&) = delete;

    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HDC dc) const;

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    TTweakModel model_;
};

} // namespace quillon
