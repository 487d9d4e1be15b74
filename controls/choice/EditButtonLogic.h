#pragma once
// The choice edit's button and text layout as plain numbers: the button's
// press/hot state machine, its rectangle, the text margins and formatting
// rectangle, hit tests and glyph placement. The caller measures (client size,
// widest character, glyph sizes) and draws; nothing here touches a window.
// Sizes and gaps are scaled to `ppi`; the frame's one-pixel rings are not.
#include "base/Scale.h"

#include <cstdint>

namespace quillon {

enum class TControlStyle : uint8_t { fcsNormal, fsFlat, fsNone, fsSingle };
enum class TChoiceBtnStyle : uint8_t { btsForm, btsCombo, btsEllipsis, btsCustom };
enum class TEventStyle : uint8_t { esNormal, esDropDown };

// EditButtonState values 0, 1, 2.
enum class TEditButtonState : uint8_t { ebsUp, ebsDown, ebsHot };

// The button's own draw style: 0 draws platform button edges, 2 flat ones.
enum class TButtonDrawStyle : uint8_t { bdsNormal = 0, bdsFlat = 2 };

enum class TButtonMouse : uint8_t { bmMove, bmPress, bmRelease };

// Width of the three resource-glyph buttons (btsForm, btsCombo, btsEllipsis).
inline constexpr int32_t StandardButtonWidth = 16;

struct EditRect {
    int32_t left, top, right, bottom;

    bool operator==(const EditRect&) const = default;
};

struct EditPoint {
    int32_t x, y;

    bool operator==(const EditPoint&) const = default;
};

// What one mouse event asks of the button's owner.
struct EditButtonStep {
    bool changed = false; // the state changed: repaint the button
    bool click = false;   // run the edit's ButtonClick
};

// The button's reaction to the mouse. esNormal clicks on a release over the
// button after a press on it; esDropDown clicks on the press and stays down
// while the owner's list is open.
struct EditButtonStateMachine {
    TEditButtonState EditButtonState = TEditButtonState::ebsUp;
    bool PressStarted = false;
    TEventStyle ButtonStyle = TEventStyle::esNormal;

    // One mouse event: inside = over the button rectangle, leftHeld = the
    // left button is down, dropped = the owner's list is open.
    EditButtonStep Mouse(TButtonMouse event, bool inside, bool leftHeld, bool dropped = false);

    // Back to up with no press under way (mouse leave, list closed); true
    // when the state changed.
    bool Reset();
};

// The button rectangle as UpdateButton sets it, in window coordinates.
struct EditButtonBounds {
    int32_t left, top, width, height;
    TButtonDrawStyle drawStyle;

    bool operator==(const EditButtonBounds&) const = default;
};

// The button's width for a choice style (choiceButtonWidth, at 96 dpi, for btsCustom).
int32_t EditButtonWidth(TChoiceBtnStyle choiceStyle, int32_t choiceButtonWidth, int32_t ppi = DesignPpi);

// The button of a control width wide whose client area is clientHeight high.
EditButtonBounds EditButtonGeometry(int32_t width, int32_t clientHeight, TControlStyle drawStyle,
                                    TChoiceBtnStyle choiceStyle, int32_t choiceButtonWidth,
                                    int32_t ppi = DesignPpi);

// The narrowest control that keeps its button (or, without one, its text room).
int32_t MinButtonWidth(int32_t widestChar, bool hasButton, int32_t buttonWidth, int32_t ppi = DesignPpi);

// Whether the check glyph area is shown: allowed, a glyph (width 0: none), and room left.
bool CheckGlyphShown(bool showCheckGlyph, int32_t glyphWidth, int32_t width, int32_t minButtonWidth);

struct TextLayoutInput {
    int32_t width = 0, height = 0;     // the control's outer size
    int32_t widestChar = 0;            // the font's widest character
    TControlStyle drawStyle = TControlStyle::fcsNormal;
    bool alignedCentreOrRight = false; // Alignment is centre or right
    bool showCheckGlyph = true;        // ShowCheckGlyph
    int32_t glyphWidth = 0;            // CheckGlyph's width, 0 when empty
    bool hasButton = false;            // a button exists
    int32_t buttonWidth = 0;
    int32_t ppi = DesignPpi;
};

struct TextLayout {
    int32_t leftMargin = 0;  // also TextLeft
    int32_t rightMargin = 0;
    bool glyphShown = false;
    bool keepButton = false; // false with a button: too narrow, free it
    EditRect formatRect{};   // for the platform edit, client coordinates
};

// LayoutText's margins and formatting rectangle.
TextLayout LayoutText(const TextLayoutInput& in);

struct EditHit {
    bool overCheckGlyph = false;
    bool overButton = false;

    bool operator==(const EditHit&) const = default;
};

// OverCheckGlyph and OverButton for a cursor at client x.
EditHit EditHitTest(int32_t x, int32_t width, bool glyphShown, int32_t glyphWidth, bool hasButton,
                    int32_t buttonWidth);

// The client part the background erase fills: less the glyph area and the button side.
EditRect EraseRect(int32_t clientWidth, int32_t clientHeight, bool glyphShown, int32_t glyphWidth, bool hasButton,
                   int32_t buttonLeft, TControlStyle drawStyle);

// Where PaintFrame puts the check glyph area (window coordinates, cut at
// the window's bottom) and the glyph inside it.
struct CheckGlyphFrame {
    EditRect frame;
    EditPoint glyph; // relative to the frame

    bool operator==(const CheckGlyphFrame&) const = default;
};

CheckGlyphFrame CheckGlyphPlacement(int32_t width, int32_t height, int32_t clientWidth, int32_t clientHeight,
                                    int32_t glyphWidth, int32_t glyphHeight);

// The glyph's top-left inside the button, moved by (1, 1) while down.
EditPoint ButtonGlyphPosition(int32_t buttonWidth, int32_t buttonHeight, int32_t glyphWidth, int32_t glyphHeight,
                              bool down);

enum class TEditButtonEdge : uint8_t {
    ebeSunkenOuter, // down
    ebeRaisedInner, // hot, or up in a hot flat edit
    ebeWindowFrame, // up in a flat edit that is not hot: a clWindow ring
    ebeRaised,      // up with draw style 0: the platform's two-pixel button edges
};

// The edge the button draws; a disabled button counts as up.
TEditButtonEdge EditButtonEdge(TEditButtonState state, bool enabled, TButtonDrawStyle drawStyle, bool editHot);

// DisabledGlyph's rule: a pixel whose red component is below 175 turns clBtnShadow.
bool DisabledGlyphShadows(int32_t rgb);

} // namespace quillon
