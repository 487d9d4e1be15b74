// The error balloon as the edit shows it: size, place and tail at the
// desktop's edges, looks, display time, mouse transparency, the hook that
// hides it, and its GDI use.
#include "controls/choice/ChoicePaint.h"
#include "controls/choice/ErrorPopup.h"
#include "controls/choice/PopupHook.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quillon;
using namespace quillon::test;

namespace {

// Stands in for the edit: a window that counts hide requests and presses.
class TOwnerProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int hideRequests = 0;
    ULONGLONG lastHide = 0;
    int presses = 0;

    void MouseDown(TMouseButton button, unsigned shift, int x, int y) override
    {
        TCustomControl::MouseDown(button, shift, x, y);
        ++presses;
    }

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), clWhite); }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == HideErrorMessage()) {
            ++hideRequests;
            lastHide = GetTickCount64();
            return 0;
        }
        return TCustomControl::WndProc(msg, wp, lp);
    }
};

class ErrorPopup : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TTestForm>(300, 120);
        owner = new TOwnerProbe(form.get()); // owned by... freed in TearDown
        owner->SetBounds(20, 20, 187, 19);
        form->ShowActive();
    }
    void TearDown() override
    {
        balloon.reset();
        RemovePopupHook();
        delete owner;
        form.reset();
        ParkCursor();
    }

    // Configured as the edit configures it.
    TQnMessageWindow& Show(const std::string& text)
    {
        balloon = std::make_unique<TQnMessageWindow>(owner);
        balloon->TimerOn = true;
        balloon->DisplayTime = 1900;
        balloon->SetKind(TMessageKind::mkError);
        balloon->SetAnchor(5, owner->Height() - 5);
        balloon->SetShape(TPopupShape::psBalloon);
        balloon->SetText(text);
        balloon->Popup();
        Settle();
        return *balloon;
    }

    TBitmap& Render(TBitmap& out)
    {
        out.SetSize(balloon->ClientWidth(), balloon->ClientHeight());
        balloon->PaintTo(out.Canvas());
        return out;
    }

    std::unique_ptr<TTestForm> form;
    TOwnerProbe* owner = nullptr;
    std::unique_ptr<TQnMessageWindow> balloon;
};

SIZE TextSize(const TFont& font, const std::string& text)
{
    TBitmap probe(1, 1);
    probe.Canvas().SetFont(font);
    return probe.Canvas().MeasureText(text, DT_SINGLELINE | DT_NOPREFIX);
}

