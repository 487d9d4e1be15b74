// Quillon: switches on hidden options of the Delphi 5 IDE.
#include "app/PlaceholderWindow.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    quillon::Application().Title = L"Quillon";
    quillon::TPlaceholderWindow main;
    quillon::Application().Run(main);
    return 0;
}
