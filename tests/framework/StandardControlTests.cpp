// The check box (clicks by the user and by code), and the windowless label,
// image and bevel, rendered off-screen and checked pixel by pixel.
#include "framework/Bevel.h"
#include "framework/Buttons.h"
#include "framework/Edit.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Pages.h"
#include "tests/framework/Probes.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillon;
using namespace quillon::test;

namespace {

void Press(WORD vk)
{
    Key(vk, true);
    Key(vk, false);
}

void AltKey(WORD vk)
{
    Key(VK_MENU, true);
    Press(vk);
    Key(VK_MENU, false);
}

void ClickAt(TControl& control, int x, int y)
{
    MoveCursorTo(control, x, y);
    MouseButton(true, true);
    MouseButton(true, false);
}

// The parent with its windowless children, as its window shows them.
void Render(TWinControl& parent, TBitmap& out)
{
    out.SetSize(parent.ClientWidth(), parent.ClientHeight());
    parent.PaintTo(out.Canvas());
}

// The smallest rectangle of `area` holding the pixels that differ from `background`.
RECT Ink(const TBitmap& b, RECT area, TColor background)
{
    RECT ink{area.right, area.bottom, area.left, area.top};
    const TColor back = ColorToRGB(background);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (b.Pixel(x, y) != back) {
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
    auto windowChecked = [&] { return SendMessageW(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; };
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
        {[&] { Press(VK_SPACE); }, true, 1, "Space on the focused box"},
        {[&] {
             other.SetFocus();
             AltKey('C');
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
        EXPECT_EQ(windowChecked(), s.checked) << s.what;
        EXPECT_EQ(clicks, s.clicks) << s.what;
    }
    EXPECT_TRUE(box.Focused()) << "the accelerator focused it";
}

TEST_F(StandardControls, ACheckBoxTakesItsParentsBackground)
{
    TTestForm form(200, 60);
    TWindowProbe page(&form, "page", nullptr, RECT{0, 0, 200, 60});
    page.SetColor(0x00D0E0F0);
    TCheckBox box(&page);
    box.SetBounds(10, 10, 150, 17);
    box.SetCaption("On a page");
    form.ShowActive();
    box.Update();
    HDC dc = GetDC(box.Handle());
    const COLORREF beyondText = GetPixel(dc, 145, 8);
    ReleaseDC(box.Handle(), dc);
    EXPECT_EQ(static_cast<TColor>(beyondText), 0x00D0E0F0);
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
    HDC screen = GetDC(nullptr);
    TCanvas measure(screen);
    measure.SetFont(label.Font());
    const int lineHeight = measure.MeasureText("Wg", DT_SINGLELINE).cy;
    const int goWidth = measure.MeasureText("Go", DT_SINGLELINE).cx;
    measure.SetHandle(nullptr);
    ReleaseDC(nullptr, screen);

    label.SetCaption("&Go");
    Render(back, b);
    const RECT left = Ink(b, area, clWhite);
    EXPECT_LE(left.left, 1) << "left-justified";
    EXPECT_NEAR(left.right - left.left, goWidth, 2) << "the ampersand is not drawn";
    label.SetShowAccelChar(false);
    Render(back, b);
    EXPECT_GT(Ink(b, area, clWhite).right - Ink(b, area, clWhite).left, goWidth + 3) << "\"&\" drawn as itself";
    label.SetShowAccelChar(true);

    label.SetAlignment(TAlignment::taRightJustify);
    Render(back, b);
    EXPECT_GE(Ink(b, area, clWhite).right, 178) << "right-justified";
    label.SetAlignment(TAlignment::taCenter);
    Render(back, b);
    const RECT centred = Ink(b, area, clWhite);
    EXPECT_NEAR((centred.left + centred.right) / 2, 90, 2) << "centred";

    label.SetAlignment(TAlignment::taLeftJustify);
    label.SetCaption("Line one\r\nLine two");
    Render(back, b);
    EXPECT_GT(Ink(b, area, clWhite).bottom, lineHeight + 2) << "two lines";
    label.SetCaption("several words that cannot fit on one line of this label");
    Render(back, b);
    EXPECT_LE(Ink(b, area, clWhite).bottom, lineHeight + 1) << "one clipped line without WordWrap";
    label.SetWordWrap(true);
    Render(back, b);
    EXPECT_GT(Ink(b, area, clWhite).bottom, lineHeight + 2) << "wrapped";

    label.SetWordWrap(false);
    label.SetCaption("Off");
    label.SetEnabled(false);
    Render(back, b);
    EXPECT_GT(CountColor(b, area, clBtnShadow), 0) << "embossed: shadow copy";
    EXPECT_GT(CountColor(b, area, clBtnHighlight), 0) << "and a highlight copy under it";
    EXPECT_EQ(CountColor(b, area, clBlack), 0) << "not in the font colour";
}

TEST_F(StandardControls, AnOpaqueLabelFillsItsColourATransparentOneShowsItsParent)
{
    TTestForm form(120, 40);
    TWindowProbe back(&form, "back", nullptr, RECT{0, 0, 120, 40});
    back.SetColor(0x00E0C0A0);
    TLabel label(&back);
    label.SetBounds(10, 10, 60, 16);
    label.SetCaption("x");
    TBitmap b;
    Render(back, b);
    EXPECT_EQ(b.Pixel(60, 20), 0x00E0C0A0) << "parent colour by default";
    label.SetColor(0x000000FF);
    Render(back, b);
    EXPECT_EQ(b.Pixel(60, 20), 0x000000FF);
    label.SetTransparent(true);
    Render(back, b);
    EXPECT_EQ(b.Pixel(60, 20), 0x00E0C0A0);
    EXPECT_EQ(b.Pixel(5, 5), 0x00E0C0A0);
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
    MoveCursorTo(label, 20, 8);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    MouseButton(true, true);
    MoveCursorTo(form, 200, 50);
    MouseButton(true, false);
    EXPECT_EQ(clicks, 1) << "released outside";

    other.SetFocus();
    AltKey('N');
    EXPECT_TRUE(edit->Focused());
    edit.reset();
    EXPECT_EQ(label.FocusControl(), nullptr) << "forgotten when it goes";
    AltKey('N');
    EXPECT_EQ(clicks, 1);
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
        EXPECT_EQ(b.Pixel(c.corner.x, c.corner.y), ColorToRGB(c.key)) << c.what;
        EXPECT_EQ(b.Pixel(c.corner.x + 2, c.corner.y + 1), 0x00008000) << c.what;
        EXPECT_EQ(b.Pixel(c.corner.x + 10, c.corner.y + 6), clWhite) << c.what << ": outside the picture";
    }
    image.SetAutoSize(true);
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(image.Height(), 6);
    TBitmap bigger(20, 16);
    image.SetPicture(bigger);
    EXPECT_EQ(image.Width(), 20) << "follows a new picture";
    EXPECT_EQ(image.Height(), 16);
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

// Counts the paints that really happened (WM_PAINT of a window, or a
// windowless control's Paint), so a leak test knows it painted at all.
template <class Control>
class TCountedWindow : public Control {
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

template <class Control>
class TCountedGraphic : public Control {
public:
    using Control::Control;
    int paints = 0;
    void Paint(TCanvas& canvas) override
    {
        ++paints;
        Control::Paint(canvas);
    }
};

} // namespace

TEST_F(StandardControls, TenThousandPaintsOfTheStandardControlsLeaveNoGdiObjectBehind)
{
    TTestForm form(400, 200);
    TCountedWindow<TPageControl> pages(&form);
    pages.SetBounds(5, 5, 390, 190);
    TCountedWindow<TTabSheet> sheet(&pages);
    sheet.SetCaption("General");
    sheet.SetColor(0x00D8E8F0);
    TCountedWindow<TEdit> edit(&sheet), readOnly(&sheet);
    edit.SetBounds(10, 10, 120, 21);
    edit.SetText("text");
    edit.SetColor(0x00C0FFFF);
    readOnly.SetBounds(10, 40, 120, 21);
    readOnly.SetText("read-only");
    readOnly.SetReadOnly(true);
    TCountedWindow<TButton> button(&sheet);
    button.SetBounds(10, 70, 75, 25);
    button.SetCaption("&Push");
    TCountedWindow<TCheckBox> box(&sheet);
    box.SetBounds(10, 100, 120, 17);
    box.SetCaption("&Check");
    box.SetChecked(true);
    TCountedGraphic<TLabel> label(&sheet), disabled(&sheet);
    label.SetBounds(150, 10, 120, 30);
    label.SetCaption("Two\r\nlines");
    disabled.SetBounds(150, 45, 120, 16);
    disabled.SetCaption("&Disabled");
    disabled.SetTransparent(true);
    disabled.SetEnabled(false);
    TCountedGraphic<TImage> image(&sheet);
    image.SetBounds(150, 70, 40, 40);
    TBitmap picture(20, 20);
    picture.Fill(clFuchsia);
    picture.Canvas().FillRect(RECT{4, 4, 16, 16}, clBlue);
    image.SetPicture(picture);
    image.SetCenter(true);
    image.SetTransparent(true);
    TCountedGraphic<TBevel> bevel(&sheet);
    bevel.SetBounds(200, 70, 100, 40);
    bevel.SetShape(TBevelShape::bsFrame);
    form.ShowActive();

    TControl* controls[] = {&sheet, &edit, &readOnly, &button, &box, &label, &disabled, &image, &bevel, &pages};
    const int* counts[] = {&sheet.paints, &edit.paints,     &readOnly.paints, &button.paints, &box.paints,
                           &label.paints, &disabled.paints, &image.paints,    &bevel.paints,  &pages.paints};
    constexpr int kinds = 10;
    TBitmap offscreen(400, 200);
    // Every tenth paint goes through the window system (WM_PAINT after an
    // invalidation, the page control's too); the others run the same paint
    // code into an off-screen DC (WM_PAINT with a DC; a windowless control's
    // Paint), which is what costs GDI objects if anything does. The system
    // tab control, slow to draw and none of our code, paints the first way only.
    auto paint = [&](int i) {
        if (i % 500 == 0) { // a brush of its own goes, another comes
            edit.SetColor(i % 1000 ? 0x00C0FFFF : 0x00FFC0C0);
            box.SetColor(i % 1000 ? 0x00D8E8F0 : 0x00F0E8D8);
        }
        TControl* c = controls[i % kinds];
        if (i / kinds % 10 == 0) {
            c->Invalidate();
            c->Update();
        } else if (c == &pages) {
            return;
        } else if (c->IsWindowed()) {
            SendMessageW(static_cast<TWinControl*>(c)->Handle(), WM_PAINT,
                         reinterpret_cast<WPARAM>(offscreen.Canvas().Handle()), 0);
        } else {
            TCanvasState state(offscreen.Canvas());
            static_cast<TGraphicControl*>(c)->Paint(offscreen.Canvas());
        }
    };
    for (int i = 0; i < 10 * kinds * 2; ++i) // caches filled
        paint(i);
    int before[kinds];
    for (int k = 0; k < kinds; ++k)
        before[k] = *counts[k];
    const int objects = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i)
        paint(i);
    EXPECT_EQ(LiveGdiObjects(), objects);
    for (int k = 0; k < kinds; ++k)
        EXPECT_GE(*counts[k] - before[k], controls[k] == &pages ? 10000 / kinds / 10 : 10000 / kinds)
            << "control " << k << " painted each time";
}