TEST_F(ErrorPopup, SizedAroundIconAndTextBelowTheEditNeverActive)
{
    const std::string text = LoadResString(59995);
    TQnMessageWindow& b = Show(text);
    const SIZE t = TextSize(owner->Font(), text);
    EXPECT_EQ(b.Width(), t.cx + 3 + 3 + 14 + 6 + 8);
    EXPECT_EQ(b.Height(), std::max<int>(t.cy, 14) + 2 + 2 + 8 + 8);
    EXPECT_EQ(b.ClientWidth(), b.Width() - 2);
    const POINT at = owner->ClientToScreen(POINT{5, owner->Height() - 5});
    RECT r;
    GetWindowRect(b.Handle(), &r);
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.top, at.y);
    EXPECT_EQ(b.TailVariant(), 0);
    EXPECT_TRUE(IsWindowVisible(b.Handle()));
    EXPECT_TRUE(GetWindowLongPtrW(b.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(GetAncestor(b.Handle(), GA_PARENT), GetDesktopWindow()); // top-level
}

TEST_F(ErrorPopup, BalloonWithTailIconAndText)
{
    TQnMessageWindow& b = Show(LoadResString(59995));
    TBitmap out;
    Render(out);
    const int cw = out.Width(), ch = out.Height();
    const TColor fill = 0xEFFFFF, edge = ColorToRGB(clBtnShadow);
    // The rounded body from y 8; its straight edges in clBtnShadow.
    EXPECT_EQ(out.Pixel(cw / 2, 8), edge);
    EXPECT_EQ(out.Pixel(cw / 2, ch - 1), edge);
    EXPECT_EQ(out.Pixel(0, ch / 2 + 4), edge);
    EXPECT_EQ(out.Pixel(cw - 1, ch / 2 + 4), edge);
    EXPECT_EQ(out.Pixel(cw - 3, ch / 2 + 4), fill);
    // The tail at the top-left pointing up: its edge column at x 8.
    EXPECT_EQ(out.Pixel(8, 2), edge);
    EXPECT_EQ(out.Pixel(10, 6), fill);
    EXPECT_NE(out.Pixel(cw - 10, 3), fill); // no tail at the right
    // The sign at (5, 13): red disc, white cross centre.
    EXPECT_EQ(out.Pixel(5 + 1, 13 + 6), 0x0000FF);
    EXPECT_EQ(out.Pixel(5 + 6, 13 + 6), clWhite);
    EXPECT_EQ(out.Pixel(5, 13), fill); // the sign's fuchsia corner is transparent
    // Text in clInfoText right of the sign.
    const TColor ink = ColorToRGB(clInfoText);
    int inked = 0;
    for (int y = 13; y < ch - 2; ++y)
        for (int x = 25; x < cw - 2; ++x)
            inked += out.Pixel(x, y) == ink;
    EXPECT_GT(inked, 40);
    EXPECT_EQ(b.Kind(), TMessageKind::mkError);
}

TEST_F(ErrorPopup, AtTheScreenEdgesMovesInAndDropsTheTail)
{
    const POINT corner = ScreenCorner();
    struct Case {
        POINT editAt; // screen position of the edit's top-left
        int variant;
    } cases[] = {
        {{40, corner.y - 19}, 1},                // at the bottom
        {{corner.x - 30, 200}, 2},               // at the right
        {{corner.x - 30, corner.y - 19}, 3},     // both
    };
    for (const Case& c : cases) {
        const POINT inForm = form->ScreenToClient(c.editAt);
        owner->SetBounds(inForm.x, inForm.y, 187, 19);
        Settle();
        TQnMessageWindow& b = Show("Error");
        RECT r;
        GetWindowRect(b.Handle(), &r);
        EXPECT_EQ(b.TailVariant(), c.variant);
        if (c.variant & 1) {
            EXPECT_EQ(r.bottom, corner.y + 1);
        }
        if (c.variant & 2) {
            EXPECT_EQ(r.right, corner.x + 1);
        }
        TBitmap out;
        Render(out);
        const int cw = out.Width(), ch = out.Height();
        const TColor fill = 0xEFFFFF, edge = ColorToRGB(clBtnShadow);
        if (c.variant == 2) {
            EXPECT_EQ(out.Pixel(cw - 9, 2), edge) << "tail at the right";
            EXPECT_EQ(out.Pixel(cw - 10, 6), fill);
            EXPECT_NE(out.Pixel(10, 6), fill);
        } else {
            EXPECT_EQ(out.Pixel(cw / 2, 0), edge) << "body from the top";
            EXPECT_EQ(out.Pixel(cw / 2, ch - 9), edge) << "body ends 8 above the bottom";
            EXPECT_NE(out.Pixel(cw / 2, ch - 4), fill);
        }
        balloon.reset();
    }
}

TEST_F(ErrorPopup, HideRequestAfterTheDisplayTime)
{
    const ULONGLONG shown = GetTickCount64();
    TQnMessageWindow& b = Show("Error");
    EXPECT_TRUE(b.TimerRunning());
    EXPECT_TRUE(PumpUntil([&] { return owner->hideRequests > 0; }, 4000));
    const ULONGLONG elapsed = owner->lastHide - shown;
    EXPECT_GE(elapsed, 1850u);
    EXPECT_LT(elapsed, 2600u);
    EXPECT_EQ(owner->hideRequests, 1);
    EXPECT_FALSE(b.TimerRunning());
}

TEST_F(ErrorPopup, ClicksPassThroughToTheWindowBelow)
{
    // A balloon anchored over the edit itself.
    balloon = std::make_unique<TQnMessageWindow>(owner);
    balloon->SetKind(TMessageKind::mkError);
    balloon->SetAnchor(2, 2);
    balloon->SetText("Error");
    balloon->Popup();
    Settle();
    MoveCursorTo(*owner, 10, 8);
    POINT p = owner->ClientToScreen(POINT{10, 8});
    RECT r;
    GetWindowRect(balloon->Handle(), &r);
    ASSERT_TRUE(PtInRect(&r, p));
    MouseButton(true, true);
    MouseButton(true, false);
    EXPECT_EQ(owner->presses, 1);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
}

TEST_F(ErrorPopup, TypedCharacterHidesAndNoHookOutlivesTheBalloon)
{
    Show("Error");
    ASSERT_TRUE(PopupHookInstalled());
    SetFocus(form->Handle());
    Key('A', true);
    Key('A', false);
    EXPECT_TRUE(PumpUntil([&] { return owner->hideRequests > 0; }, 1000));
    balloon->ClosePopup();
    EXPECT_FALSE(PopupHookInstalled());
    // After the hide, a typed character asks for nothing.
    Key('B', true);
    Key('B', false);
    Settle();
    EXPECT_FALSE(PopupHookInstalled());
    EXPECT_EQ(owner->hideRequests, 1);
}

TEST_F(ErrorPopup, ACommandTakenFromTheQueueHides)
{
    Show("Error");
    ASSERT_TRUE(PopupHookInstalled());
    PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), 0);
    EXPECT_TRUE(PumpUntil([&] { return owner->hideRequests > 0; }, 1000));
    EXPECT_EQ(owner->hideRequests, 1);
}

TEST_F(ErrorPopup, ManyShowingsLeakNoGdiObjectAndNoHook)
{
    Show("Error");
    balloon->ClosePopup();
    balloon.reset();
    Settle();
    const int baseline = LiveGdiObjects();
    int installs = 0, removals = 0;
    for (int i = 0; i < 1000; ++i) {
        TQnMessageWindow b(owner);
        b.TimerOn = true;
        b.SetKind(TMessageKind::mkError);
        b.SetShape(TPopupShape::psBalloon);
        b.SetText(i % 2 ? "Error" : "Another error\r\nin two lines");
        b.Popup();
        installs += PopupHookInstalled();
        UpdateWindow(b.Handle());
        b.ClosePopup();
        removals += !PopupHookInstalled();
    }
    Settle();
    EXPECT_LE(LiveGdiObjects(), baseline + 2);
    EXPECT_EQ(installs, 1000);
    EXPECT_EQ(removals, 1000);
}

} // namespace
