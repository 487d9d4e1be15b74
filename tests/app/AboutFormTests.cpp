// The about box in this process, with the shell replaced by a recorder: its
// layout, its looks on the screen (white title band, gradient strip), the
// ways it closes, and the links under real mouse input.
#include "app/AboutForm.h"
#include "controls/label/GradientMath.h"
#include "framework/Application.h"
#include "framework/Hints.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillon;
using namespace quillon::test;

namespace {

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        main_.ShowActive();
        Application().MainForm = &main_;
    }
    void TearDown() override
    {
        Application().MainForm = nullptr;
        ParkCursor();
    }

    // Shows the box modally, runs `inside` once it is up, returns the result.
    int ShowAndRun(const std::function<void()>& inside)
    {
        TModalAnswer answer(about_, [&] {
            SetActiveWindow(about_.Handle());
            PumpUntil([&] { return GetActiveWindow() == about_.Handle(); }, 2000);
            Settle();
            inside();
        });
        return about_.ShowModal();
    }

    TTestForm main_{283, 307};
    TFakeDialogs dialogs_;
    TPlatformDialogsScope scope_{dialogs_};
    TfrmAbout about_;
};

TEST_F(AboutBox, DialogFrameWithoutTitleBarAndTheControlsWhereTheLayoutPutsThem)
{
    EXPECT_FALSE(about_.HandleAllocated()) << "made on first showing";
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(about_.Handle(), GWL_STYLE));
    EXPECT_NE(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_EQ(style & (WS_DLGFRAME | DS_MODALFRAME), static_cast<DWORD>(WS_DLGFRAME | DS_MODALFRAME));
    RECT client{};
    GetClientRect(about_.Handle(), &client);
    EXPECT_EQ(client.right, 358);
    EXPECT_EQ(client.bottom, 271);
    EXPECT_EQ(about_.Caption(), "About...");

    TfrmAbout& f = about_;
    TControl* window = &f;
    struct Row {
        const char* name;
        TControl& control;
        TControl* parent;
        RECT bounds;
        std::string caption; // checked when not empty
    } rows[] = {
        {"lblNote", f.lblNote, window, {5, 234, 253, 267}, ""},
        {"imgDBox", f.imgDBox, window, {220, 190, 308, 222}, ""},
        {"lblDBox", f.lblDBox, window, {36, 194, 198, 220}, ""},
        {"lblSpecialThx", f.lblSpecialThx, window, {14, 171, 80, 184}, "Special Thanx"},
        {"bvlLine00", f.bvlLine00, window, {84, 169, 353, 180}, ""},
        {"lblAppInfo", f.lblAppInfo, window, {58, 102, 159, 154},
         "Bugs?, Suggestions ?\r\nDrop me a line at:\r\n\r\nOr visit my site..."},
        {"lblEMail", f.lblEMail, window, {173, 115, 301, 128}, "quillon@example.com"},
        {"lblSite", f.lblSite, window, {173, 141, 265, 154}, ""},
        {"lblGradient", f.lblGradient, window, {0, 55, 358, 60}, ""},
        {"pnlTitle", f.pnlTitle, window, {0, 0, 358, 55}, ""},
        {"imbAbout", f.imbAbout, &f.pnlTitle, {301, 3, 350, 52}, ""},
        {"lblAppName", f.lblAppName, &f.pnlTitle, {24, 17, 221, 38}, "About Quillon"},
        {"lblCompany", f.lblCompany, &f.pnlTitle, {121, 41, 300, 52}, ""},
        {"btnOk", f.btnOk, window, {279, 245, 354, 266}, "Thanks !!!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.control.Parent(), row.parent);
        const RECT r = row.control.BoundsRect();
        EXPECT_TRUE(EqualRect(&r, &row.bounds))
            << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
        if (!row.caption.empty()) {
            EXPECT_EQ(row.control.Caption(), row.caption);
        }
    }
    const std::string note = f.lblNote.Caption();
    EXPECT_EQ(note.substr(0, note.find("\r\n")), "NOTE: Please close Delphi before using this program.");
    EXPECT_EQ(note.substr(note.rfind("\r\n") + 2), "* Use this program at your own risk.");
    // The name is sized to its text, starting where the layout puts it.
    EXPECT_EQ(f.lblProgrammedBy.Caption().rfind("Programmed by: ", 0), 0u);
    EXPECT_EQ(f.lblProgrammedBy.Left(), 110);
    EXPECT_EQ(f.lblProgrammedBy.Top(), 72);
    EXPECT_LE(f.lblProgrammedBy.Left() + f.lblProgrammedBy.Width(), 358 - 8);
    EXPECT_EQ(f.DefaultControl, &f.btnOk);
    EXPECT_EQ(f.CancelControl, &f.btnOk);
}

TEST_F(AboutBox, FontsAndColoursOfTheTextsAndTheTitlePanel)
{
    TfrmAbout& f = about_;
    TFont sub = f.lblGradient.SubCaption().Font();
    struct Row {
        const char* name;
        const TFont& font;
        const char* face;
        int height;
        bool bold;
        bool underline;
        TColor color;
    } rows[] = {
        {"window", f.Font(), "Tahoma", -11, false, false, clWindowText},
        {"lblNote", f.lblNote.Font(), "Tahoma", -9, false, false, clAppWorkSpace},
        {"lblAppName", f.lblAppName.Font(), "Tahoma", -17, true, false, clWindowText},
        {"lblCompany", f.lblCompany.Font(), "Tahoma", -9, false, false, clSilver},
        {"lblProgrammedBy", f.lblProgrammedBy.Font(), "Trebuchet MS", -11, true, false, clWindowText},
        {"lblEMail", f.lblEMail.Font(), "Tahoma", -11, false, true, clBlue},
        {"lblSite", f.lblSite.Font(), "Tahoma", -11, false, true, clBlue},
        {"lblAppInfo", f.lblAppInfo.Font(), "Tahoma", -11, false, false, clWindowText},
        {"sub-caption", sub, "MS Sans Serif", -11, false, false, clWindowText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.font.name, row.face);
        EXPECT_EQ(row.font.height, row.height);
        EXPECT_EQ(row.font.bold, row.bold);
        EXPECT_FALSE(row.font.italic);
        EXPECT_EQ(row.font.underline, row.underline);
        EXPECT_FALSE(row.font.strikeOut);
        EXPECT_EQ(row.font.color, row.color);
    }
    EXPECT_EQ(f.Color(), clBtnFace);
    EXPECT_EQ(f.pnlTitle.Color(), clWhite);
    EXPECT_EQ(f.pnlTitle.ColorHighLight(), clWhite);
    EXPECT_EQ(f.pnlTitle.ColorShadow(), clWhite);
}

// The screen while the box is up: a white band over the whole title panel
// but its texts (the picture leaves out its key colour), then the strip of
// 255 bands. Its bands are 1 or 2 columns wide and the first column of each
// takes the previous band's colour, in all five rows.
TEST_F(AboutBox, WhiteTitleBandAndTheGradientStripOnTheScreen)
{
    TBitmap shot(358, 61);
    ShowAndRun([&] {
        RedrawWindow(about_.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        POINT origin{0, 0};
        ClientToScreen(about_.Handle(), &origin);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.Canvas().Handle(), 0, 0, 358, 61, screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        about_.btnOk.Click();
    });

    int nonWhite = 0;
    for (int y = 0; y < 55; ++y)
        for (int x = 0; x < 358; ++x) {
            const POINT p{x, y};
            const RECT name = about_.lblAppName.BoundsRect(), maker = about_.lblCompany.BoundsRect();
            const RECT picture{301 + 12, 3 + 12, 350 - 12, 52 - 12}; // the disc's middle
            if (PtInRect(&name, p) || PtInRect(&maker, p) || PtInRect(&picture, p))
                continue;
            // The disc's edge reaches beyond its middle square; its corners are white.
            const bool onDisc = x >= 301 && x < 350 && y >= 3 && y < 52 &&
                                (x - 325) * (x - 325) + (y - 27) * (y - 27) <= 26 * 26;
            if (!onDisc && shot.Pixel(x, y) != clWhite)
                ++nonWhite;
        }
    EXPECT_EQ(nonWhite, 0);
    EXPECT_EQ(shot.Pixel(301, 3), clWhite) << "the picture's key colour is left out";
    EXPECT_NE(shot.Pixel(301 + 15, 3 + 15), clWhite) << "the picture is drawn";

    const std::vector<int32_t> table = GradientTable(13612943, 10053171, 255);
    auto bandOf = [](int x) {
        int band = 0;
        while (band + 1 < 255 && (2 * (band + 1) * 358 + 255) / (2 * 255) <= x)
            ++band;
        return band;
    };
    int wrong = 0;
    for (int x = 0; x < 358; ++x) {
        const int band = bandOf(x);
        const bool firstColumn = band > 0 && (2 * band * 358 + 255) / (2 * 255) == x;
        const int entry = firstColumn ? band - 1 : band;
        for (int y = 55; y < 60; ++y)
            wrong += shot.Pixel(x, y) != table[static_cast<size_t>(entry)];
    }
    EXPECT_EQ(wrong, 0);
    const int leading[] = {0, 0, 1, 1, 2, 3, 3, 4, 5, 6};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(shot.Pixel(x, 57), table[static_cast<size_t>(leading[x])]) << x;
    EXPECT_EQ(shot.Pixel(0, 55), 13612943);
    EXPECT_EQ(shot.Pixel(357, 59), table[253]);
    EXPECT_EQ(shot.Pixel(100, 60), ColorToRGB(clBtnFace)) << "the strip is 5 rows high";
}

TEST_F(AboutBox, EnterEscapeAndThanksCloseWithOneAltF4WithTwo)
{
    struct Case {
        const char* name;
        std::function<void()> close;
        int result;
    } cases[] = {
        {"Enter", [] { Tap(VK_RETURN); }, 1},
        {"Escape", [] { Tap(VK_ESCAPE); }, 1},
        {"Thanks !!!", [this] { ClickAt(about_.btnOk, 37, 10); }, 1},
        {"Alt+F4", [] { Tap(VK_F4, {VK_MENU}); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool mainDisabled = false;
        EXPECT_EQ(ShowAndRun([&] {
                      mainDisabled = !IsWindowEnabled(main_.Handle());
                      c.close();
                  }),
                  c.result);
        EXPECT_TRUE(mainDisabled) << "modal";
        EXPECT_FALSE(about_.Visible());
        EXPECT_TRUE(IsWindowEnabled(main_.Handle()));
    }
}

TEST_F(AboutBox, EachLinkShowsAHandAndItsHintAndHandsItsTargetToTheShell)
{
    struct Case {
        const char* name;
        TControl& control;
        const char* hint;
        const char* target;
    } cases[] = {
        {"lblEMail", about_.lblEMail, "E-mail me ! :D", "mailto:quillon@example.com?subject=Quillon"},
        {"imgDBox", about_.imgDBox, "Click me !!!", "https://example.org/"},
        {"lblSite", about_.lblSite, "Wanna visit my site?", "https://www.example.org/"},
    };
    ShowAndRun([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            dialogs_.opened.clear();
            MoveCursorTo(c.control, c.control.Width() / 2, c.control.Height() / 2);
            Settle();
            EXPECT_EQ(GetCursor(), CursorHandle(TCursor::crHandPoint));
            EXPECT_TRUE(HintShown(c.control)) << "whatever the window's hint setting";
            EXPECT_EQ(HintText(c.control), c.hint);
            ClickAt(c.control, c.control.Width() / 2, c.control.Height() / 2);
            Settle();
            EXPECT_EQ(dialogs_.opened, std::vector<std::string>{c.target});
            EXPECT_TRUE(about_.Visible()) << "the box stays open";
        }
        MoveCursorTo(about_.lblAppInfo, 5, 5);
        Settle();
        EXPECT_NE(GetCursor(), CursorHandle(TCursor::crHandPoint)) << "plain text has no hand";
        about_.btnOk.Click();
    });
    EXPECT_FALSE(HintShown(about_.lblAppInfo));
}

} // namespace
