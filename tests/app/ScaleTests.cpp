// The three windows at every display scale. The system's ppi is read when a
// process starts, so the windows are checked in a child process per scale,
// started with the test prefix's "Screen resolution" set to it (and put back
// to 96 afterwards): bounds from the 96-dpi layout, every caption whole,
// every check box with its whole box, the client sizes. In this process: a
// move to a monitor of another scale and back.
#include "app/AboutForm.h"
#include "app/ConfirmForm.h"
#include "app/MainForm.h"
#include "controls/flat/FlatButton.h"
#include "controls/flat/FlatSpeedButton.h"
#include "framework/Buttons.h"
#include "framework/Label.h"
#include "framework/Pages.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/GdiCount.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>
#include <string>
#include <vector>

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr int Scales[] = {96, 120, 144, 192};

// The prefix's screen resolution, put back to 96 when the scope ends.
class TScreenResolution {
public:
    explicit TScreenResolution(int ppi) { Set(ppi); }
    ~TScreenResolution() { Set(DesignPpi); }
    TScreenResolution(const TScreenResolution&) = delete;
    TScreenResolution& operator=(const TScreenResolution&) = delete;

private:
    static void Set(int ppi)
    {
        const DWORD value = static_cast<DWORD>(ppi);
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &value, sizeof value);
    }
};

// Runs this program's AtThisScale tests in a child process; its exit code.
DWORD RunChild()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=AtThisScale.*";
    SetEnvironmentVariableW(L"QUILLON_SCALE_CHILD", L"1");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    DWORD code = 1;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 120000);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    SetEnvironmentVariableW(L"QUILLON_SCALE_CHILD", nullptr);
    return code;
}

bool InChild()
{
    return std::getenv("QUILLON_SCALE_CHILD") != nullptr;
}

std::string Describe(const TControl& c)
{
    return std::to_string(c.Left()) + "," + std::to_string(c.Top()) + " " + std::to_string(c.Width()) + "x" +
           std::to_string(c.Height());
}

std::string NameOf(const TControl& c)
{
    return typeid(c).name() + std::string(" \"") + c.Caption() + "\" at " + Describe(c);
}

// Every control of a window, parents before children.
std::vector<TControl*> ControlsOf(TWinControl& window)
{
    std::vector<TControl*> all;
    for (TControl* child : window.Controls()) {
        all.push_back(child);
        if (child->IsWindowed())
            for (TControl* c : ControlsOf(*static_cast<TWinControl*>(child)))
                all.push_back(c);
    }
    return all;
}

// The box the system drew in a check box is square, so a box cut at the top
// or bottom is lower than it is wide: the extent of what differs from the
// background in the box's columns.
bool ShowsWholeBox(TCheckBox& box)
{
    const int ppi = box.PixelsPerInch(), boxSize = SystemMetricForPpi(SM_CXMENUCHECK, ppi);
    TBitmap shot(box.Width(), box.Height());
    box.PaintTo(shot.Canvas());
    const TColor back = ColorToRGB(box.Color());
    int left = shot.Width(), right = -1, top = shot.Height(), bottom = -1;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < std::min(boxSize + 2, shot.Width()); ++x)
            if (shot.Pixel(x, y) != back) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    const bool whole = right >= left && right - left == bottom - top && right - left + 1 >= boxSize - 2;
    if (!whole)
        SaveBitmap(shot, "box-" + std::to_string(ppi) + "-" + std::to_string(box.Tag) + ".bmp");
    return whole;
}

// What the caption of a control needs, or 0 when it draws none of its own.
int CaptionNeeds(TControl& c)
{
    if (auto* box = dynamic_cast<TCheckBox*>(&c))
        return box->FittingWidth();
    if (auto* label = dynamic_cast<TLabel*>(&c); label && !label->WordWrap())
        return InkWidth(c.ScaledFont(), c.Caption(), DT_LEFT);
    if (dynamic_cast<TButton*>(&c) || dynamic_cast<TFlatSpeedButton*>(&c) || dynamic_cast<TFlatButton*>(&c))
        return InkWidth(c.ScaledFont(), c.Caption(), DT_SINGLELINE | DT_LEFT) + 2; // inside the edges
    return 0;
}

