// The check box (clicks by the user and by code); the windowless label,
// image and bevel rendered off-screen and checked pixel by pixel; and no GDI
// object left behind by ten thousand paints of the standard controls.
#include "framework/Bevel.h"
#include "framework/Buttons.h"
#include "framework/Edit.h"
#include "framework/GdiObjects.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Pages.h"
#include "tests/framework/Probes.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"
#include "tests/support/PaintCounted.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillon;
using namespace quillon::test;

namespace {

// The parent with its windowless children, as its window shows them.
void Render(TWinControl& parent, TBitmap& out)
{
    out.SetSize(parent.ClientWidth(), parent.ClientHeight());
    parent.PaintTo(out.Canvas());
}

// The smallest rectangle of `area` holding the pixels that are not `background`.
RECT Ink(const TBitmap& b, RECT area, TColor background)
{
    RECT ink{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (b.Pixel(x, y) != ColorToRGB(background)) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    return ink;
}

int CountColor(const TBitmap& b, RECT area, TColor color)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += b.Pixel(x, y) == ColorToRGB(color);
    return n;
}

class StandardControls : public ::testing::Test {
protected:
    ~StandardControls() override { ParkCursor(); }
};

} // namespace

TEST_F(StandardControls, ACheckBoxRunsOnClickOnceForEveryChangeByTheUserOrByCode)
{
    TTestForm form(200, 80);
    TCheckBox box(&form), other(&form);
    box.SetBounds(10, 10, 120, 17);
    box.SetCaption("&Check me");
    other.SetBounds(10, 40, 120, 17);
    int clicks = 0;
    box.OnClick = [&](TControl&) { ++clicks; };
    struct Step {
        std::function<void()> act;
        bool checked;
        int clicks;
        const char* what;
    };
    const Step steps[] = {
        {[&] { box.SetChecked(true); }, true, 1, "set before the window exists"},
        {[&] { form.ShowActive(); }, true, 0, "the window shows the state"},
        {[&] { ClickAt(box, 6, 8); }, false, 1, "a mouse click"},
        {[&] { Tap(VK_SPACE); }, true, 1, "Space on the focused box"},
        {[&] {
             other.SetFocus();
             Tap('C', {VK_MENU});
         },
         false, 1, "its accelerator"},
        {[&] { box.SetChecked(false); }, false, 0, "set to the same state"},
        {[&] { box.Toggle(); }, true, 1, "toggled from code"},
        {[&] { form.Load([&] { box.SetChecked(false); }); }, false, 0, "stored state while loading"},
    };
    for (const Step& s : steps) {
        clicks = 0;
        s.act();
        Settle();
        EXPECT_EQ(box.Checked(), s.checked) << s.what;
        EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED, s.checked) << s.what;
        EXPECT_EQ(clicks, s.clicks) << s.what;
    }
    EXPECT_TRUE(box.Focused()) << "the accelerator focused it";
}

