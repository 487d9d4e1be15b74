#include "tests/support/GuiHelpers.h"
#include "framework/Application.h"


namespace quillon::test {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        Application().ProcessMessages();
        if (done && done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return done ? done() : true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

void Pump(int ms)
{
    PumpUntil(nullptr, ms);
}

void Settle(int timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        Application().ProcessMessages();
        if (HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT)) == 0)
            return;
        if (GetTickCount64() >= deadline)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

POINT ScreenCorner()
{
    return POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
}

void ParkCursor()
{
    MoveCursorToScreen(ScreenCorner());
}

void MoveCursorToScreen(POINT p)
{
    // SendInput moves the pointer the way a user does: the system generates
    // the mouse-move messages.
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((p.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>((p.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    SetCursorPos(p.x, p.y);
    Settle();
}

void MoveCursorTo(TControl& control, int x, int y)
{
    MoveCursorToScreen(control.ClientToScreen(POINT{x, y}));
}

void MouseButton(bool left, bool down)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = left ? (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                         : (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
    SendInput(1, &in, sizeof in);
    Settle();
}

void Key(WORD vk, bool down)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    Settle();
}

void Tap(WORD vk, std::initializer_list<WORD> modifiers)
{
    for (WORD m : modifiers)
        Key(m, true);
    Key(vk, true);
    Key(vk, false);
    for (WORD m : modifiers)
        Key(m, false);
}

void ClickAt(TControl& control, int x, int y)
{
    MoveCursorTo(control, x, y);
    MouseButton(true, true);
    MouseButton(true, false);
}

TTestForm::TTestForm(int width, int height, TColor color)
{
    SetColor(color);
    SetBounds(40, 40, 0, 0);
    SetClientSize(width, height);
}

void TTestForm::ShowActive()
{
    Show();
    SetActiveWindow(Handle());
    PumpUntil([&] { return GetActiveWindow() == Handle(); }, 2000);
    Settle();
}

void TypeText(const std::wstring& text)
{
    for (wchar_t ch : text) {
        INPUT in[2]{};
        for (int i = 0; i < 2; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wScan = ch;
            in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, in, sizeof(INPUT));
        Settle();
    }
}

} // namespace quillon::test
