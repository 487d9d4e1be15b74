// The flat edit: its frame and text area in every look (on the screen and
// printed) under real input, its height from the font, the list of
// flat-style classes, the print request's flags and GDI use.
#include "controls/edit/FlatEdit.h"
#include "framework/Buttons.h"
#include "framework/GdiObjects.h"
#include "tests/controls/PixelRules.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quillon;
using namespace quillon::test;

namespace {

// Counts the frame requests of the system.
class TProbedFlatEdit : public TFlatEdit {
public:
    using TFlatEdit::TFlatEdit;
    int framePaints = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        framePaints += msg == WM_NCPAINT;
        return TFlatEdit::WndProc(msg, wp, lp);
    }
};

// The frame's three rings from the outside in.
void ExpectFrame(const TBitmap& b, bool sunken)
{
    const RECT r{0, 0, b.Width(), b.Height()};
    ExpectRing(b, r, sunken ? clBtnShadow : clBtnFace, sunken ? clBtnHighlight : clBtnFace, "ring 1");
    ExpectRing(b, Inset(r, 1), clBtnFace, sunken ? cl3DLight : clBtnFace, "ring 2");
    ExpectRing(b, Inset(r, 2), clWindow, clWindow, "ring 3");
}

// The main window's situation: a control that is not flat-style (there a
// check box) and two flat edits.
class FlatEdits : public ::testing::Test {
protected:
    FlatEdits() : form(300, 100)
    {
        standard.SetBounds(10, 10, 100, 23);
        a.SetBounds(10, 40, 80, a.Height());
        a.SetText("50");
        b.SetBounds(120, 40, 80, b.Height());
        form.SetActiveControl(&standard);
        ParkCursor();
        form.ShowActive();
    }
    ~FlatEdits() override { ParkCursor(); }

    TTestForm form;
    TButton standard{&form};
    TProbedFlatEdit a{&form}, b{&form};
};

} // namespace

TEST_F(FlatEdits, EveryLookOfTheFrameAndTheTextArea)
{
    const struct {
        const char* name;
        std::function<void()> make;
        bool sunken;
    } cases[] = {
        {"idle", [] {}, false},
        {"pointer over it, focus on a standard control", [&] { MoveCursorTo(a, 20, 8); }, true},
        {"pointer gone", [&] { ParkCursor(); }, false},
        {"focused", [&] { a.SetFocus(); }, true},
        {"focused, pointer in and gone", [&] { MoveCursorTo(a, 20, 8); ParkCursor(); }, true},
        {"pointer over it, focus in another flat edit", [&] { b.SetFocus(); MoveCursorTo(a, 20, 8); }, false},
        {"disabled", [&] { ParkCursor(); a.SetEnabled(false); }, false},
        {"enabled again", [&] { a.SetEnabled(true); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        PumpUntil([&] { return a.Hot() == c.sunken; }, 1000); // the leave notice comes by polling
        Settle();
        TBitmap printed(a.Width(), a.Height()), shown;
        a.PaintTo(printed.Canvas());
        HideCaret(a.Handle()); // printing leaves the caret out
        CaptureWindow(a.Handle(), shown);
        ShowCaret(a.Handle());
        EXPECT_TRUE(SamePicture(printed, shown)) << "printing shows what the screen shows";
        EXPECT_EQ(a.Hot(), c.sunken);
        ExpectFrame(shown, c.sunken);
        const TColor area = a.Enabled() ? clWindow : clBtnFace;
        EXPECT_EQ(a.Color(), area);
        const RECT client = Inset(RECT{0, 0, a.Width(), a.Height()}, 3);
        EXPECT_GT(Pixels(shown, client, area).size(), 4 * Pixels(shown, client, area, false).size())
            << "the text \"50\" on the text area's colour";
    }
}

TEST_F(FlatEdits, TheHeightFollowsTheFont)
{
    EXPECT_EQ(a.Height(), 19) << "Tahoma 8 pt: 13 pixels of text and the frame";
    TFont big = a.Font(); // text height 20 (Tahoma has none)
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
    EXPECT_TRUE(client.right == a.Width() - 6 && client.bottom == 20) << "the window less a 3-pixel frame";

    // A stored height read after the font gives way to the font when loading ends.
    form.BeginLoad();
    TFlatEdit loaded(&form);
    loaded.SetFont(big);
    loaded.SetBounds(0, 0, 50, 40);
    form.EndLoad();
    EXPECT_EQ(loaded.Height(), 26);

    EXPECT_EQ(a.Version(), "FlatEdit version 1.76");
    a.SetVersion("FlatEdit version 2.0");
    EXPECT_EQ(a.Version(), "FlatEdit version 1.76") << "a written version is ignored";
}

TEST(FlatControlClasses, ExistWhileAFlatEditLives)
{
    class TDerived : public TFlatEdit {
        using TFlatEdit::TFlatEdit;
    };
    ASSERT_EQ(TFlatEdit::InstanceCount(), 0);
    EXPECT_EQ(FlatControlClasses(), nullptr);
    TTestForm form(200, 60);
    TButton standard(&form);
    {
        auto first = std::make_unique<TFlatEdit>(&form);
        TDerived derived(&form);
        ASSERT_NE(FlatControlClasses(), nullptr);
        EXPECT_EQ(FlatControlClasses()->size(), 1u) << "one entry for the class";
        EXPECT_TRUE(IsFlatControl(first.get()) && IsFlatControl(&derived)) << "derived classes count";
        EXPECT_FALSE(IsFlatControl(&standard) || IsFlatControl(nullptr));
        first.reset();
        EXPECT_NE(FlatControlClasses(), nullptr) << "one still lives";
    }
    EXPECT_EQ(FlatControlClasses(), nullptr) << "freed with the last one";
    TFlatEdit again(&form);
    EXPECT_TRUE(FlatControlClasses() && IsFlatControl(&again)) << "made again";
}

TEST_F(FlatEdits, ThePrintRequestHonoursItsFlags)
{
    class TSwatch : public TCustomControl { // a child window, red
    public:
        using TCustomControl::TCustomControl;
        void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), 0x0000FF); }
    } swatch(&a);
    swatch.SetBounds(20, 2, 4, 4);
    a.SetFocus();
    Settle();
    const int w = a.Width(), h = a.Height();
    auto print = [&](TBitmap& bmp, LPARAM flags) {
        bmp.SetSize(w, h);
        bmp.Fill(clFuchsia);
        return SendMessageW(a.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), flags);
    };
    TBitmap whole, client, hidden;
    EXPECT_EQ(print(whole, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN), 1);
    EXPECT_EQ(print(client, PRF_CLIENT), 1);
    ExpectFrame(whole, true);
    EXPECT_EQ(Pixels(whole, RECT{0, 0, w, h}, 0x0000FF), Pixels(whole, RECT{23, 5, 27, 9}, 0x0000FF));
    EXPECT_EQ(Pixels(whole, RECT{23, 5, 27, 9}, 0x0000FF).size(), 16u) << "the child in its place past the frame";
    int moved = 0;
    for (int y = 0; y < h - 6; ++y)
        for (int x = 0; x < w - 6; ++x)
            moved += client.Pixel(x, y) != whole.Pixel(x + 3, y + 3) && whole.Pixel(x + 3, y + 3) != 0x0000FF;
    EXPECT_EQ(moved, 0) << "without the frame the client area lies at the origin";
    EXPECT_EQ(client.Pixel(w - 1, h - 1), clFuchsia) << "and nothing else is drawn";
    a.SetVisible(false);
    print(hidden, PRF_CHECKVISIBLE | PRF_NONCLIENT | PRF_CLIENT);
    EXPECT_EQ(Pixels(hidden, RECT{0, 0, w, h}, clFuchsia).size(), static_cast<size_t>(w * h)) << "hidden: nothing";
}