TEST_F(StandardControls, LabelTextIsAlignedWrappedUnderlinedAndEmbossedWhenDisabled)
{
    TTestForm form(200, 100);
    TWindowProbe back(&form, "back", nullptr, RECT{0, 0, 200, 100});
    back.SetColor(clWhite);
    TLabel label(&back);
    label.SetBounds(0, 0, 180, 40);
    label.SetFont(TFont{"Tahoma", -11, false, false, false, false, DEFAULT_CHARSET, clBlack});
    TBitmap b;
    const RECT area{0, 0, 180, 40};
    TBitmap scratch(1, 1);
    scratch.Canvas().SetFont(label.Font());
    const int lineHeight = scratch.Canvas().MeasureText("Wg", DT_SINGLELINE).cy;
    const int goWidth = scratch.Canvas().MeasureText("Go", DT_SINGLELINE).cx;
    auto ink = [&] {
        Render(back, b);
        return Ink(b, area, clWhite);
    };

    label.SetCaption("&Go");
    EXPECT_LE(ink().left, 1) << "left-justified";
    EXPECT_NEAR(ink().right - ink().left, goWidth, 2) << "the ampersand is not drawn";
    label.SetShowAccelChar(false);
    EXPECT_GT(ink().right - ink().left, goWidth + 3) << "\"&\" drawn as itself";
    label.SetShowAccelChar(true);
    label.SetAlignment(TAlignment::taRightJustify);
    EXPECT_GE(ink().right, 178) << "right-justified";
    label.SetAlignment(TAlignment::taCenter);
    EXPECT_NEAR((ink().left + ink().right) / 2, 90, 2) << "centred";

    label.SetAlignment(TAlignment::taLeftJustify);
    label.SetCaption("Line one\r\nLine two");
    EXPECT_GT(ink().bottom, lineHeight + 2) << "two lines";
    label.SetCaption("several words that cannot fit on one line of this label");
    EXPECT_LE(ink().bottom, lineHeight + 1) << "one clipped line without WordWrap";
    label.SetWordWrap(true);
    EXPECT_GT(ink().bottom, lineHeight + 2) << "wrapped";

    label.SetCaption("Off");
    label.SetEnabled(false);
    Render(back, b);
    EXPECT_GT(CountColor(b, area, clBtnShadow), 0) << "embossed: a shadow copy";
    EXPECT_GT(CountColor(b, area, clBtnHighlight), 0) << "over a highlight copy";
    EXPECT_EQ(CountColor(b, area, clBlack), 0) << "not in the font colour";

    label.SetCaption("x");
    Render(back, b);
    EXPECT_EQ(b.Pixel(170, 30), clWhite) << "the parent's colour by default";
    label.SetColor(0x000000FF);
    Render(back, b);
    EXPECT_EQ(b.Pixel(170, 30), 0x000000FF) << "opaque in its own colour";
    label.SetTransparent(true);
    Render(back, b);
    EXPECT_EQ(b.Pixel(170, 30), clWhite) << "transparent";
}

TEST_F(StandardControls, ALabelClicksOnReleaseInsideAndFocusesItsPartnerOnItsAccelerator)
{
    TTestForm form(250, 60);
    TLabel label(&form);
    label.SetBounds(10, 10, 60, 16);
    label.SetCaption("&Name");
    label.SetCursor(TCursor::crHandPoint);
    auto edit = std::make_unique<TEdit>(&form);
    edit->SetBounds(80, 10, 100, 21);
    TEdit other(&form);
    other.SetBounds(80, 35, 100, 21);
    label.SetFocusControl(edit.get());
    int clicks = 0;
    label.OnClick = [&](TControl&) { ++clicks; };
    form.ShowActive();

    ClickAt(label, 20, 8);
    EXPECT_EQ(clicks, 1) << "pressed and released inside";
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    MouseButton(true, true);
    MoveCursorTo(form, 200, 50);
    MouseButton(true, false);
    EXPECT_EQ(clicks, 1) << "released outside";

    other.SetFocus();
    Tap('N', {VK_MENU});
    EXPECT_TRUE(PumpUntil([&] { return edit->Focused(); }, 2000)) << "Alt+N focuses the partner";
    edit.reset();
    EXPECT_EQ(label.FocusControl(), nullptr) << "forgotten when it goes";
}

