// Windows made in one step after the tree is built, bounds and client size
// that follow the window, alignment, re-creation in place, and loading.
#include "framework/Buttons.h"
#include "framework/Edit.h"
#include "framework/Pages.h"
#include "tests/framework/Probes.h"
#include "tests/support/GuiHelpers.h"

#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

RECT WindowRectInParent(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// A subclass whose creation parameters differ from its base's, set up only
// after the base constructor (as the flat controls do).
class TBordered : public TWindowProbe {
public:
    TBordered(TWinControl* parent, RECT bounds) : TWindowProbe(parent, "bordered", nullptr, bounds)
    {
        extraStyle = WS_BORDER;
        SetControlStyle(ControlStyle() | csOpaque);
    }
};

} // namespace

TEST(Lifecycle, WindowsAreMadeFromTheFinishedObjectNeverInAConstructor)
{
    TTestForm form(200, 100);
    TBordered early(&form, RECT{10, 10, 60, 40});
    EXPECT_FALSE(early.HandleAllocated()) << "construction and setters make no window";
    EXPECT_EQ(early.ClientWidth(), 48) << "the client size from the creation parameters";
    form.ShowActive();
    ASSERT_TRUE(early.HandleAllocated());
    EXPECT_TRUE(GetWindowLongPtrW(early.Handle(), GWL_STYLE) & WS_BORDER) << "the subclass's CreateParams";
    EXPECT_EQ(early.ClientWidth(), 48);
    EXPECT_EQ(early.ClientHeight(), 28);

    // Added to a form that is on screen: the window follows on the next
    // message-loop turn, or at once through Handle().
    TBordered late(&form, RECT{70, 10, 120, 40});
    EXPECT_FALSE(late.HandleAllocated());
    TBordered eager(&form, RECT{130, 10, 180, 40});
    TWindowProbe inner(&eager, "inner", nullptr, RECT{2, 2, 10, 10});
    const HWND eagerWindow = eager.Handle();
    EXPECT_EQ(GetParent(eagerWindow), form.Handle());
    EXPECT_TRUE(inner.HandleAllocated()) << "its children come with it";
    Settle();
    ASSERT_TRUE(late.HandleAllocated());
    EXPECT_TRUE(GetWindowLongPtrW(late.Handle(), GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(eager.Handle(), eagerWindow) << "one window per control";
    EXPECT_EQ(TWinControl::FromHandle(late.Handle()), &late);
    EXPECT_TRUE(PumpUntil([&] { return late.paints > 0; }, 1000));
}

TEST(Lifecycle, ClientSizeAndBoundsFollowTheWindow)
{
    TTestForm form(300, 200);
    EXPECT_EQ(form.ClientWidth(), 300) << "before the window exists";
    EXPECT_EQ(form.ClientHeight(), 200);
    const int outerWidth = form.Width(), outerHeight = form.Height();
    EXPECT_GT(outerHeight, 200) << "the frame and caption are outside the client area";
    form.ShowActive();
    EXPECT_EQ(form.ClientWidth(), 300) << "the window agrees";
    EXPECT_EQ(form.ClientHeight(), 200);
    EXPECT_EQ(form.Width(), outerWidth);
    EXPECT_EQ(form.Height(), outerHeight);

    TWindowProbe panel(&form, "panel", nullptr, RECT{10, 10, 110, 60});
    panel.Handle();
    SetWindowPos(panel.Handle(), nullptr, 5, 6, 70, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(panel.Left(), 5) << "moved by the system, not through SetBounds";
    EXPECT_EQ(panel.Top(), 6);
    EXPECT_EQ(panel.Width(), 70);
    EXPECT_EQ(panel.ClientHeight(), 40);

    form.SetClientSize(250, 150);
    EXPECT_EQ(form.ClientWidth(), 250);
    EXPECT_EQ(form.ClientHeight(), 150);
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 250);
}

TEST(Lifecycle, ATitleBarRemovedAtRunTimeKeepsTheClientSize)
{
    // What HideTitleBar does: style written back, height reduced by the
    // caption, with or without an explicit frame change in between.
    for (const bool frameChangedFirst : {false, true}) {
        TTestForm form(300, 200);
        TWindowProbe fill(&form, "fill");
        fill.SetAlign(TAlign::alClient);
        form.ShowActive();
        const HWND hwnd = form.Handle();
        const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
        SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CAPTION)) | DS_MODALFRAME | WS_DLGFRAME);
        const int caption = GetSystemMetrics(SM_CYCAPTION);
        if (frameChangedFirst) {
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            EXPECT_EQ(form.ClientHeight(), 200 + caption) << "the caption's room joined the client area";
            EXPECT_EQ(fill.Height(), 200 + caption) << "aligned children follow a frame change";
        }
        form.SetHeight(form.Height() - caption);
        EXPECT_EQ(form.ClientWidth(), 300) << frameChangedFirst;
        EXPECT_EQ(form.ClientHeight(), 200) << frameChangedFirst;
        EXPECT_EQ(fill.Width(), 300);
        EXPECT_EQ(fill.Height(), 200);
    }
}

