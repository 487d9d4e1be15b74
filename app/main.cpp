// Quillon: switches on hidden options of the Delphi 5 IDE.
#include "app/ProgramStart.h"
#include "framework/Application.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

// A program without a console has nowhere to print the standard library's
// last words before it aborts, and printing them would link the symbol
// demangler (46 KB).
void __gnu_cxx::__verbose_terminate_handler()
{
    std::abort();
}

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
