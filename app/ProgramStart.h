#pragma once
// The program: the application's title, the three windows in their order
// (the main window first, so it is the main form and loads first), then the
// message loop until the main window closes. When Quillon already runs, its
// window comes to the front instead and the call returns.
#include <functional>

namespace quillon {

class TfrmMain;

// `beforeRun` sees the loaded main window before it is shown (the start-up
// benchmark marks its first paint there).
void RunProgram(const std::function<void(TfrmMain&)>& beforeRun = {});

} // namespace quillon
