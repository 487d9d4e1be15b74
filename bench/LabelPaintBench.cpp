// Times the gradient caption label against floors of the same size in the
// same run: RebuildBitmap against a fill and copy off-screen, and one full
// paint (about strip, new label) against a fill and a copy to the window.
// Medians over many rounds; the goal for a paint is at most 3x.
#include "bench/Timing.h"
#include "controls/label/GradientCaptionLabel.h"
#include "framework/Application.h"
#include "framework/Forms.h"

#include <cstdio>
#include <functional>

using namespace quillon;

namespace {

constexpr int Rounds = 2000;

void Report(const char* name, std::pair<double, double> medians, const char* goal)
{
    const auto [measured, floor] = medians;
    std::printf("  %-34s %8.1f us   floor %8.1f us   ratio %.2f%s\n", name, measured, floor, measured / floor, goal);
}

void OnWindow(TWinControl& window, const std::function<void(TCanvas&)>& paint)
{
    HDC dc = GetDC(window.Handle());
    {
        TCanvas canvas(dc);
        paint(canvas);
    }
    ReleaseDC(window.Handle(), dc);
}

void MeasureRebuild(const char* name, TGradientCaptionLabel& label)
{
    const int w = label.Width(), h = label.Height();
    TBitmap filled(w, h), copy(w, h);
    const RECT r{0, 0, w, h};
    Report(name,
           bench::InterleavedMedians(
               Rounds, [&] { label.Gradient().RebuildBitmap(); },
               [&] {
                   filled.Canvas().FillRect(r, 0x00CFB78F);
                   copy.Canvas().CopyFrom(r, filled.Canvas(), r);
                   GdiFlush();
               }),
           "");
}

void MeasurePaint(const char* name, TGradientCaptionLabel& label)
{
    const int w = label.Width(), h = label.Height();
    TBitmap offscreen(w, h);
    const RECT r{0, 0, w, h};
    Report(name,
           bench::InterleavedMedians(
               Rounds,
               [&] {
                   OnWindow(label, [&](TCanvas& c) { label.Paint(c); });
                   GdiFlush();
               },
               [&] {
                   offscreen.Canvas().FillRect(r, 0x00CFB78F);
                   OnWindow(label, [&](TCanvas& c) { c.CopyFrom(r, offscreen.Canvas(), r); });
                   GdiFlush();
               }),
           " (goal <= 3.0)");
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TForm form;
    form.SetClientSize(400, 120);
    TGradientCaptionLabel strip(&form);
    strip.SetBounds(0, 55, 358, 5);
    strip.SetBevelOuter(TBevelCut::bvNone);
    strip.Gradient().SetColorSteps(255);
    strip.Gradient().SetStartColor(13612943);
    strip.Gradient().SetEndColor(10053171);
    TGradientCaptionLabel label(&form);
    label.SetBounds(0, 70, 289, 24);
    form.Show();
    Application().ProcessMessages();

    std::printf("gradient caption label benchmark, median of %d rounds\n", Rounds);
    MeasureRebuild("RebuildBitmap, about strip 358 x 5", strip);
    MeasureRebuild("RebuildBitmap, new label 289 x 24", label);
    MeasurePaint("paint, about strip 358 x 5", strip);
    MeasurePaint("paint, new label 289 x 24", label);
    return 0;
}
