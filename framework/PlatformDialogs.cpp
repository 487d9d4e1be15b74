#include "framework/PlatformDialogs.h"

namespace quillon {

namespace {

IPlatformDialogs*& Current()
{
    static IPlatformDialogs* current = &SystemDialogs();
    return current;
}

} // namespace

IPlatformDialogs& PlatformDialogs()
{
    return *Current();
}

TPlatformDialogsScope::TPlatformDialogsScope(IPlatformDialogs& replacement) : previous_(Current())
{
    Current() = &replacement;
}

TPlatformDialogsScope::~TPlatformDialogsScope()
{
    Current() = previous_;
}

} // namespace quillon