TEST(Lifecycle, AlignmentLaysOutByKindThenPosition)
{
    TTestForm form(200, 100);
    // Created in this order; within a kind the stored position decides, so
    // the second top control (at Top 0) ends above the first (at Top 50).
    TWindowProbe lowerTop(&form, "lowerTop", nullptr, RECT{0, 50, 10, 60});
    TLabelProbe upperTop(&form, "upperTop", nullptr, RECT{0, 0, 10, 20});
    TWindowProbe bottom(&form, "bottom", nullptr, RECT{0, 0, 10, 15});
    TWindowProbe left(&form, "left", nullptr, RECT{0, 0, 30, 10});
    TLabelProbe right(&form, "right", nullptr, RECT{0, 0, 40, 10});
    TWindowProbe client(&form, "client");
    TWindowProbe free(&form, "free", nullptr, RECT{7, 8, 17, 18});
    const std::pair<TControl*, TAlign> aligns[] = {
        {&lowerTop, TAlign::alTop}, {&upperTop, TAlign::alTop},  {&bottom, TAlign::alBottom},
        {&left, TAlign::alLeft},    {&right, TAlign::alRight},   {&client, TAlign::alClient}};
    form.Load([&] { // as a stored form sets them: laid out once loading ends
        for (auto [control, align] : aligns)
            control->SetAlign(align);
    });

    struct Expected {
        TControl* control;
        RECT small, large; // client 200 x 100, then 300 x 150
    };
    const Expected table[] = {
        {&upperTop, {0, 0, 200, 20}, {0, 0, 300, 20}},
        {&lowerTop, {0, 20, 200, 30}, {0, 20, 300, 30}},
        {&bottom, {0, 85, 200, 100}, {0, 135, 300, 150}},
        {&left, {0, 30, 30, 85}, {0, 30, 30, 135}},
        {&right, {160, 30, 200, 85}, {260, 30, 300, 135}},
        {&client, {30, 30, 160, 85}, {30, 30, 260, 135}},
        {&free, {7, 8, 17, 18}, {7, 8, 17, 18}},
    };
    for (const Expected& e : table)
        EXPECT_TRUE(SameRect(e.control->BoundsRect(), e.small)) << e.control->Name << " " << Text(e.control->BoundsRect());
    form.ShowActive();
    form.SetClientSize(300, 150);
    for (const Expected& e : table) {
        EXPECT_TRUE(SameRect(e.control->BoundsRect(), e.large)) << e.control->Name << " " << Text(e.control->BoundsRect());
        if (e.control->IsWindowed()) {
            EXPECT_TRUE(SameRect(WindowRectInParent(static_cast<TWinControl*>(e.control)->Handle()), e.large))
                << e.control->Name << ": the window is where the control says";
        }
    }

    upperTop.SetVisible(false);
    EXPECT_EQ(lowerTop.Top(), 0) << "a hidden control gives up its room";
    left.SetAlign(TAlign::alNone);
    EXPECT_EQ(client.Left(), 0);
    lowerTop.SetHeight(25);
    EXPECT_EQ(client.Top(), 25) << "a size change of an aligned control re-aligns its siblings";
}

