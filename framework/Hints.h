#pragma once
// Hints: one tooltip window (the system's, classic look) for the whole
// application. The framework relays every mouse message of its windows to
// it; the control under the pointer gets a tool of its own, a rectangle on
// the window that received the message, so windowless controls and disabled
// ones (whose mouse messages go to their parent) show their hints as well.
// A hint shows after Application().HintPause in Application().HintColor,
// hides after Application().HintHidePause, and keeps the line breaks of a
// multi-line hint (\r\n).
#include "framework/Control.h"

namespace quillon {

// Whether `control` shows hints: its own ShowHint, else, with ParentShowHint,
// its parent's rule, up to the form.
bool HintShown(const TControl& control);
// The text shown for `control`: its Hint, else its nearest parent's.
std::string HintText(const TControl& control);

// Framework plumbing: a mouse message that reached `window`.
void RelayHintMouse(TWinControl& window, UINT msg, WPARAM wp, LPARAM lp);
// `control` is going away: its tool goes too.
void ForgetHintControl(const TControl* control);
// A notification that one of our windows received: true when the tooltip sent it.
bool HintWindowNotified(const NMHDR& header);
// The tooltip window; null until a hint was needed.
HWND HintWindowHandle();

} // namespace quillon
