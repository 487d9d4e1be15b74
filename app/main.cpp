// Quillon: switches on hidden options of the Delphi 5 IDE.
#include "app/PlaceholderWindow.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show)
{
    quillon::TPlaceholderWindow main;
    if (!main.Handle())
        return 0;
    ShowWindow(main.Handle(), show);
    UpdateWindow(main.Handle());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(main.Handle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
