// The framework layer under real windows: inheritance of colour and font,
// hit tests, notices, dialog keys, modal results and error containment.
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Timer.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace quillon;
using namespace quillon::test;

namespace {

// A windowless control that records what the framework tells it.
class TProbe : public TGraphicControl {
public:
    explicit TProbe(TWinControl* parent) : TGraphicControl(parent) { SetControlStyle(csCaptureMouse); }
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Color()); }
    void MouseEnter() override { ++enters; }
    void MouseLeave() override { ++leaves; }
    bool DialogChar(wchar_t ch) override { return IsAccel(ch, Caption()) && (++accels, true); }
    bool Notice(const TNotice& n) override
    {
        ++notices;
        return n.value == Tag;
    }
    void FocusChanged(TControl* active) override { lastActive = active; }
    int enters = 0, leaves = 0, accels = 0, notices = 0;
    TControl* lastActive = nullptr;
};

class TPanelControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Color()); }
};

class Framework : public ::testing::Test {
protected:
    ~Framework() override
    {
        Application().OnException = nullptr;
        ParkCursor();
    }
};

} // namespace

TEST_F(Framework, ChildrenFollowTheParentsColourAndFontUntilSet)
{
    TTestForm form(100, 100);
    TPanelControl panel(&form);
    panel.SetParentColor(true);
    panel.SetParentFont(true);
    TProbe probe(&panel);
    probe.SetParentColor(true);
    probe.SetParentFont(true);

    form.SetColor(0x00123456);
    EXPECT_EQ(panel.Color(), 0x00123456);
    EXPECT_EQ(probe.Color(), 0x00123456) << "passed on through the panel";
    TFont bold = form.Font();
    bold.bold = true;
    form.SetFont(bold);
    EXPECT_TRUE(probe.Font().bold);

    probe.SetColor(clWhite);
    EXPECT_FALSE(probe.ParentColor());
    form.SetColor(0x00654321);
    EXPECT_EQ(panel.Color(), 0x00654321);
    EXPECT_EQ(probe.Color(), clWhite) << "a colour of its own stays";
}

TEST_F(Framework, ControlUnderAScreenPointIncludesDisabledOnes)
{
    TTestForm form(200, 100);
    TPanelControl panel(&form);
    panel.SetBounds(10, 10, 100, 60);
    TProbe probe(&panel);
    probe.SetBounds(10, 10, 30, 20);
    form.ShowActive();

    const POINT onProbe = probe.ClientToScreen(POINT{5, 5});
    EXPECT_EQ(Application().ControlAtScreen(onProbe, true), &probe);
    probe.SetEnabled(false);
    EXPECT_EQ(Application().ControlAtScreen(onProbe, true), &probe);
    EXPECT_EQ(Application().ControlAtScreen(onProbe, false), &panel);
    panel.SetEnabled(false);
    EXPECT_EQ(Application().ControlAtScreen(onProbe, true), &probe) << "through a disabled window";
    EXPECT_EQ(Application().ControlAtScreen(panel.ClientToScreen(POINT{90, 50}), true), &panel);
    EXPECT_EQ(Application().ControlAtScreen(ScreenCorner(), true), nullptr);
}

TEST_F(Framework, EnterAndLeaveNoticesFollowThePointer)
{
    TTestForm form(200, 100);
    TProbe left(&form), right(&form);
    left.SetBounds(10, 10, 40, 40);
    right.SetBounds(60, 10, 40, 40);
    form.ShowActive();
    MoveCursorTo(left, 5, 5);
    EXPECT_EQ(left.enters, 1);
    MoveCursorTo(right, 5, 5);
    EXPECT_EQ(left.leaves, 1);
    EXPECT_EQ(right.enters, 1);
    MoveCursorToScreen(ScreenCorner());
    EXPECT_TRUE(PumpUntil([&] { return right.leaves == 1; }, 500));
    EXPECT_EQ(CurrentMouseControl(), nullptr);
}

// The system tells every top-level window of ours when another program takes
// the activation or ours takes it back; the application posts one notice per
// change, for the hooks and the loop.
TEST_F(Framework, OneActivationNoticePerChangeHoweverManyWindowsHearOfIt)
{
    TTestForm first(100, 100), second(100, 100);
    first.ShowActive();
    second.Handle();
    auto taken = [](UINT notice) {
        int count = 0;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, notice, notice, PM_REMOVE))
            count += msg.hwnd == nullptr;
        return count;
    };
    taken(AppActivateNotice());
    taken(AppDeactivateNotice());
    struct Step {
        bool active;
        int activations, deactivations;
    } steps[] = {{false, 0, 1}, {false, 0, 0}, {true, 1, 0}, {true, 0, 0}, {false, 0, 1}, {true, 1, 0}};
    for (const Step& step : steps) {
        for (TForm* form : {&first, &second})
            SendMessageW(form->Handle(), WM_ACTIVATEAPP, step.active, 0);
        EXPECT_EQ(taken(AppActivateNotice()), step.activations);
        EXPECT_EQ(taken(AppDeactivateNotice()), step.deactivations);
    }
}

TEST_F(Framework, BroadcastStopsAtTheFirstChildThatHandlesIt)
{
    TTestForm form(100, 100);
    TProbe a(&form), b(&form), c(&form);
    a.Tag = 1;
    b.Tag = 2;
    c.Tag = 3;
    EXPECT_TRUE(form.Broadcast(TNotice{1, 2, nullptr}));
    EXPECT_EQ(a.notices + b.notices + c.notices, 2);
    EXPECT_FALSE(form.Broadcast(TNotice{1, 9, nullptr}));
    EXPECT_EQ(c.notices, 1);
}

