#pragma once
// Driving real windows in tests: bounded message pumping, the cursor, input.
#include "framework/Forms.h"
#include "tests/support/Clipboard.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace quillon::test {

// Handles messages for `ms` milliseconds.
void Pump(int ms);
// Handles messages until `done` is true or `timeoutMs` passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
// Handles what is queued until nothing (input, posted or sent messages)
// waits any more, at most `timeoutMs`: the input just sent has been handled.
void Settle(int timeoutMs = 500);

// The bottom-right pixel of the real screen, where no test window lies.
POINT ScreenCorner();
// Moves the pointer there (teardowns).
void ParkCursor();

void MoveCursorTo(TControl& control, int x, int y); // control coordinates
void MoveCursorToScreen(POINT p);
void MouseButton(bool left, bool down);
void Key(WORD vk, bool down);
// A key pressed and released, with modifiers held around it.
void Tap(WORD vk, std::initializer_list<WORD> modifiers = {});
// Types each character as the keyboard would, whatever the layout.
void TypeText(const std::wstring& text);
// A left click at a point of the control.
void ClickAt(TControl& control, int x, int y);

// A visible dialog-style form for tests, activated so hover tracking runs.
class TTestForm : public TForm {
public:
    TTestForm(int width, int height, TColor color = clBtnFace);
    void ShowActive();
};

} // namespace quillon::test
