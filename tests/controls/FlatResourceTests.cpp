// Painting and hover tracking release every GDI object they create.
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatPanel.h"
#include "controls/flat/FlatSpeedButton.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"
#include "tests/support/PaintCounted.h"

#include <gtest/gtest.h>

#include <windowsx.h>

using namespace quillon;
using namespace quillon::test;

namespace {

class FlatResources : public ::testing::Test {
protected:
    FlatResources() : form(400, 200)
    {
        plain.SetBounds(10, 10, 18, 18);
        plain.SetCaption("...");
        TBitmap glyph(32, 16);
        glyph.Fill(clFuchsia);
        glyph.Canvas().FillRect(RECT{4, 4, 12, 12}, clBlack);
        glyph.Canvas().FillRect(RECT{20, 4, 28, 12}, clBlack);
        embossed.SetBounds(40, 10, 60, 40);
        embossed.SetCaption("&Glyph");
        embossed.SetGlyph(&glyph);
        embossed.SetNumGlyphs(1);
        embossed.SetEnabled(false);
        transparent.SetBounds(110, 10, 60, 25);
        transparent.SetCaption("Clear");
        transparent.SetTransparentMode(TTransparentMode::tmAlways);
        save.SetBounds(180, 10, 75, 21);
        save.SetCaption("Save");
        dontSave.SetBounds(260, 10, 75, 21);
        dontSave.SetCaption("Don't Save");
        panel.SetBounds(10, 100, 185, 41);
        panel.SetCaption("Panel");
        form.ShowActive();
    }
    ~FlatResources() override { ParkCursor(); }

    // Paints through the real WM_PAINT path.
    static void PaintNow(TControl& c)
    {
        c.Invalidate();
        c.Update();
    }

    TTestForm form;
    TPaintCounted<TFlatButton> plain{&form}, embossed{&form}, transparent{&form};
    TPaintCounted<TFlatSpeedButton> save{&form}, dontSave{&form};
    TPaintCounted<TFlatPanel> panel{&form};
};

void MoveOver(TWinControl& window, TControl& target)
{
    const POINT client{target.Width() / 2, target.Height() / 2};
    const POINT screen = target.ClientToScreen(client);
    SetCursorPos(screen.x, screen.y);
    const POINT inWindow = window.ScreenToClient(screen);
    SendMessageW(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(inWindow.x, inWindow.y));
    window.Update();
    if (target.Parent())
        target.Parent()->Update();
}

} // namespace

TEST_F(FlatResources, TenThousandPaintsOfEachControl)
{
    TControl* controls[] = {&plain, &embossed, &transparent, &save, &dontSave, &panel};
    const int* paints[] = {&plain.paints, &embossed.paints, &transparent.paints,
                           &save.paints,  &dontSave.paints, &panel.paints};
    for (TControl* c : controls)
        for (int i = 0; i < 5; ++i)
            PaintNow(*c);
    for (const int* p : paints)
        ASSERT_GE(*p, 5) << "the controls are on screen and paint";
    const int before = LiveGdiObjects();
    int counted[6];
    for (int k = 0; k < 6; ++k)
        counted[k] = *paints[k];
    for (TControl* c : controls)
        for (int i = 0; i < 10000; ++i)
            PaintNow(*c);
    EXPECT_EQ(LiveGdiObjects(), before);
    for (int k = 0; k < 6; ++k)
        EXPECT_GE(*paints[k] - counted[k], 10000) << controls[k]->Caption();
}

TEST_F(FlatResources, ThousandHoverCyclesOfEachControl)
{
    auto cycle = [&] {
        MoveOver(plain, plain);
        MoveOver(transparent, transparent); // leaves plain
        MoveOver(form, save);
        MoveOver(form, dontSave); // leaves save
    };
    for (int i = 0; i < 3; ++i)
        cycle();
    ASSERT_TRUE(dontSave.IsHot());
    ASSERT_TRUE(transparent.IsHot());
    ASSERT_FALSE(plain.IsHot());
    const int before = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i)
        cycle();
    EXPECT_EQ(LiveGdiObjects(), before);
}
