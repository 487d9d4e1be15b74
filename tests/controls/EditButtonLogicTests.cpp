#include "controls/choice/EditButtonLogic.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using namespace quillon;

namespace quillon {

static void PrintTo(const EditRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

static void PrintTo(const EditPoint& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}

static void PrintTo(const EditButtonBounds& b, std::ostream* os)
{
    *os << "left " << b.left << " top " << b.top << " width " << b.width << " height " << b.height << " style "
        << static_cast<int>(b.drawStyle);
}

} // namespace quillon

namespace {

using enum TControlStyle;
using enum TChoiceBtnStyle;
using enum TEventStyle;
using enum TEditButtonState;
using enum TButtonDrawStyle;
using enum TEditButtonEdge;

struct Event {
    TButtonMouse kind;
    bool inside;
    bool held;
    bool dropped = false;
};

constexpr Event MoveIn{TButtonMouse::bmMove, true, false};
constexpr Event MoveOut{TButtonMouse::bmMove, false, false};
constexpr Event DragIn{TButtonMouse::bmMove, true, true};
constexpr Event DragOut{TButtonMouse::bmMove, false, true};
constexpr Event PressIn{TButtonMouse::bmPress, true, true};
constexpr Event ReleaseIn{TButtonMouse::bmRelease, true, false};
constexpr Event ReleaseOut{TButtonMouse::bmRelease, false, false};
// The same with the owner's list open.
constexpr Event PressInOpen{TButtonMouse::bmPress, true, true, true};
constexpr Event ReleaseInOpen{TButtonMouse::bmRelease, true, false, true};
constexpr Event MoveOutOpen{TButtonMouse::bmMove, false, false, true};

} // namespace

TEST(EditButtonLogic, ClickRules)
{
    const struct {
        const char* name;
        TEventStyle style;
        std::vector<Event> events;
        int clicks;
        TEditButtonState final;
    } cases[] = {
        {"hover", esNormal, {MoveIn}, 0, ebsHot},
        {"hover and leave", esNormal, {MoveIn, MoveOut}, 0, ebsUp},
        {"press and release on the button", esNormal, {MoveIn, PressIn, ReleaseIn}, 1, ebsHot},
        {"press without a move first", esNormal, {PressIn, ReleaseIn}, 1, ebsHot},
        {"held press stays down", esNormal, {MoveIn, PressIn, DragIn}, 0, ebsDown},
        {"release outside", esNormal, {MoveIn, PressIn, DragOut, ReleaseOut}, 0, ebsUp},
        {"out and back in while held", esNormal, {PressIn, DragOut, DragIn, ReleaseIn}, 1, ebsHot},
        {"press on the text, release on the button", esNormal, {DragIn, ReleaseIn}, 0, ebsHot},
        {"second release clicks nothing", esNormal, {PressIn, ReleaseIn, ReleaseIn}, 1, ebsHot},
        {"release after leaving and coming back unheld", esNormal, {PressIn, DragOut, ReleaseOut, MoveIn, ReleaseIn},
         0, ebsHot},
        {"a move without the button held ends the press", esNormal, {PressIn, MoveIn, ReleaseIn}, 0, ebsHot},
        {"two clicks", esNormal, {PressIn, ReleaseIn, MoveIn, PressIn, ReleaseIn}, 2, ebsHot},
        {"drop-down clicks on the press", esDropDown, {MoveIn, PressIn}, 1, ebsDown},
        {"drop-down stays down while open", esDropDown, {PressIn, ReleaseInOpen, MoveOutOpen}, 1, ebsDown},
        {"drop-down press again to close", esDropDown, {PressIn, ReleaseInOpen, PressInOpen}, 2, ebsDown},
        {"drop-down without a list", esDropDown, {PressIn, ReleaseIn, MoveOut}, 1, ebsUp},
        {"drop-down press on the text", esDropDown, {DragIn, ReleaseIn}, 0, ebsHot},
    };
    for (const auto& c : cases) {
        EditButtonStateMachine button;
        button.ButtonStyle = c.style;
        int clicks = 0;
        for (const Event& e : c.events)
            clicks += button.Mouse(e.kind, e.inside, e.held, e.dropped).click;
        EXPECT_EQ(clicks, c.clicks) << c.name;
        EXPECT_EQ(button.EditButtonState, c.final) << c.name;
    }
}

TEST(EditButtonLogic, RepaintOnlyOnChangeAndResetClearsThePress)
{
    EditButtonStateMachine button;
    EXPECT_TRUE(button.Mouse(TButtonMouse::bmMove, true, false).changed);
    EXPECT_FALSE(button.Mouse(TButtonMouse::bmMove, true, false).changed);
    EXPECT_TRUE(button.Mouse(TButtonMouse::bmPress, true, true).changed);
    EXPECT_TRUE(button.PressStarted);
    EXPECT_FALSE(button.Mouse(TButtonMouse::bmMove, true, true).changed);

    EXPECT_TRUE(button.Reset());
    EXPECT_EQ(button.EditButtonState, ebsUp);
    EXPECT_FALSE(button.PressStarted);
    EXPECT_FALSE(button.Reset());
    // The press was forgotten: releasing on the button now is no click.
    EXPECT_FALSE(button.Mouse(TButtonMouse::bmRelease, true, false).click);
}

TEST(EditButtonLogic, ButtonRectangle)
{
    const struct {
        const char* name;
        int32_t width, clientHeight;
        TControlStyle style;
        TChoiceBtnStyle choice;
        int32_t choiceWidth;
        EditButtonBounds expected;
        int32_t ppi = DesignPpi;
    } cases[] = {
        {"main window editor", 187, 17, fsFlat, btsEllipsis, 30, {169, 2, 16, 17, bdsFlat}},
        {"main window editor, 21 high", 187, 19, fsFlat, btsEllipsis, 16, {169, 2, 16, 19, bdsFlat}},
        {"normal", 187, 17, fcsNormal, btsForm, 16, {169, 2, 16, 17, bdsNormal}},
        {"no border", 187, 17, fsNone, btsCombo, 16, {171, 0, 16, 17, bdsNormal}},
        {"single", 187, 17, fsSingle, btsEllipsis, 16, {169, 2, 16, 19, bdsNormal}},
        {"custom width", 187, 17, fsFlat, btsCustom, 22, {163, 2, 22, 17, bdsFlat}},
        // Scaled: the width grows, the frame's two rings do not.
        {"at 144 ppi", 281, 27, fsFlat, btsEllipsis, 16, {255, 2, 24, 27, bdsFlat}, 144},
        {"custom at 120 ppi", 234, 22, fsFlat, btsCustom, 22, {204, 2, 28, 22, bdsFlat}, 120},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditButtonGeometry(c.width, c.clientHeight, c.style, c.choice, c.choiceWidth, c.ppi), c.expected)
            << c.name;

    EXPECT_EQ(MinButtonWidth(11, true, 16), 34);
    EXPECT_EQ(MinButtonWidth(11, false, 16), 18);
    EXPECT_EQ(MinButtonWidth(17, true, 24, 144), 17 + 3 + 24 + 8);
}

TEST(EditButtonLogic, MarginsAndFormattingRectangle)
{
    const TextLayoutInput editor{.width = 187, .height = 19, .widestChar = 11, .drawStyle = fsFlat,
                                 .alignedCentreOrRight = false, .showCheckGlyph = true, .glyphWidth = 0,
                                 .hasButton = true, .buttonWidth = 16};
    auto with = [&](auto change) {
        TextLayoutInput in = editor;
        change(in);
        return in;
    };
    const struct {
        const char* name;
        TextLayoutInput in;
        int32_t left, right;
        bool glyph, keep;
        EditRect rect;
    } cases[] = {
        {"main window editor", editor, 0, 20, false, true, {0, 0, 167, 20}},
        {"centred", with([](auto& i) { i.alignedCentreOrRight = true; }), 0, 24, false, true, {0, 0, 163, 20}},
        {"normal", with([](auto& i) { i.drawStyle = fcsNormal; }), 0, 20, false, true, {0, 0, 167, 20}},
        {"no border", with([](auto& i) { i.drawStyle = fsNone; }), 0, 16, false, true, {2, 1, 171, 20}},
        {"single", with([](auto& i) { i.drawStyle = fsSingle; }), 0, 20, false, true, {-1, -1, 167, 20}},
        {"colour combo", with([](auto& i) { i.glyphWidth = 15, i.alignedCentreOrRight = true; }), 17, 24, true, true,
         {17, 0, 163, 20}},
        {"glyph below the widest character", with([](auto& i) { i.glyphWidth = 8, i.drawStyle = fsNone; }), 16, 16,
         true, true, {16, 1, 171, 20}},
        {"glyph not allowed", with([](auto& i) { i.glyphWidth = 15, i.showCheckGlyph = false; }), 0, 20, false, true,
         {0, 0, 167, 20}},
        {"just wide enough", with([](auto& i) { i.width = 34, i.glyphWidth = 15; }), 0, 20, false, true,
         {0, 0, 14, 20}},
        {"too narrow for the button", with([](auto& i) { i.width = 33; }), 0, 4, false, false, {0, 0, 29, 20}},
        {"no button", with([](auto& i) { i.width = 33, i.glyphWidth = 15, i.hasButton = false; }), 17, 4, true,
         false, {17, 0, 29, 20}},
    };
    for (const auto& c : cases) {
        const TextLayout out = LayoutText(c.in);
        EXPECT_EQ(out.leftMargin, c.left) << c.name;
        EXPECT_EQ(out.rightMargin, c.right) << c.name;
        EXPECT_EQ(out.glyphShown, c.glyph) << c.name;
        EXPECT_EQ(out.keepButton, c.keep) << c.name;
        EXPECT_EQ(out.formatRect, c.rect) << c.name;
    }
}

TEST(EditButtonLogic, HitTestAndErasedArea)
{
    EXPECT_EQ(EditHitTest(168, 187, false, 0, true, 16), (EditHit{false, false}));
    EXPECT_EQ(EditHitTest(169, 187, false, 0, true, 16), (EditHit{false, true}));
    EXPECT_EQ(EditHitTest(180, 187, false, 0, false, 16), (EditHit{false, false}));
    EXPECT_EQ(EditHitTest(14, 187, true, 15, true, 16), (EditHit{true, false}));
    EXPECT_EQ(EditHitTest(15, 187, true, 15, true, 16), (EditHit{false, false}));
    EXPECT_EQ(EditHitTest(3, 187, false, 15, true, 16), (EditHit{false, false}));

    EXPECT_EQ(EraseRect(185, 17, false, 0, true, 169, fsFlat), (EditRect{0, 0, 167, 17}));
    EXPECT_EQ(EraseRect(185, 17, true, 15, true, 169, fsFlat), (EditRect{15, 0, 167, 17}));
    EXPECT_EQ(EraseRect(187, 19, false, 0, true, 171, fsNone), (EditRect{0, 0, 171, 19}));
    EXPECT_EQ(EraseRect(185, 17, false, 15, false, 169, fsFlat), (EditRect{0, 0, 185, 17}));
}

TEST(EditButtonLogic, GlyphPlacement)
{
    const struct {
        const char* name;
        int32_t bw, bh, gw, gh;
        bool down;
        EditPoint expected;
    } buttons[] = {
        {"ellipsis", 16, 17, 10, 12, false, {3, 2}},
        {"ellipsis pressed", 16, 17, 10, 12, true, {4, 3}},
        {"combo arrow", 16, 19, 9, 12, false, {3, 3}},
        {"wide custom button", 30, 17, 16, 16, false, {7, 0}},
        {"glyph wider than the room", 16, 17, 16, 16, false, {3, 0}},
        {"glyph taller than the button", 16, 17, 10, 20, false, {3, -1}},
    };
    for (const auto& c : buttons)
        EXPECT_EQ(ButtonGlyphPosition(c.bw, c.bh, c.gw, c.gh, c.down), c.expected) << c.name;

    // The colour combo's 15-pixel swatch in a one-pixel border.
    EXPECT_EQ(CheckGlyphPlacement(145, 21, 143, 19, 15, 17), (CheckGlyphFrame{{1, 1, 18, 20}, {1, 1}}));
    EXPECT_EQ(CheckGlyphPlacement(145, 21, 143, 19, 15, 19), (CheckGlyphFrame{{1, 1, 18, 20}, {1, 0}}));
    EXPECT_EQ(CheckGlyphPlacement(145, 21, 141, 17, 15, 30), (CheckGlyphFrame{{2, 2, 19, 19}, {1, 0}}));
    EXPECT_EQ(CheckGlyphPlacement(40, 10, 40, 12, 8, 4), (CheckGlyphFrame{{0, -1, 10, 10}, {1, 4}}));
}

TEST(EditButtonLogic, EdgeByStateAndTheDisabledGlyphRule)
{
    const struct {
        TEditButtonState state;
        bool enabled;
        TButtonDrawStyle style;
        bool editHot;
        TEditButtonEdge expected;
    } cases[] = {
        {ebsDown, true, bdsFlat, false, ebeSunkenOuter}, {ebsHot, true, bdsNormal, false, ebeRaisedInner},
        {ebsUp, true, bdsFlat, true, ebeRaisedInner},    {ebsUp, true, bdsFlat, false, ebeWindowFrame},
        {ebsUp, true, bdsNormal, false, ebeRaised},      {ebsDown, false, bdsFlat, false, ebeWindowFrame},
        {ebsDown, false, bdsNormal, true, ebeRaised},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditButtonEdge(c.state, c.enabled, c.style, c.editHot), c.expected)
            << static_cast<int>(c.state) << c.enabled << static_cast<int>(c.style) << c.editHot;

    EXPECT_TRUE(DisabledGlyphShadows(0x000000));
    EXPECT_TRUE(DisabledGlyphShadows(0xFFFFAE)); // red 174
    EXPECT_FALSE(DisabledGlyphShadows(0x0000AF)); // red 175
    EXPECT_FALSE(DisabledGlyphShadows(0xFF00FF)); // the fuchsia background
}