TEST_F(StandardControls, AnImageIsCentredTransparentAndSizedToItsPicture)
{
    TTestForm form(120, 80);
    TWindowProbe back(&form, "back", nullptr, RECT{0, 0, 120, 80});
    back.SetColor(clWhite);
    TBitmap picture(10, 6);
    picture.Fill(clFuchsia); // the bottom-left pixel: the transparent colour
    picture.Canvas().FillRect(RECT{2, 1, 8, 5}, 0x00008000);
    TImage image(&back);
    image.SetBounds(0, 0, 40, 30);
    image.SetPicture(picture);
    TBitmap b;
    struct Case {
        bool center, transparent;
        POINT corner;
        TColor key;
        const char* what;
    };
    const Case cases[] = {
        {false, false, {0, 0}, clFuchsia, "top-left, opaque"},
        {true, false, {15, 12}, clFuchsia, "centred"},
        {true, true, {15, 12}, clWhite, "centred, transparent"},
    };
    for (const Case& c : cases) {
        image.SetCenter(c.center);
        image.SetTransparent(c.transparent);
        Render(back, b);
        EXPECT_EQ(b.Pixel(c.corner.x, c.corner.y), c.key) << c.what;
        EXPECT_EQ(b.Pixel(c.corner.x + 2, c.corner.y + 1), 0x00008000) << c.what;
        EXPECT_EQ(b.Pixel(c.corner.x + 10, c.corner.y + 6), clWhite) << c.what << ": outside the picture";
    }
    image.SetAutoSize(true);
    EXPECT_EQ(image.BoundsRect().right, 10);
    EXPECT_EQ(image.BoundsRect().bottom, 6);
    image.SetPicture(TBitmap(20, 16));
    EXPECT_EQ(image.BoundsRect().right, 20) << "follows a new picture";
    EXPECT_EQ(image.BoundsRect().bottom, 16);
}

TEST_F(StandardControls, BevelShapesDrawShadowAndHighlightWhereTheirStyleSays)
{
    TTestForm form(60, 40);
    TWindowProbe back(&form, "back", nullptr, RECT{0, 0, 60, 40});
    back.SetColor(clWhite);
    TBevel bevel(&back);
    bevel.SetBounds(0, 0, 30, 11);
    TBitmap b;
    const TColor S = clBtnShadow, H = clBtnHighlight, W = clWhite;
    struct Probe {
        int x, y;
        TColor color;
    };
    struct Case {
        TBevelShape shape;
        TBevelStyle style;
        std::vector<Probe> probes;
        const char* what;
    };
    const Case cases[] = {
        {TBevelShape::bsBottomLine, TBevelStyle::bsLowered,
         {{0, 9, S}, {29, 9, S}, {0, 10, H}, {29, 10, H}, {5, 8, W}, {5, 0, W}, {30, 9, W}},
         "etched bottom line: shadow above highlight"},
        {TBevelShape::bsBottomLine, TBevelStyle::bsRaised, {{5, 9, H}, {5, 10, S}}, "raised bottom line"},
        {TBevelShape::bsTopLine, TBevelStyle::bsLowered, {{5, 0, S}, {5, 1, H}, {5, 2, W}}, "top line"},
        {TBevelShape::bsLeftLine, TBevelStyle::bsLowered, {{0, 5, S}, {1, 5, H}, {2, 5, W}}, "left line"},
        {TBevelShape::bsRightLine, TBevelStyle::bsLowered, {{28, 5, S}, {29, 5, H}, {27, 5, W}}, "right line"},
        {TBevelShape::bsBox, TBevelStyle::bsLowered,
         {{0, 0, S}, {28, 0, S}, {0, 9, S}, {29, 0, H}, {29, 10, H}, {0, 10, H}, {1, 1, W}},
         "lowered box"},
        {TBevelShape::bsBox, TBevelStyle::bsRaised, {{0, 0, H}, {29, 10, S}}, "raised box"},
        {TBevelShape::bsFrame, TBevelStyle::bsLowered,
         {{0, 0, S}, {28, 0, S}, {0, 9, S}, {1, 1, H}, {29, 10, H}, {28, 9, S}, {2, 2, W}},
         "etched frame"},
        {TBevelShape::bsSpacer, TBevelStyle::bsLowered, {{0, 0, W}, {29, 10, W}}, "spacer"},
    };
    for (const Case& c : cases) {
        bevel.SetShape(c.shape);
        bevel.SetStyle(c.style);
        Render(back, b);
        for (const Probe& p : c.probes)
            EXPECT_EQ(b.Pixel(p.x, p.y), ColorToRGB(p.color)) << c.what << " at " << p.x << "," << p.y;
    }
}

