// Times one full paint of each flat control against a floor of the same
// size: a fill, one text draw of the same caption in the same font, and a
// copy to the window. Medians over many rounds; the goal is at most 2x.
#include "bench/Timing.h"
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatPanel.h"
#include "controls/flat/FlatSpeedButton.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/GdiObjects.h"

#include <cstdio>
#include <functional>
#include <vector>

using namespace quillon;

namespace {

constexpr int Rounds = 3000;

// Paints `control` on its window as WM_PAINT would, without the message.
void PaintOnWindow(TWinControl& window, const std::function<void(TCanvas&)>& paint)
{
    HDC dc = GetDC(window.Handle());
    {
        TCanvas canvas(dc);
        paint(canvas);
    }
    ReleaseDC(window.Handle(), dc);
}

// Times a control's paint against the floor: a prepared bitmap and font,
// then fill, text, copy.
void Measure(const char* name, TWinControl& window, POINT at, SIZE size, const TFont& font,
             const std::string& caption, const std::function<void(TCanvas&)>& paint)
{
    TBitmap offscreen(size.cx, size.cy);
    offscreen.Canvas().SetFont(font);
    const RECT r{0, 0, size.cx, size.cy};
    const auto [measured, floor] = bench::InterleavedMedians(
        Rounds,
        [&] {
            PaintOnWindow(window, paint);
            GdiFlush();
        },
        [&] {
            offscreen.Canvas().FillRect(r, 0x00E1EAEB);
            offscreen.Canvas().DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER, clBlack);
            PaintOnWindow(window, [&](TCanvas& canvas) {
                canvas.CopyFrom(RECT{at.x, at.y, at.x + size.cx, at.y + size.cy}, offscreen.Canvas(), r);
            });
            GdiFlush();
        });
    std::printf("  %-28s %8.1f us   floor %8.1f us   ratio %.2f (goal <= 2.0)\n", name, measured, floor,
                measured / floor);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TForm form;
    form.SetClientSize(500, 200);
    TFlatButton font(&form);
    font.SetBounds(10, 10, 18, 18);
    font.SetCaption("...");
    font.SetColorBorder(0x00555E66);
    TFlatSpeedButton save(&form);
    save.SetBounds(40, 10, 75, 21);
    save.SetCaption("Save");
    TFlatPanel title(&form);
    title.SetBounds(10, 60, 358, 55);
    title.SetColor(clWhite);
    form.Show();
    Application().ProcessMessages();

    std::printf("flat control paint benchmark, median of %d rounds\n", Rounds);
    Measure("flat button 18 x 18 \"...\"", font, POINT{0, 0}, SIZE{18, 18}, font.Font(), "...",
            [&](TCanvas& c) { font.Paint(c); });
    Measure("speed button 75 x 21 \"Save\"", form, POINT{save.Left(), save.Top()}, SIZE{75, 21}, save.Font(),
            "Save", [&](TCanvas& c) {
                const TSavedDC state(c.Handle());
                OffsetViewportOrgEx(c.Handle(), save.Left(), save.Top(), nullptr);
                TCanvas on(c.Handle());
                save.Paint(on);
            });
    Measure("flat panel 358 x 55", title, POINT{0, 0}, SIZE{358, 55}, title.Font(), "",
            [&](TCanvas& c) { title.Paint(c); });
    return 0;
}