TEST_F(Framework, DialogKeysReachDefaultCancelAndAccelerators)
{
    TTestForm form(200, 100);
    TProbe ok(&form), cancel(&form), accel(&form);
    int okClicks = 0, cancelClicks = 0;
    ok.OnClick = [&](TControl&) { ++okClicks; };
    cancel.OnClick = [&](TControl&) { ++cancelClicks; };
    accel.SetCaption("Do &it");
    form.DefaultControl = &ok;
    form.CancelControl = &cancel;
    TPanelControl focusable(&form);
    focusable.SetBounds(100, 10, 40, 40);
    focusable.SetTabStop(true);
    form.ShowActive();
    focusable.SetFocus();
    Settle();
    EXPECT_EQ(ok.lastActive, &focusable) << "the form tells its controls where the focus is";

    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    Key(VK_MENU, true);
    Key('I', true);
    Key('I', false);
    Key(VK_MENU, false);
    EXPECT_EQ(accel.accels, 1);
    ok.SetEnabled(false);
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(okClicks, 1) << "a disabled default control is not clicked";
}

TEST_F(Framework, AFormForgetsControlsThatGoAway)
{
    TTestForm form(100, 100);
    auto focusable = std::make_unique<TPanelControl>(&form);
    focusable->SetBounds(10, 10, 40, 40);
    auto ok = std::make_unique<TProbe>(&form);
    form.DefaultControl = ok.get();
    form.ShowActive();
    focusable->SetFocus();
    Settle();
    ASSERT_EQ(form.ActiveControl(), focusable.get());
    focusable.reset();
    ok.reset();
    EXPECT_EQ(form.ActiveControl(), nullptr);
    EXPECT_EQ(form.DefaultControl, nullptr);
    Key(VK_RETURN, true); // nothing left to click, nothing to crash on
    Key(VK_RETURN, false);
    SetActiveWindow(nullptr);
    form.ShowActive();
}

TEST_F(Framework, ModalShowReturnsTheModalResultAndCloseCancels)
{
    TTestForm owner(100, 100);
    owner.ShowActive();
    TTestForm dialog(100, 60);
    TTimer finish(100);
    finish.OnTimer = [&] {
        finish.SetEnabled(false);
        EXPECT_FALSE(IsWindowEnabled(owner.Handle())) << "the other windows wait";
        dialog.SetModalResult(4);
    };
    finish.SetEnabled(true);
    EXPECT_EQ(dialog.ShowModal(), 4);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(dialog.Visible());

    finish.OnTimer = [&] {
        finish.SetEnabled(false);
        PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    };
    finish.SetEnabled(true);
    EXPECT_EQ(dialog.ShowModal(), mrCancel) << "the close box cancels";
}

TEST_F(Framework, ErrorsInHandlersStopAtTheWindowProcedureAndTimer)
{
    std::vector<std::string> reported;
    Application().OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    TTestForm form(100, 100);
    TProbe probe(&form);
    probe.SetBounds(10, 10, 40, 40);
    probe.OnMouseDown = [](TControl&, TMouseButton, unsigned, int, int) {
        throw std::runtime_error("from a mouse handler");
    };
    form.ShowActive();
    MoveCursorTo(probe, 5, 5);
    MouseButton(true, true);
    MouseButton(true, false);

    TTimer timer(20);
    timer.OnTimer = [&] {
        timer.SetEnabled(false);
        throw std::runtime_error("from a timer");
    };
    timer.SetEnabled(true);
    PumpUntil([&] { return reported.size() == 2; }, 1000);
    EXPECT_EQ(reported, (std::vector<std::string>{"from a mouse handler", "from a timer"}));
}

TEST_F(Framework, BitmapsCanvasesAndTimersReleaseWhatTheyCreate)
{
    TTestForm form(100, 100);
    form.ShowActive();
    auto work = [&] {
        TBitmap a(64, 32), b;
        a.Canvas().SetFont(form.Font());
        a.Canvas().DrawText("Text", RECT{0, 0, 64, 32}, DT_SINGLELINE, clBlack);
        const POINT line[] = {{0, 0}, {10, 10}};
        a.Canvas().Polyline(line, 2, clWhite);
        b.Assign(a);
        b.SetSize(10, 10);
        b.Clear();
        TTimer t(1000);
        t.SetEnabled(true);
        HDC dc = GetDC(form.Handle());
        {
            TCanvas on(dc);
            on.SetFont(form.Font());
            on.CopyFrom(RECT{0, 0, 64, 32}, a.Canvas(), RECT{0, 0, 64, 32});
            on.DrawTransparent(0, 0, a, clBlack);
        }
        ReleaseDC(form.Handle(), dc);
    };
    work();
    const int before = LiveGdiObjects();
    for (int i = 0; i < 500; ++i)
        work();
    EXPECT_EQ(LiveGdiObjects(), before);

    TBitmap pixels(3, 2);
    pixels.SetPixel(2, 1, 0x00123456);
    EXPECT_EQ(pixels.Pixel(2, 1), 0x00123456) << "colours come back as 0x00BBGGRR";
    EXPECT_EQ(pixels.Pixel(0, 0), 0);
    EXPECT_EQ(pixels.Pixel(3, 0), -1) << "outside";
}
