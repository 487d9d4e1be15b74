#include "controls/choice/EditButtonLogic.h"

#include <algorithm>

namespace quillon {

EditButtonStep EditButtonStateMachine::Mouse(TButtonMouse event, bool inside, bool leftHeld, bool dropped)
{
    const TEditButtonState old = EditButtonState;
    const bool dropDown = ButtonStyle == TEventStyle::esDropDown;
    bool click = false;
    if (event == TButtonMouse::bmPress && inside) {
        EditButtonState = TEditButtonState::ebsDown;
        PressStarted = true;
        click = dropDown;
    } else if (dropDown && dropped) {
        // The open list keeps the button down until the owner resets it.
    } else if (!inside) {
        EditButtonState = TEditButtonState::ebsUp;
    } else if (event == TButtonMouse::bmMove) {
        // A press that began elsewhere (on the text, say) never pushes the button.
        if (leftHeld && PressStarted) {
            EditButtonState = TEditButtonState::ebsDown;
        } else {
            EditButtonState = TEditButtonState::ebsHot;
            PressStarted = false;
        }
    } else {
        EditButtonState = TEditButtonState::ebsHot;
        click = !dropDown && PressStarted && old != TEditButtonState::ebsHot;
    }
    if (event == TButtonMouse::bmRelease)
        PressStarted = false;
    return {EditButtonState != old, click};
}

bool EditButtonStateMachine::Reset()
{
    const bool changed = EditButtonState != TEditButtonState::ebsUp;
    EditButtonState = TEditButtonState::ebsUp;
    PressStarted = false;
    return changed;
}

int32_t EditButtonWidth(TChoiceBtnStyle choiceStyle, int32_t choiceButtonWidth, int32_t ppi)
{
    return ScaleFromDesign(choiceStyle == TChoiceBtnStyle::btsCustom ? choiceButtonWidth : StandardButtonWidth, ppi);
}

EditButtonBounds EditButtonGeometry(int32_t width, int32_t clientHeight, TControlStyle drawStyle,
                                    TChoiceBtnStyle choiceStyle, int32_t choiceButtonWidth, int32_t ppi)
{
    EditButtonBounds b{};
    b.width = EditButtonWidth(choiceStyle, choiceButtonWidth, ppi);
    b.left = width - b.width - 2;
    b.top = 2;
    b.height = clientHeight;
    b.drawStyle = TButtonDrawStyle::bdsNormal;
    switch (drawStyle) {
    case TControlStyle::fcsNormal:
        break;
    case TControlStyle::fsFlat:
        b.drawStyle = TButtonDrawStyle::bdsFlat;
        break;
    case TControlStyle::fsNone:
        b.top = 0;
        b.left += 2;
        break;
    case TControlStyle::fsSingle:
        b.height += 2;
        break;
    }
    return b;
}

int32_t MinButtonWidth(int32_t widestChar, bool hasButton, int32_t buttonWidth, int32_t ppi)
{
    const int32_t room = hasButton ? ScaleFromDesign(2, ppi) + buttonWidth + ScaleFromDesign(5, ppi)
                                   : ScaleFromDesign(7, ppi);
    return widestChar + room;
}

bool CheckGlyphShown(bool showCheckGlyph, int32_t glyphWidth, int32_t width, int32_t minButtonWidth)
{
    return showCheckGlyph && glyphWidth > 0 && width - glyphWidth >= minButtonWidth;
}

TextLayout LayoutText(const TextLayoutInput& in)
{
    TextLayout out;
    auto scaled = [&](int32_t v) { return ScaleFromDesign(v, in.ppi); };
    const int32_t minWidth = MinButtonWidth(in.widestChar, in.hasButton, in.buttonWidth, in.ppi);
    out.glyphShown = CheckGlyphShown(in.showCheckGlyph, in.glyphWidth, in.width, minWidth);
    if (out.glyphShown)
        out.leftMargin = in.glyphWidth >= in.widestChar ? in.glyphWidth + scaled(2) : in.widestChar + scaled(5);

    out.keepButton = in.hasButton && in.width >= minWidth;
    out.rightMargin = in.drawStyle == TControlStyle::fsNone ? 0 : scaled(4);
    if (out.keepButton)
        out.rightMargin += in.buttonWidth + (in.alignedCentreOrRight ? scaled(4) : 0);

    EditPoint shift{0, 0};
    if (in.drawStyle == TControlStyle::fsNone)
        shift = {2, 1};
    else if (in.drawStyle == TControlStyle::fsSingle)
        shift = {-1, -1};
    if (out.glyphShown)
        shift.x = 0;
    out.formatRect = {out.leftMargin + shift.x, shift.y, in.width - out.rightMargin, in.height + 1};
    return out;
}

EditHit EditHitTest(int32_t x, int32_t width, bool glyphShown, int32_t glyphWidth, bool hasButton,
                    int32_t buttonWidth)
{
    return {glyphShown && x < glyphWidth, hasButton && x >= width - buttonWidth - 2};
}

EditRect EraseRect(int32_t clientWidth, int32_t clientHeight, bool glyphShown, int32_t glyphWidth, bool hasButton,
                   int32_t buttonLeft, TControlStyle drawStyle)
{
    EditRect r{glyphShown ? glyphWidth : 0, 0, clientWidth, clientHeight};
    if (hasButton)
        r.right = std::min(r.right, drawStyle == TControlStyle::fsNone ? buttonLeft : buttonLeft - 2);
    return r;
}

CheckGlyphFrame CheckGlyphPlacement(int32_t width, int32_t height, int32_t clientWidth, int32_t clientHeight,
                                    int32_t glyphWidth, int32_t glyphHeight)
{
    const int32_t left = (width - clientWidth) / 2;
    const int32_t top = (height - clientHeight) / 2;
    const EditRect frame{left, top, left + glyphWidth + 2, std::min(top + clientHeight, height)};
    const int32_t y = glyphHeight < clientHeight ? (clientHeight - glyphHeight) / 2 : 0;
    return {frame, {1, y}};
}

EditPoint ButtonGlyphPosition(int32_t buttonWidth, int32_t buttonHeight, int32_t glyphWidth, int32_t glyphHeight,
                              bool down)
{
    // A glyph too wide for the space inside the edges sits at 3.
    const int32_t room = buttonWidth - glyphWidth - 6;
    EditPoint p{room > 0 ? room / 2 + 3 : 3, (buttonHeight - glyphHeight) / 2};
    if (down) {
        ++p.x;
        ++p.y;
    }
    return p;
}

TEditButtonEdge EditButtonEdge(TEditButtonState state, bool enabled, TButtonDrawStyle drawStyle, bool editHot)
{
    if (!enabled)
        state = TEditButtonState::ebsUp;
    if (state == TEditButtonState::ebsDown)
        return TEditButtonEdge::ebeSunkenOuter;
    if (state == TEditButtonState::ebsHot)
        return TEditButtonEdge::ebeRaisedInner;
    if (drawStyle != TButtonDrawStyle::bdsFlat)
        return TEditButtonEdge::ebeRaised;
    return editHot ? TEditButtonEdge::ebeRaisedInner : TEditButtonEdge::ebeWindowFrame;
}

bool DisabledGlyphShadows(int32_t rgb)
{
    return (static_cast<uint32_t>(rgb) & 0xFFu) < 175;
}

} // namespace quillon
