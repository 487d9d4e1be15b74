// Quillon: switches on hidden options of the Delphi 5 IDE.
#include "app/ProgramStart.h"
#include "framework/Application.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        quillon::RunProgram();
    } catch (const std::exception& error) {
        // Only a broken build gets here (a missing resource): say so.
        quillon::Application().HandleException(error);
    }
    return 0;
}
