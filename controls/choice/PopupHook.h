#pragma once
// The thread message hook that hides the error balloon: while it is
// installed, a typed character, a command, or the application's notice that
// another program (or this one again) became active, taken from this
// thread's queue, posts the hide request to the edit that showed the
// balloon. One hook at a time; the edit removes it whenever it hides the
// balloon.
#include <windows.h>

namespace quillon {

// Installs the hook unless one is installed; the hide request goes to `target`.
void InstallPopupHook(HWND target);
// Removes it, if installed.
void RemovePopupHook();
bool PopupHookInstalled();

// Whether a message taken from the queue hides the balloon.
bool HidesPopup(UINT message);

} // namespace quillon
