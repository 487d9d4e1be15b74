// Times one full paint of each flat control against a floor of the same
// size: a fill, one text draw of the same caption in the same font, and a
// copy to the window. Medians over many rounds; the goal is at most 3x.
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatPanel.h"
#include "controls/flat/FlatSpeedButton.h"
#include "framework/Forms.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quillon;

namespace {

constexpr int Rounds = 3000;

double MedianMicroseconds(const std::function<void()>& action)
{
    for (int i = 0; i < 50; ++i)
        action();
    std::vector<double> times(Rounds);
    for (double& t : times) {
        const auto start = std::chrono::steady_clock::now();
        action();
        GdiFlush();
        t = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
    std::nth_element(times.begin(), times.begin() + Rounds / 2, times.end());
    return times[Rounds / 2];
}

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

// The floor: a prepared bitmap and font, then fill, text, copy.
double Floor(TWinControl& window, POINT at, SIZE size, const TFont& font, const std::string& caption)
{
    TBitmap offscreen(size.cx, size.cy);
    offscreen.Canvas().SetFont(font);
    const RECT r{0, 0, size.cx, size.cy};
    return MedianMicroseconds([&] {
        offscreen.Canvas().FillRect(r, 0x00E1EAEB);
        offscreen.Canvas().DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER, clBlack);
        PaintOnWindow(window, [&](TCanvas& canvas) {
            canvas.CopyFrom(RECT{at.x, at.y, at.x + size.cx, at.y + size.cy}, offscreen.Canvas(), r);
        });
    });
}

void Report(const char* name, double paint, double floor)
{
    std::printf("  %-28s %8.1f us   floor %8.1f us   ratio %.2f (goal <= 3.0)\n", name, paint, floor,
                paint / floor);
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
    Report("flat button 18 x 18 \"...\"",
           MedianMicroseconds([&] { PaintOnWindow(font, [&](TCanvas& c) { font.Paint(c); }); }),
           Floor(font, POINT{0, 0}, SIZE{18, 18}, font.Font(), "..."));
    Report("speed button 75 x 21 \"Save\"", MedianMicroseconds([&] {
               PaintOnWindow(form, [&](TCanvas& c) {
                   TCanvasState state(c);
                   OffsetViewportOrgEx(c.Handle(), save.Left(), save.Top(), nullptr);
                   TCanvas on(c.Handle());
                   save.Paint(on);
               });
           }),
           Floor(form, POINT{save.Left(), save.Top()}, SIZE{75, 21}, save.Font(), "Save"));
    Report("flat panel 358 x 55", MedianMicroseconds([&] { PaintOnWindow(title, [&](TCanvas& c) { title.Paint(c); }); }),
           Floor(title, POINT{0, 0}, SIZE{358, 55}, title.Font(), ""));
    return 0;
}
