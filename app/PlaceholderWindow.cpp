#include "app/PlaceholderWindow.h"

#include "base/TextConvert.h"
#include "framework/ErrorReport.h"
#include "tweaks/Catalog.h"

#include <optional>

namespace quillon {

namespace {

constexpr wchar_t ClassName[] = L"TfrmMain";
constexpr int ClientWidth = 283;
constexpr int ClientHeight = 307;
constexpr int LineHeight = 13;

void RegisterClassOnce(HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, ClassName, &wc))
        return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    RegisterClassExW(&wc);
}

} // namespace

TPlaceholderWindow::TPlaceholderWindow()
{
    font_ = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH, L"Tahoma");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(instance, &TPlaceholderWindow::WindowProc);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
    RECT r{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName, L"Quillon v0.8", style, x, y, w, h, nullptr,
                    nullptr, instance, this);
}

TPlaceholderWindow::~TPlaceholderWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
    if (font_)
        DeleteObject(font_);
}

LRESULT CALLBACK TPlaceholderWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<TPlaceholderWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TPlaceholderWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (!Guarded(hwnd, [&] { result = self->Handle(msg, wp, lp); }))
        result = DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT TPlaceholderWindow::Handle(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        // An error of the load is reported; the window is still created.
        Guarded(hwnd_, [&] { model_.state.Load(); });
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

void TPlaceholderWindow::Paint(HDC dc) const
{
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    int y = 4;
    std::optional<TweakPage> page;
    for (const TweakEntry& e : Catalog()) {
        if (page != e.page) {
            page = e.page;
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            const wchar_t* title = e.page == TweakPage::General ? L"General" : L"Dirs and Files";
            TextOutW(dc, 6, y, title, static_cast<int>(wcslen(title)));
            y += LineHeight + 2;
        }
        RECT box{10, y, 10 + 11, y + 11};
        DrawFrameControl(dc, &box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (model_.checked[e.tag] ? DFCS_CHECKED : 0));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        const std::wstring caption = Utf8ToWide(e.caption);
        TextOutW(dc, 26, y - 1, caption.c_str(), static_cast<int>(caption.size()));
        y += LineHeight;
        if (HasCompanion(e)) {
            std::wstring text = e.source == ValueSource::Font
                                    ? Utf8ToWide(ComposeDefaultFont(model_.font))
                                    : Utf8ToWide(model_.text[e.tag]);
            SetTextColor(dc, GetSysColor(model_.enabled[e.tag] ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
            TextOutW(dc, 26, y - 1, text.c_str(), static_cast<int>(text.size()));
            y += LineHeight;
        }
    }
    SelectObject(dc, oldFont);
}

} // namespace quillon
