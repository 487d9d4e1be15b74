// Stands in for the IDE: the tests copy it under the IDE's file name and end
// it themselves. It gives up after a minute, so a test that fails half way
// leaves no "IDE" behind to make later tests ask.
#include <windows.h>

int main()
{
    Sleep(60000);
    return 0;
}
