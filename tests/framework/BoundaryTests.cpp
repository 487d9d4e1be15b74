// The callback boundaries and resources: failing paints leak nothing, the
// error report never throws, system colour changes reach every control, a
// timer handler may replace itself.
#include "framework/Application.h"
#include "framework/Timer.h"
#include "tests/framework/Probes.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

class Boundaries : public ::testing::Test {
protected:
    ~Boundaries() override { Application().OnException = nullptr; }
};

BOOL CALLBACK FindMessageBox(HWND w, LPARAM out)
{
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

// The thread's message box, if one is open.
HWND OpenMessageBox()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

TEST_F(Boundaries, TenThousandPaintsThatThrowLeakNoGdiObjects)
{
    int reported = 0;
    Application().OnException = [&](const std::exception&) { ++reported; };
    TTestForm form(100, 60);
    TWindowProbe probe(&form, "probe", nullptr, RECT{10, 10, 60, 40});
    TLabelProbe label(&probe, "label", nullptr, RECT{2, 2, 12, 12}); // windowless children painted too
    probe.throwOnPaint = true;
    form.ShowActive();
    auto paint = [&] {
        probe.Invalidate();
        probe.Update();
    };
    for (int i = 0; i < 10; ++i)
        paint();
    const int before = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i)
        paint();
    EXPECT_EQ(LiveGdiObjects(), before);
    EXPECT_GE(reported, 10000) << "every failure reported";
    EXPECT_TRUE(GetUpdateRect(probe.Handle(), nullptr, FALSE) == FALSE) << "the paint ended properly";
}

TEST_F(Boundaries, AThrowingErrorHandlerFallsBackToTheMessageBox)
{
    Application().OnException = [](const std::exception&) { throw std::runtime_error("the handler failed"); };
    std::string shown;
    TTimer closer(50); // runs inside the message box's own loop
    closer.OnTimer = [&] {
        if (HWND box = OpenMessageBox()) {
            wchar_t text[256] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 256);
            shown.assign(text, text + wcslen(text));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    };
    closer.SetEnabled(true);
    TTimer failing(20);
    failing.OnTimer = [&] {
        failing.SetEnabled(false);
        throw std::runtime_error("from a timer");
    };
    failing.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return !shown.empty(); }, 3000));
    EXPECT_EQ(shown, "from a timer") << "the original error, in the default report";
}

TEST_F(Boundaries, ErrorsOfEveryKindStopAtTheBoundaries)
{
    std::vector<std::string> reported;
    Application().OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    TTestForm form(100, 60);
    form.RunCreateEvent([] { throw 42; }); // not even an exception class
    TLabelProbe ok(&form, "ok");
    ok.OnClick = [](TControl&) { throw std::runtime_error("from a click by Enter"); };
    form.DefaultControl = &ok;
    form.ShowActive();
    Key(VK_RETURN, true); // handled by the message loop, not a window procedure
    Key(VK_RETURN, false);
    EXPECT_EQ(reported, (std::vector<std::string>{"Unexpected error", "from a click by Enter"}));
}

TEST_F(Boundaries, SystemColourChangesReachEveryDescendant)
{
    TTestForm form(200, 100);
    TWindowProbe panel(&form, "panel", nullptr, RECT{0, 0, 150, 80});
    TWindowProbe inner(&panel, "inner");
    TLabelProbe label(&panel, "label");
    form.ShowActive();
    TWindowProbe late(&form, "late"); // no window yet
    SendMessageW(form.Handle(), WM_SYSCOLORCHANGE, 0, 0); // the system tells top-level windows only
    EXPECT_EQ(panel.sysColorChanges, 1);
    EXPECT_EQ(inner.sysColorChanges, 1);
    EXPECT_EQ(label.sysColorChanges, 1);
    EXPECT_EQ(late.sysColorChanges, 1);
}

TEST_F(Boundaries, ATimerHandlerMayReplaceItselfWhileItRuns)
{
    TTimer timer(10);
    std::string seen;
    timer.OnTimer = [&, text = std::string(64, 'x')] {
        timer.OnTimer = nullptr; // destroys the handler that is running
        timer.SetEnabled(false);
        seen = text;             // still usable: the running handler is a copy
    };
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return !seen.empty(); }, 1000));
    EXPECT_EQ(seen, std::string(64, 'x'));
}