TEST_F(FlatEdits, TenThousandPaintsOfEachLookKeepTheGdiCount)
{
    // The frame request as the system sends it (the whole frame, or an update
    // region in screen coordinates), and the print path.
    RECT window;
    GetWindowRect(a.Handle(), &window);
    const TGdiObject<HRGN> region(CreateRectRgn(window.left, window.top, window.left + 10, window.bottom));
    TBitmap target(a.Width(), a.Height());
    const auto paint = [&](int i) {
        SendMessageW(a.Handle(), WM_NCPAINT, i % 2 ? reinterpret_cast<WPARAM>(region.Get()) : 1, 0);
        a.PaintTo(target.Canvas());
    };
    const std::function<void()> looks[] = {[] {}, [&] { a.SetFocus(); }, [&] { a.SetEnabled(false); }};
    for (const auto& make : looks) {
        make();
        Settle();
        paint(1);
        const int before = LiveGdiObjects(), paints = a.framePaints;
        for (int i = 0; i < 10000; ++i)
            paint(i);
        EXPECT_EQ(LiveGdiObjects(), before);
        EXPECT_EQ(a.framePaints - paints, 10000);
    }
}

// The century editor's case of the rule every editor keeps: text up to the
// limit goes in and scrolls, whatever the width; a paste past it is refused
// whole (the system cut it silently), and a paste takes the first line.
TEST_F(FlatEdits, TextUpToTheLimitGoesInAndAPastePastItIsRefused)
{
    struct Case {
        std::wstring pasted;
        std::string after;
    } cases[] = {
        {std::wstring(30, L'7'), std::string(30, '7')},
        {std::wstring(31, L'7'), "50"},
        {L"12\r\n34", "12"},
    };
    a.SetMaxLength(30);
    a.SetWidth(26);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        a.SetText("50");
        a.SetFocus();
        Settle();
        a.SelectAll();
        ASSERT_TRUE(SetClipboardText(form.Handle(), c.pasted));
        Tap('V', {VK_CONTROL});
        EXPECT_EQ(a.Text(), c.after);
    }
}
