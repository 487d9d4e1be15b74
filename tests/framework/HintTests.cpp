// Hints: which controls show theirs, and the tooltip itself: it appears over
// the control under the pointer (windowless and disabled ones included), in
// the application's hint colour, keeps line breaks, and hides after the
// application's hide pause.
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Edit.h"
#include "framework/Hints.h"
#include "framework/Label.h"
#include "framework/Popup.h"
#include "tests/framework/Probes.h"
#include "tests/support/GuiHelpers.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// Short delays for the test, the application's own restored afterwards.
class Hints : public ::testing::Test {
protected:
    Hints() : color_(Application().HintColor), pause_(Application().HintPause), hide_(Application().HintHidePause)
    {
        Application().HintColor = 0x00E1FFFF;
        Application().HintPause = 50;
        Application().HintHidePause = 600;
    }
    ~Hints() override
    {
        ParkCursor();
        TipGone();
        Application().HintColor = color_;
        Application().HintPause = pause_;
        Application().HintHidePause = hide_;
    }

    static bool TipShown()
    {
        HWND tip = HintWindowHandle();
        return tip && IsWindowVisible(tip);
    }
    static bool TipGone() { return PumpUntil([] { return !TipShown(); }, 3000); }
    static std::wstring TipText()
    {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.lpszText = text;
        SendMessageW(HintWindowHandle(), TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    static int TipHeight()
    {
        RECT r;
        GetWindowRect(HintWindowHandle(), &r);
        return r.bottom - r.top;
    }
    // Moves the pointer onto the control from outside and waits for a tip.
    static bool Hover(TControl& control)
    {
        ParkCursor();
        if (!TipGone())
            return false;
        MoveCursorTo(control, 3, 3);
        MoveCursorTo(control, 4, 4);
        return PumpUntil(TipShown, 500);
    }

private:
    TColor color_;
    int pause_, hide_;
};

} // namespace

TEST_F(Hints, TheTipAppearsInTheHintColourAndHidesAfterThePause)
{
    TTestForm form(200, 60);
    form.ShowHint = true;
    TLabel label(&form);
    label.SetBounds(10, 10, 80, 20);
    label.SetCaption("hover me");
    label.Hint = "Wanna visit my site?";
    form.ShowActive();
    ASSERT_TRUE(Hover(label));
    const ULONGLONG shown = GetTickCount64();
    EXPECT_EQ(TipText(), L"Wanna visit my site?");
    HWND tip = HintWindowHandle();
    HDC dc = GetDC(tip);
    const COLORREF background = GetPixel(dc, 1, 1);
    ReleaseDC(tip, dc);
    EXPECT_EQ(static_cast<TColor>(background), 0x00E1FFFF);
    ASSERT_TRUE(PumpUntil([] { return !TipShown(); }, 3000));
    const auto elapsed = static_cast<int>(GetTickCount64() - shown);
    EXPECT_GE(elapsed, 600 - 150) << "not before the pause";
    EXPECT_LE(elapsed, 600 + 1000) << "but soon after it";
}

TEST_F(Hints, WindowlessAndDisabledControlsShowTheirHintsOthersOnlyWhenTheRulesSay)
{
    TTestForm form(300, 120);
    form.ShowHint = false;
    TLabel link(&form), plain(&form);
    link.SetBounds(10, 10, 80, 16);
    link.Hint = "E-mail me ! :D";
    link.ShowHint = true;
    plain.SetBounds(10, 35, 80, 16);
    plain.Hint = "not shown";
    TWindowProbe panel(&form, "panel", nullptr, RECT{100, 0, 300, 120});
    panel.ShowHint = true;
    TEdit disabled(&panel), quiet(&panel);
    disabled.SetBounds(10, 10, 120, 21);
    disabled.Hint = "a disabled editor";
    disabled.SetEnabled(false);
    quiet.SetBounds(10, 40, 120, 21);
    quiet.Hint = "not shown either";
    quiet.ParentShowHint = false;
    TButton button(&panel);
    button.SetBounds(10, 70, 120, 25);
    button.Hint = "First line\r\nSecond line";
    form.ShowActive();

    ASSERT_TRUE(Hover(link)) << "its own ShowHint, regardless of the form's";
    EXPECT_EQ(TipText(), L"E-mail me ! :D");
    const int oneLine = TipHeight();
    EXPECT_FALSE(Hover(plain)) << "the form shows no hints";
    ASSERT_TRUE(Hover(disabled)) << "a disabled control";
    EXPECT_EQ(TipText(), L"a disabled editor");
    EXPECT_FALSE(Hover(quiet));
    ASSERT_TRUE(Hover(button));
    EXPECT_GT(TipHeight(), oneLine * 3 / 2) << "two lines";
}

TEST_F(Hints, AHiddenTipLetsClicksThroughAMouseTransparentPopup)
{
    TTestForm form(200, 100);
    form.ShowHint = true;
    TWindowProbe below(&form, "below", nullptr, RECT{10, 10, 190, 90});
    below.Hint = "below";
    int presses = 0;
    below.OnMouseDown = [&](TControl&, TMouseButton, unsigned, int, int) { ++presses; };
    form.ShowActive();
    ASSERT_TRUE(Hover(below));
    ASSERT_TRUE(TipGone());
    class TBalloon : public TPopupWindow {
    public:
        using TPopupWindow::TPopupWindow;
        void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), clInfoBk); }
    } balloon(&below);
    const POINT at = below.ClientToScreen(POINT{20, 20});
    balloon.SetBounds(at.x, at.y, 60, 30);
    balloon.SetMouseTransparent(true);
    balloon.ShowNoActivate();
    MoveCursorToScreen(POINT{at.x + 30, at.y + 15});
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(presses, 1) << "the tooltip, hidden, takes no click";
}