namespace {

// Counts a window's WM_PAINT, so the leak test knows that the native
// controls painted at all (windowless ones: TPaintCounted).
template <class Control>
class TCounted : public Control {
public:
    using Control::Control;
    int paints = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        paints += msg == WM_PAINT;
        return Control::WndProc(msg, wp, lp);
    }
};

} // namespace

TEST_F(StandardControls, TenThousandPaintsOfTheStandardControlsLeaveNoGdiObjectBehind)
{
    TTestForm form(400, 200);
    TCounted<TPageControl> pages(&form);
    pages.SetBounds(5, 5, 390, 190);
    TCounted<TTabSheet> sheet(&pages);
    sheet.SetCaption("General");
    TCounted<TEdit> edit(&sheet), readOnly(&sheet);
    edit.SetBounds(10, 10, 120, 21);
    edit.SetText("text");
    readOnly.SetBounds(10, 40, 120, 21);
    readOnly.SetText("read-only");
    readOnly.SetReadOnly(true);
    TCounted<TButton> button(&sheet);
    button.SetBounds(10, 70, 75, 25);
    button.SetCaption("&Push");
    TCounted<TCheckBox> box(&sheet);
    box.SetBounds(10, 100, 120, 17);
    box.SetCaption("&Check");
    TPaintCounted<TLabel> label(&sheet), disabled(&sheet);
    label.SetBounds(150, 10, 120, 30);
    label.SetCaption("Two\r\nlines");
    disabled.SetBounds(150, 45, 120, 16);
    disabled.SetCaption("&Disabled");
    disabled.SetTransparent(true);
    disabled.SetEnabled(false);
    TPaintCounted<TImage> image(&sheet);
    image.SetBounds(150, 70, 40, 40);
    TBitmap picture(20, 20);
    picture.Fill(clFuchsia);
    image.SetPicture(picture);
    image.SetTransparent(true);
    TPaintCounted<TBevel> bevel(&sheet);
    bevel.SetBounds(200, 70, 100, 40);
    bevel.SetShape(TBevelShape::bsFrame);
    form.ShowActive();

    TControl* controls[] = {&sheet, &edit, &readOnly, &button, &box, &label, &disabled, &image, &bevel, &pages};
    const int* counts[] = {&sheet.paints, &edit.paints,     &readOnly.paints, &button.paints, &box.paints,
                           &label.paints, &disabled.paints, &image.paints,    &bevel.paints,  &pages.paints};
    constexpr int kinds = 10;
    TBitmap offscreen(400, 200);
    // Every tenth round goes through the window system (an invalidation and
    // WM_PAINT); the others run the same paint code into an off-screen DC,
    // about twenty times faster under Wine. The system tab control, slow to
    // draw and none of our code, paints in the first way only.
    auto paint = [&](int i) {
        if (i % 500 == 0) { // plain colours: a brush of its own goes, another comes
            edit.SetColor(i % 1000 ? 0x00C0FFFF : 0x00FFC0C0);
            box.SetColor(i % 1000 ? 0x00D8E8F0 : 0x00F0E8D8);
        }
        TControl* c = controls[i % kinds];
        if (i / kinds % 10 == 0) {
            c->Invalidate();
            c->Update();
        } else if (c->IsWindowed() && c != &pages) {
            SendMessageW(static_cast<TWinControl*>(c)->Handle(), WM_PAINT,
                         reinterpret_cast<WPARAM>(offscreen.Canvas().Handle()), 0);
        } else if (!c->IsWindowed()) {
            const TSavedDC state(offscreen.Canvas().Handle());
            static_cast<TGraphicControl*>(c)->Paint(offscreen.Canvas());
        }
    };
    for (int i = 0; i < 200; ++i) // caches filled
        paint(i);
    int before[kinds];
    for (int k = 0; k < kinds; ++k)
        before[k] = *counts[k];
    const int objects = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i)
        paint(i);
    EXPECT_EQ(LiveGdiObjects(), objects);
    for (int k = 0; k < kinds; ++k)
        EXPECT_GE(*counts[k] - before[k], controls[k] == &pages ? 100 : 1000) << "control " << k << " painted";
}
