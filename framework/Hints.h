#pragma once
// Hints: one tooltip window (the system's, classic look) for the whole
// application. The framework relays every mouse message of its windows to
// it; the control under the pointer gets a tool of its own, a rectangle on
// the window that received the message, so windowless controls and disabled
// ones (whose mouse messages go to their parent) show their hints as well.
// A hint shows after the application's HintPause in its HintColor, hides
// after its HintHidePause, and keeps the line breaks of a multi-line hint
// (\r\n). The application relays the mouse messages of every window here.
#include "framework/Control.h"

namespace quillon {

struct THintSettings {
    TColor color;
    int pause;     // ms until a hint shows
    int hidePause; // ms until it hides
};

// Whether `control` shows hints: its own ShowHint, else, with ParentShowHint,
// its parent's rule, up to the form.
bool HintShown(const TControl& control);
// The text shown for `control`: its Hint, else its nearest parent's.
std::string HintText(const TControl& control);

// A mouse message that reached `window`.
void RelayHintMouse(TWinControl& window, UINT msg, WPARAM wp, LPARAM lp, const THintSettings& settings);
// `control` is going away: its tool goes too.
void ForgetHintControl(const TControl* control);
// A notification that one of our windows received: true when the tooltip sent it.
bool HintWindowNotified(const NMHDR& header);
// The tooltip window; null until a hint was needed.
HWND HintWindowHandle();

} // namespace quillon
