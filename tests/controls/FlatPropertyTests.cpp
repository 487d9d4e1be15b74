// Property rules of the flat controls: the advanced colours and their
// recompute, which setters repaint (also for an unchanged value), and the
// repaint of transparent buttons when they move or change size.
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatPanel.h"
#include "controls/flat/FlatSpeedButton.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// Whether `change` asked for a repaint of the control's area.
bool AsksForRepaint(TControl& control, const std::function<void()>& change)
{
    TWinControl& window = control.IsWindowed() ? static_cast<TWinControl&>(control) : *control.Parent();
    UpdateWindow(window.Handle());
    ValidateRect(window.Handle(), nullptr);
    change();
    RECT update{}, overlap;
    if (!GetUpdateRect(window.Handle(), &update, FALSE))
        return false;
    const RECT area = control.IsWindowed() ? control.ClientRect() : control.BoundsRect();
    return IntersectRect(&overlap, &update, &area) != FALSE;
}

template <class Button>
void ExpectAdvancedColours(Button& b, TColor base, TAdvColors focused, TAdvColors down, TAdvColors border,
                           const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(b.Color(), base);
    EXPECT_EQ(b.ColorFocused(), AdjustLightness(base, 0, focused, false));
    EXPECT_EQ(b.ColorDown(), AdjustLightness(base, 0, down, true));
    EXPECT_EQ(b.ColorBorder(), AdjustLightness(base, 0, border, true));
}

template <class Button>
void AdvancedColoursFollowTheirBase()
{
    TTestForm form(200, 100, 0x00404040);
    Button b(&form);
    b.SetBounds(10, 10, 60, 25);
    form.ShowActive();

    b.SetUseAdvColors(true);
    EXPECT_EQ(b.ColorFocused(), 0x00555555) << "0x00404040 lightened by 10";
    ExpectAdvancedColours(b, 0x00404040, 10, 10, 50, "switched on");
    b.SetAdvColor(1, 40);
    ExpectAdvancedColours(b, 0x00404040, 10, 40, 50, "an advanced colour set");
    const TColor down = b.ColorDown();
    b.SetAdvColor(1, 0);
    EXPECT_EQ(b.ColorDown(), down) << "0 points keep the colour it had";
    b.SetAdvColor(1, 40);

    const TColor focused = b.ColorFocused();
    b.SetColor(0x00E1EAEB);
    EXPECT_FALSE(b.ParentColor());
    EXPECT_EQ(b.ColorFocused(), focused) << "setting Color recomputes nothing";

    form.SetColor(0x00202020);
    EXPECT_TRUE(b.ParentColor()) << "a parent colour change makes it follow the parent again";
    ExpectAdvancedColours(b, 0x00202020, 10, 40, 50, "parent colour changed");

    b.SetColor(0x00E1EAEB);
    SendMessageW(form.Handle(), WM_SYSCOLORCHANGE, 0, 0);
    ExpectAdvancedColours(b, 0x00202020, 10, 40, 50, "system colours changed");

    b.SetUseAdvColors(false);
    EXPECT_FALSE(b.ParentColor());
    form.SetColor(0x00606060);
    EXPECT_EQ(b.Color(), 0x00202020) << "switched off: no longer follows";
    EXPECT_EQ(b.ColorFocused(), AdjustLightness(0x00202020, 0, 10, false)) << "and keeps its colours";
}

} // namespace

TEST(FlatProperties, AdvancedColoursFollowTheColourAndItsChanges)
{
    {
        SCOPED_TRACE("flat button");
        AdvancedColoursFollowTheirBase<TFlatButton>();
    }
    {
        SCOPED_TRACE("speed button");
        AdvancedColoursFollowTheirBase<TFlatSpeedButton>();
    }
}

TEST(FlatProperties, SettersRepaintOnlyAsTheirRulesSay)
{
    TTestForm form(300, 100);
    TFlatButton b(&form);
    b.SetBounds(10, 10, 60, 25);
    TFlatSpeedButton s(&form);
    s.SetBounds(80, 10, 60, 25);
    TFlatPanel p(&form);
    p.SetBounds(150, 10, 100, 60);
    form.ShowActive();
    struct Case {
        TControl* control;
        std::function<void()> change;
        bool repaints;
        const char* what;
    };
    const Case cases[] = {
        {&b, [&] { b.SetColorFocused(b.ColorFocused()); }, true, "state colour, unchanged"},
        {&b, [&] { b.SetColorShadow(b.ColorShadow()); }, true, "state colour, unchanged"},
        {&b, [&] { b.SetTransparentMode(b.TransparentMode()); }, true, "transparent mode, unchanged"},
        {&b, [&] { b.SetAdvColor(2, b.AdvColorBorder()); }, true, "advanced colour, unchanged"},
        {&b, [&] { b.SetLayout(b.Layout()); }, false, "layout, unchanged"},
        {&b, [&] { b.SetLayout(TButtonLayout::blGlyphLeft); }, true, "layout, changed"},
        {&b, [&] { b.SetSpacing(b.Spacing()); }, false, "spacing, unchanged"},
        {&b, [&] { b.SetNumGlyphs(b.NumGlyphs()); }, false, "glyph count, unchanged"},
        {&b, [&] { b.SetMargin(-2); }, false, "margin below -1, ignored"},
        {&b, [&] { b.SetUseAdvColors(b.UseAdvColors()); }, false, "advanced colours switch, unchanged"},
        {&s, [&] { s.SetColorBorder(s.ColorBorder()); }, true, "speed button state colour, unchanged"},
        {&s, [&] { s.SetSpacing(s.Spacing()); }, false, "speed button spacing, unchanged"},
        {&p, [&] { p.SetColorHighLight(p.ColorHighLight()); }, true, "panel frame colour, unchanged"},
        {&p, [&] { p.SetTransparent(p.Transparent()); }, true, "panel transparency, unchanged"},
        {&p, [&] { p.SetAlignment(p.Alignment()); }, false, "panel alignment, unchanged"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AsksForRepaint(*c.control, c.change), c.repaints) << c.what;
}

TEST(FlatProperties, TransparentButtonsRepaintWhenMovedOrResized)
{
    TTestForm form(300, 100, 0x000000FF);
    TFlatButton b(&form);
    b.SetBounds(10, 10, 60, 25);
    form.ShowActive();
    struct Case {
        TTransparentMode mode;
        POINT move;
        SIZE grow;
        bool repaints;
    };
    const Case cases[] = {
        {TTransparentMode::tmNone, {5, 0}, {0, 0}, false},
        {TTransparentMode::tmAlways, {5, 0}, {0, 0}, true},
        {TTransparentMode::tmNotFocused, {0, 5}, {0, 0}, true},
        {TTransparentMode::tmNone, {0, 0}, {-4, 0}, false},
        {TTransparentMode::tmAlways, {0, 0}, {-4, 0}, true},
    };
    for (const Case& c : cases) {
        b.SetTransparentMode(c.mode);
        EXPECT_EQ(AsksForRepaint(b, [&] {
                      b.SetBounds(b.Left() + c.move.x, b.Top() + c.move.y, b.Width() + c.grow.cx,
                                  b.Height() + c.grow.cy);
                  }),
                  c.repaints)
            << static_cast<int>(c.mode) << " moved " << c.move.x << "," << c.move.y << " grown " << c.grow.cx;
    }
}