// The window at the system's scale: client size, bounds, captions, boxes.
// `movedRight` may lie right of their scaled place (beside a box that grew).
void CheckWindow(TForm& form, SIZE designClient, const std::vector<const TControl*>& movedRight = {})
{
    const int ppi = SystemPpi();
    SCOPED_TRACE(typeid(form).name() + std::string(" at ") + std::to_string(ppi) + " ppi");
    EXPECT_EQ(form.PixelsPerInch(), ppi);
    EXPECT_NEAR(form.ClientWidth(), ScaleFromDesign(designClient.cx, ppi), 1);
    EXPECT_NEAR(form.ClientHeight(), ScaleFromDesign(designClient.cy, ppi), 1);
    for (TControl* c : ControlsOf(form)) {
        SCOPED_TRACE(NameOf(*c));
        EXPECT_EQ(c->PixelsPerInch(), ppi);
        const TControl::TDesignBounds d = c->DesignBounds();
        const bool grows = dynamic_cast<TCheckBox*>(c) || dynamic_cast<TLabel*>(c);
        const bool moves = std::find(movedRight.begin(), movedRight.end(), c) != movedRight.end();
        const bool autoSized = dynamic_cast<TLabel*>(c) && static_cast<TLabel*>(c)->AutoSize();
        const TAlign align = c->Align();
        // A value within a pixel of the scaled one, or not below it where it may grow.
        auto check = [&](const char* what, int actual, int design, bool mayGrow) {
            const int scaled = ScaleFromDesign(design, ppi);
            EXPECT_TRUE(mayGrow ? actual >= scaled - 1 : std::abs(actual - scaled) <= 1)
                << what << " " << actual << " where the scale gives " << scaled;
        };
        if (!dynamic_cast<TTabSheet*>(c)) { // the page control lays its pages out
            const bool sized = align == TAlign::alNone && !autoSized;
            if (align != TAlign::alRight)
                check("left", c->Left(), d.left, moves);
            if (align != TAlign::alBottom)
                check("top", c->Top(), d.top, false);
            if (sized || align == TAlign::alLeft || align == TAlign::alRight)
                check("width", c->Width(), d.width, grows);
            if (sized || align == TAlign::alTop || align == TAlign::alBottom)
                check("height", c->Height(), d.height, grows);
        }
        EXPECT_LE(CaptionNeeds(*c), c->Width()) << "the caption is cut";
        if (auto* box = dynamic_cast<TCheckBox*>(c); box && box->EffectivelyVisible()) {
            EXPECT_TRUE(ShowsWholeBox(*box)) << "the box is cut";
        }
    }
}

class AtThisScale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!InChild())
            GTEST_SKIP() << "run at each scale by DisplayScale.EveryWindowAtEveryScale";
        Application().MainForm = &standIn_;
    }
    void TearDown() override { ParkCursor(); }

    TTestForm standIn_{10, 10};
    TFakeDialogs dialogs_;
    TPlatformDialogsScope scope_{dialogs_};
    TErrorLog log_;
};

void ShowAndSettle(TForm& form)
{
    form.Show();
    Settle();
}

} // namespace

TEST(DisplayScale, EveryWindowAtEveryScale)
{
    if (InChild())
        GTEST_SKIP();
    for (const int ppi : Scales) {
        SCOPED_TRACE(std::to_string(ppi) + " ppi");
        const TScreenResolution resolution(ppi);
        EXPECT_EQ(RunChild(), 0u);
    }
}