TEST(Lifecycle, RecreationKeepsTextChildrenBoundsAndFocus)
{
    TLog log;
    TTestForm form(200, 100);
    TWindowProbe panel(&form, "panel", &log, RECT{10, 10, 190, 90});
    TNativeProbe edit(&panel, L"EDIT", ES_AUTOHSCROLL, RECT{5, 5, 105, 25});
    TWindowProbe child(&panel, "child", &log, RECT{5, 40, 25, 60});
    edit.Name = "edit";
    form.ShowActive();
    edit.SetFocus();
    SendMessageW(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed")); // as a user would
    ASSERT_EQ(edit.Caption(), "typed");
    log.clear();

    panel.RecreateWnd();
    ASSERT_TRUE(panel.HandleAllocated());
    ASSERT_TRUE(edit.HandleAllocated());
    EXPECT_EQ(GetParent(edit.Handle()), panel.Handle());
    EXPECT_EQ(GetParent(child.Handle()), panel.Handle());
    EXPECT_EQ(edit.Caption(), "typed") << "the text the window owned";
    EXPECT_TRUE(SameRect(WindowRectInParent(edit.Handle()), RECT{5, 5, 105, 25}));
    EXPECT_TRUE(SameRect(WindowRectInParent(panel.Handle()), RECT{10, 10, 190, 90}));
    EXPECT_EQ(GetFocus(), edit.Handle()) << "the focus is back where it was";
    EXPECT_EQ(form.ActiveControl(), &edit);
    EXPECT_TRUE(log.empty()) << "no enter or exit notices for a re-creation: " << log.front();

    DestroyWindow(panel.Handle());
    EXPECT_FALSE(edit.HandleAllocated());
    EXPECT_EQ(edit.Caption(), "typed") << "kept when the window went";
}

// Only what shows gets a window: the controls of a page not shown get theirs
// when it first shows, with everything set on them before; a control whose
// handle is asked for gets one at once, shown or not.
TEST(Lifecycle, AHiddenPagesControlsGetTheirWindowsWhenFirstShown)
{
    TTestForm form(300, 200);
    TPageControl pages(&form);
    pages.SetBounds(10, 10, 280, 180);
    TTabSheet shown(&pages), hidden(&pages), other(&pages);
    TEdit start(&shown);
    TEdit edit(&hidden);
    TCheckBox box(&hidden);
    TEdit asked(&other);
    form.ShowActive();
    ASSERT_TRUE(start.HandleAllocated());
    EXPECT_FALSE(hidden.HandleAllocated());
    EXPECT_FALSE(edit.HandleAllocated());
    EXPECT_FALSE(box.HandleAllocated());

    TFont font;
    font.name = "Courier New";
    font.height = -15;
    edit.SetFont(font);
    edit.SetColor(0x00336699);
    edit.SetBounds(8, 30, 120, 24);
    edit.SetText("kept");
    box.SetBounds(8, 70, 100, 17);
    box.SetCaption("Box");
    box.SetChecked(true);
    box.SetEnabled(false);
    box.SetTabOrder(0);
    EXPECT_FALSE(edit.HandleAllocated()) << "setters make no window";

    pages.SetActivePage(&hidden);
    ASSERT_TRUE(edit.HandleAllocated());
    ASSERT_TRUE(box.HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(edit.Handle()));
    wchar_t text[16] = {};
    GetWindowTextW(edit.Handle(), text, 16);
    EXPECT_STREQ(text, L"kept");
    EXPECT_TRUE(SameRect(WindowRectInParent(edit.Handle()), RECT{8, 30, 128, 54}));
    LOGFONTW made{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit.Handle(), WM_GETFONT, 0, 0)), sizeof made, &made);
    EXPECT_STREQ(made.lfFaceName, L"Courier New");
    EXPECT_EQ(made.lfHeight, -15);
    Settle();
    HDC dc = GetDC(edit.Handle());
    EXPECT_EQ(GetPixel(dc, 100, 12), 0x00336699u) << "the colour behind the text";
    ReleaseDC(edit.Handle(), dc);
    EXPECT_EQ(SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(box.Handle()));
    EXPECT_EQ(hidden.TabOrderedChildren().front(), &box) << "the tab order set before";

    EXPECT_FALSE(asked.HandleAllocated());
    const HWND early = asked.Handle();
    ASSERT_NE(early, nullptr);
    EXPECT_EQ(GetParent(early), other.Handle()) << "with its page, still hidden";
    EXPECT_FALSE(IsWindowVisible(early));
    pages.SetActivePage(&other);
    EXPECT_EQ(asked.Handle(), early);
    EXPECT_TRUE(IsWindowVisible(early));
}

TEST(Lifecycle, LoadingSetsPropertiesQuietlyThenCallsLoadedInCreationOrder)
{
    TLog log;
    TTestForm form(200, 100);
    TWindowProbe before(&form, "before", &log);
    form.BeginLoad();
    EXPECT_TRUE(before.Loading()) << "controls that exist are loading too";
    TWindowProbe a(&form, "a", &log);
    TWindowProbe panel(&form, "panel", &log);
    TWindowProbe inner(&panel, "inner", &log);
    TLabelProbe label(&form, "label", &log, RECT{0, 50, 10, 60});
    EXPECT_TRUE(inner.Loading()) << "created while the parent loads";
    a.SetCaption("changed");
    EXPECT_EQ(a.changes, 0) << "no change notice while loading";
    // Stored tab orders, applied when loading ends (ties by creation).
    panel.SetTabOrder(0);
    a.SetTabOrder(2);
    before.SetTabOrder(1);
    label.SetAlign(TAlign::alTop);
    EXPECT_EQ(label.Top(), 50) << "no alignment while loading";
    EXPECT_TRUE(log.empty());
    form.EndLoad();

    EXPECT_EQ(log, (TLog{"loaded:before", "loaded:a", "loaded:panel", "loaded:inner", "loaded:label"}));
    EXPECT_FALSE(inner.Loading());
    EXPECT_EQ(label.Top(), 0) << "aligned once loading ends";
    const std::vector<TWinControl*> order = form.TabOrderedChildren();
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], &panel);
    EXPECT_EQ(order[1], &before);
    EXPECT_EQ(order[2], &a);
    a.SetCaption("again");
    EXPECT_EQ(a.changes, 1);
    a.SetTabOrder(0); // after loading: moves it, the others follow
    EXPECT_EQ(panel.TabOrder(), 1);
    EXPECT_EQ(before.TabOrder(), 2);
}
