// The flat edit: its frame in every look (printed and on the screen), the hot
// rules under real input, its height from the font, its colours, the class
// list of flat-style controls, the print path and GDI use.
#include "controls/edit/FlatEdit.h"
#include "framework/Buttons.h"
#include "tests/controls/PixelRules.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quillon;
using namespace quillon::test;

namespace {

// Counts the frame paints the system asks for.
class TProbedFlatEdit : public TFlatEdit {
public:
    using TFlatEdit::TFlatEdit;
    int framePaints = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_NCPAINT)
            ++framePaints;
        return TFlatEdit::WndProc(msg, wp, lp);
    }
};

class TDerivedFlatEdit : public TFlatEdit {
public:
    using TFlatEdit::TFlatEdit;
};

// The rings of the frame from the outside in, by look.
void ExpectFlatFrame(const TBitmap& b, const std::string& what)
{
    const RECT r{0, 0, b.Width(), b.Height()};
    ExpectRing(b, r, clBtnFace, clBtnFace, what + ", ring 1");
    ExpectRing(b, Inset(r, 1), clBtnFace, clBtnFace, what + ", ring 2");
    ExpectRing(b, Inset(r, 2), clWindow, clWindow, what + ", ring 3");
}

void ExpectSunkenFrame(const TBitmap& b, const std::string& what)
{
    const RECT r{0, 0, b.Width(), b.Height()};
    ExpectRing(b, r, clBtnShadow, clBtnHighlight, what + ", ring 1");
    ExpectRing(b, Inset(r, 1), clBtnFace, cl3DLight, what + ", ring 2");
    ExpectRing(b, Inset(r, 2), clWindow, clWindow, what + ", ring 3");
}

// The window as its print path renders it (frame included).
TBitmap& Printed(TWinControl& c, TBitmap& out)
{
    out.SetSize(c.Width(), c.Height());
    out.Fill(clFuchsia);
    c.PaintTo(out.Canvas());
    return out;
}

bool SamePicture(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

// The main window's situation: a standard control and two flat edits.
class FlatEdits : public ::testing::Test {
protected:
    FlatEdits() : form(300, 100)
    {
        standard.SetBounds(10, 10, 100, 23);
        standard.SetCaption("Standard");
        a.SetBounds(10, 40, 80, a.Height());
        a.SetText("50");
        b.SetBounds(120, 40, 80, b.Height());
        b.SetText("other");
        form.SetActiveControl(&standard);
        ParkCursor();
        form.ShowActive();
    }
    ~FlatEdits() override { ParkCursor(); }

    TTestForm form;
    TButton standard{&form}; // no flat-style control, as a check box
    TProbedFlatEdit a{&form}, b{&form};
};

} // namespace