TEST_F(AtThisScale, MainWindow)
{
    TfrmAbout about;
    TfrmConfirm confirm;
    TfrmMain main;
    UseDialogs(main, about, confirm);
    ShowAndSettle(main);
    std::vector<const TControl*> besideBoxes;
    for (const TSettingRow& row : main.SettingRows)
        if (row.editor && row.editorPlace.top < row.top + 15)
            besideBoxes.push_back(row.editor);
    CheckWindow(main, SIZE{283, 307}, besideBoxes);
    main.PageControl.SetActivePage(&main.TabSheet2);
    Settle();
    CheckWindow(main, SIZE{283, 307});
    // Nothing beside a box overlaps it.
    for (const TSettingRow& row : main.SettingRows) {
        if (row.editor && row.editorPlace.top < row.top + 15) {
            EXPECT_GT(row.editor->Left(), row.checkBox->Left() + row.checkBox->Width());
        }
    }
}

TEST_F(AtThisScale, Dialogs)
{
    TfrmAbout about;
    ShowAndSettle(about);
    CheckWindow(about, SIZE{358, 271});
    TfrmConfirm confirm;
    ShowAndSettle(confirm);
    // Made 304 x 186 with a sizeable frame; the title bar went, the client stayed.
    const SIZE frame = FrameSizeForPpi(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 0, DesignPpi);
    CheckWindow(confirm, SIZE{304 - frame.cx, 186 - frame.cy});
}

// A stand-in for a monitor of another scale: the ppi the window is told of.
int standInPpi = DesignPpi;
int StandInPpi(HWND)
{
    return standInPpi;
}

// The client area as the screen shows it.
std::vector<TColor> ClientPixels(TForm& form)
{
    TBitmap shot(form.ClientWidth(), form.ClientHeight());
    const POINT origin = form.ClientToScreen(POINT{0, 0});
    {
        TClientDC screen(nullptr);
        BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen.Handle(), origin.x, origin.y,
               SRCCOPY);
    }
    std::vector<TColor> pixels;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            pixels.push_back(shot.Pixel(x, y));
    return pixels;
}

TEST_F(AtThisScale, MovedToAnotherMonitorAndBackLandsOnTheSamePixels)
{
    if (SystemPpi() != DesignPpi)
        GTEST_SKIP() << "once, at 96 ppi";
    SetPpiSource(&StandInPpi);
    struct TRestore {
        ~TRestore() { SetPpiSource(nullptr); }
    } restore;
    TfrmAbout about;
    TfrmConfirm confirm;
    TfrmMain main;
    UseDialogs(main, about, confirm);
    ShowAndSettle(main);
    auto moveTo = [&](int ppi) {
        standInPpi = ppi;
        // The system's rectangle: the new scale's frame around the new client area.
        // (Here the frame is the system's own, whatever the stand-in says.)
        const SIZE frame{main.Width() - main.ClientWidth(), main.Height() - main.ClientHeight()};
        RECT suggested{main.Left(), main.Top(), main.Left() + ScaleFromDesign(283, ppi) + frame.cx,
                       main.Top() + ScaleFromDesign(307, ppi) + frame.cy};
        SendMessageW(main.Handle(), WM_DPICHANGED, MAKEWPARAM(ppi, ppi), reinterpret_cast<LPARAM>(&suggested));
        Settle();
    };
    moveTo(144);
    moveTo(DesignPpi); // the first round makes what later rounds reuse
    const std::vector<TColor> before = ClientPixels(main);
    const int objects = LiveGdiObjects();
    for (int round = 0; round < 20; ++round) {
        moveTo(144);
        ASSERT_EQ(main.PixelsPerInch(), 144);
        EXPECT_EQ(main.ClientWidth(), 425);
        EXPECT_EQ(main.ClientHeight(), 461);
        EXPECT_EQ(main.btnOk.Width(), ScaleFromDesign(75, 144));
        moveTo(DesignPpi);
    }
    EXPECT_LE(LiveGdiObjects(), objects) << "GDI objects gained by moving back and forth";
    EXPECT_EQ(main.ClientWidth(), 283);
    EXPECT_TRUE(ClientPixels(main) == before) << "back at 96 ppi the window looks as it did";
}
