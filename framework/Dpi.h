#pragma once
// The display scale of windows (the arithmetic is in base/Scale.h). The
// per-monitor calls of user32 are loaded at run time: where they are missing
// (older Windows, some Wine versions) the screen's LOGPIXELSY is the ppi of
// every window.
#include "base/Scale.h"

#include <windows.h>

namespace quillon {

// The system's ppi: where new top-level windows start.
int SystemPpi();
// The ppi of a window (null: the system's), as the ppi source tells.
int WindowPpi(HWND hwnd);
// Replaces the ppi source (tests: a stand-in for a monitor of another
// scale); null puts the platform's back.
using TPpiSource = int (*)(HWND hwnd);
void SetPpiSource(TPpiSource source);

// A system metric as it is at `ppi`.
int SystemMetricForPpi(int index, int ppi);
// The outer size less the client size of a window of these styles at `ppi`.
SIZE FrameSizeForPpi(DWORD style, DWORD exStyle, int ppi);

// The message a top-level window gets when its ppi changes.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

} // namespace quillon