TEST_F(FlatEdits, EveryLookOfTheFrameAndTheTextArea)
{
    struct Case {
        const char* name;
        std::function<void()> make;
        bool sunken;
        TColor area;
    };
    const Case cases[] = {
        {"idle", [] {}, false, clWindow},
        {"pointer over it, focus on a standard control", [&] { MoveCursorTo(a, 20, 8); }, true, clWindow},
        {"pointer gone", [&] { ParkCursor(); }, false, clWindow},
        {"focused", [&] { a.SetFocus(); }, true, clWindow},
        {"focused, pointer gone", [&] { MoveCursorTo(a, 20, 8); ParkCursor(); }, true, clWindow},
        {"pointer over it, focus in another flat edit", [&] { b.SetFocus(); MoveCursorTo(a, 20, 8); }, false, clWindow},
        {"disabled", [&] { ParkCursor(); a.SetEnabled(false); }, false, clBtnFace},
        {"enabled again", [&] { a.SetEnabled(true); }, false, clWindow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        // The pointer's leave notice comes by the system's own polling.
        PumpUntil([&] { return a.Hot() == c.sunken; }, 1000);
        Settle();
        TBitmap printed, shown;
        Printed(a, printed);
        HideCaret(a.Handle()); // printing leaves the caret out
        CaptureWindow(a.Handle(), shown);
        ShowCaret(a.Handle());
        EXPECT_TRUE(SamePicture(printed, shown)) << "printing shows what the screen shows";
        if (c.sunken)
            ExpectSunkenFrame(shown, c.name);
        else
            ExpectFlatFrame(shown, c.name);
        EXPECT_EQ(a.Hot(), c.sunken);
        EXPECT_EQ(a.Color(), c.area);
        const RECT area = Inset(RECT{0, 0, a.Width(), a.Height()}, 3);
        const PixelSet text = Pixels(shown, area, c.area, false);
        EXPECT_FALSE(text.empty()) << "the text \"50\"";
        EXPECT_GT(Pixels(shown, area, c.area).size(), 4 * text.size()) << "the text area's colour";
    }
}

TEST_F(FlatEdits, TheHeightFollowsTheFont)
{
    EXPECT_EQ(a.Height(), 19) << "Tahoma 8 pt: 13 pixels of text and the frame";
    // A font whose text height (cell height with internal leading) is 20:
    // Tahoma skips it, the bitmap MS Sans Serif has it.
    TFont big = a.Font();
    big.name = "MS Sans Serif";
    big.height = 20;
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(big);
    TEXTMETRICW metrics{};
    GetTextMetricsW(probe.Canvas().Handle(), &metrics);
    ASSERT_EQ(metrics.tmHeight, 20);
    a.SetFont(big);
    EXPECT_EQ(a.Height(), 26);
    RECT client;
    GetClientRect(a.Handle(), &client);
    EXPECT_EQ(client.bottom, 20) << "the text area is the window less a 3-pixel frame";
    EXPECT_EQ(client.right, a.Width() - 6);

    // A stored height read after the font gives way to the font when loading ends.
    TTestForm loaded(100, 60);
    loaded.BeginLoad();
    TFlatEdit e(&loaded);
    e.SetFont(big);
    e.SetBounds(0, 0, 50, 40);
    loaded.EndLoad();
    EXPECT_EQ(e.Height(), 26);
}

TEST_F(FlatEdits, VersionIsFixed)
{
    EXPECT_EQ(a.Version(), "FlatEdit version 1.76");
    a.SetVersion("FlatEdit version 2.0");
    EXPECT_EQ(a.Version(), "FlatEdit version 1.76");
}

TEST(FlatControlClasses, ExistWhileAFlatEditLives)
{
    ASSERT_EQ(TFlatEdit::InstanceCount(), 0);
    EXPECT_EQ(FlatControlClasses(), nullptr);
    EXPECT_FALSE(IsFlatControl(nullptr));
    TTestForm form(200, 60);
    TButton standard(&form);
    {
        auto first = std::make_unique<TFlatEdit>(&form);
        ASSERT_NE(FlatControlClasses(), nullptr);
        EXPECT_EQ(FlatControlClasses()->size(), 1u);
        TDerivedFlatEdit derived(&form);
        EXPECT_EQ(FlatControlClasses()->size(), 1u) << "one entry for the class";
        EXPECT_EQ(TFlatEdit::InstanceCount(), 2);
        EXPECT_TRUE(IsFlatControl(first.get()));
        EXPECT_TRUE(IsFlatControl(&derived)) << "a derived class counts";
        EXPECT_FALSE(IsFlatControl(&standard));
        EXPECT_FALSE(IsFlatControl(nullptr));
        first.reset();
        EXPECT_NE(FlatControlClasses(), nullptr) << "one still lives";
    }
    EXPECT_EQ(TFlatEdit::InstanceCount(), 0);
    EXPECT_EQ(FlatControlClasses(), nullptr) << "freed with the last one";
    TFlatEdit again(&form);
    ASSERT_NE(FlatControlClasses(), nullptr) << "made again";
    EXPECT_TRUE(IsFlatControl(&again));
}

TEST_F(FlatEdits, ThePrintRequestHonoursItsFlags)
{
    a.SetFocus();
    Settle();
    const int w = a.Width(), h = a.Height();
    TBitmap whole(w, h), client(w, h);
    whole.Fill(clFuchsia);
    client.Fill(clFuchsia);
    const auto dc = [](TBitmap& bmp) { return reinterpret_cast<WPARAM>(bmp.Canvas().Handle()); };
    EXPECT_EQ(SendMessageW(a.Handle(), WM_PRINT, dc(whole), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND), 1);
    EXPECT_EQ(SendMessageW(a.Handle(), WM_PRINT, dc(client), PRF_CLIENT), 1);
    ExpectSunkenFrame(whole, "frame and client");
    int moved = 0;
    for (int y = 0; y < h - 6; ++y)
        for (int x = 0; x < w - 6; ++x)
            moved += client.Pixel(x, y) != whole.Pixel(x + 3, y + 3);
    EXPECT_EQ(moved, 0) << "without the frame, the client area lies at the origin";
    EXPECT_EQ(client.Pixel(w - 1, h - 1), clFuchsia) << "and nothing else is drawn";

    TBitmap hidden(w, h);
    hidden.Fill(clFuchsia);
    a.SetVisible(false);
    SendMessageW(a.Handle(), WM_PRINT, dc(hidden), PRF_CHECKVISIBLE | PRF_NONCLIENT | PRF_CLIENT);
    EXPECT_EQ(Pixels(hidden, RECT{0, 0, w, h}, clFuchsia).size(), static_cast<size_t>(w * h)) << "hidden: nothing";
}

TEST_F(FlatEdits, TenThousandPaintsOfEachLookKeepTheGdiCount)
{
    struct Look {
        const char* name;
        std::function<void()> make;
    };
    const Look looks[] = {
        {"idle", [] {}},
        {"sunken", [&] { a.SetFocus(); }},
        {"disabled", [&] { a.SetEnabled(false); }},
    };
    // The frame request as the system sends it (the whole frame, or an
    // update region in screen coordinates), and the print path.
    RECT window;
    GetWindowRect(a.Handle(), &window);
    HRGN region = CreateRectRgn(window.left, window.top, window.left + 10, window.bottom);
    TBitmap target(a.Width(), a.Height());
    const auto paint = [&](int i) {
        SendMessageW(a.Handle(), WM_NCPAINT, i % 2 ? reinterpret_cast<WPARAM>(region) : 1, 0);
        a.PaintTo(target.Canvas());
    };
    for (const Look& look : looks) {
        SCOPED_TRACE(look.name);
        look.make();
        Settle();
        for (int i = 0; i < 5; ++i)
            paint(i);
        const int before = LiveGdiObjects();
        const int paintsBefore = a.framePaints;
        for (int i = 0; i < 10000; ++i)
            paint(i);
        EXPECT_EQ(LiveGdiObjects(), before);
        EXPECT_EQ(a.framePaints - paintsBefore, 10000);
    }
    DeleteObject(region);
}
