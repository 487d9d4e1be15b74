#include "app/PlaceholderWindow.h"

#include "tweaks/Catalog.h"

#include <optional>

namespace quillon {

namespace {
constexpr int LineHeight = 13;
}

TPlaceholderWindow::TPlaceholderWindow()
{
    SetCaption("Quillon v0.8");
    SetClientSize(283, 307);
    Position = TPosition::poScreenCenter;
    // An error of the load is reported; the window is still created.
    RunCreateEvent([this] { model_.state.Load(); });
}

void TPlaceholderWindow::PaintWindow(TCanvas& canvas)
{
    canvas.SetFont(Font());
    int y = 4;
    std::optional<TweakPage> page;
    auto line = [&](int x, const std::string& text, TColor color) {
        canvas.DrawText(text, RECT{x, y - 1, ClientWidth(), y - 1 + LineHeight},
                        DT_SINGLELINE | DT_NOPREFIX, color);
        y += LineHeight;
    };
    for (const TweakEntry& e : Catalog()) {
        if (page != e.page) {
            page = e.page;
            line(6, e.page == TweakPage::General ? "General" : "Dirs and Files", clWindowText);
            y += 2;
        }
        RECT box{10, y, 10 + 11, y + 11};
        DrawFrameControl(canvas.Handle(), &box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (model_.checked[e.tag] ? DFCS_CHECKED : 0));
        line(26, std::string(e.caption), clWindowText);
        if (HasCompanion(e))
            line(26, e.source == ValueSource::Font ? ComposeDefaultFont(model_.font) : model_.text[e.tag],
                 model_.enabled[e.tag] ? clWindowText : clGrayText);
    }
}

} // namespace quillon
