#pragma once
// The window classes of our controls: one registered class per class name
// and class style. A superclass copies a system class (its extra bytes,
// cursor and background), puts our procedure in front and keeps the
// original one, which DefaultHandler then calls.
#include "framework/CreateParams.h"

namespace quillon {

// Registers the class `params` asks for (once) and sets params.className to
// the name registered. Returns the kept procedure of a superclass, else null.
WNDPROC RegisterWindowClass(TCreateParams& params, WNDPROC ourProc);

// The kept procedure of a window's class (null for our own classes and for
// windows that are not ours).
WNDPROC KeptWindowProc(HWND hwnd);

} // namespace quillon
