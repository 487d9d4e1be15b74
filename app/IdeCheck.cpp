#include "app/IdeCheck.h"

#include <tlhelp32.h>

namespace quillon {

namespace {

// Another user's IDE (a terminal server, a switched user) writes another
// registry; when the session cannot be told, the process counts.
bool InThisSession(DWORD processId)
{
    DWORD own = 0, theirs = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &own) || !ProcessIdToSessionId(processId, &theirs))
        return true;
    return own == theirs;
}

class TSnapshotCheck : public IIdeCheck {
public:
    bool IsIdeRunning() override
    {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return false;
        bool found = false;
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
            found = lstrcmpiW(entry.szExeFile, L"delphi32.exe") == 0 && InThisSession(entry.th32ProcessID);
        CloseHandle(snapshot);
        return found;
    }
};

IIdeCheck*& Current()
{
    static IIdeCheck* current = &SystemIdeCheck();
    return current;
}

} // namespace

IIdeCheck& SystemIdeCheck()
{
    static TSnapshotCheck check;
    return check;
}

IIdeCheck& IdeCheck()
{
    return *Current();
}

TIdeCheckScope::TIdeCheckScope(IIdeCheck& replacement) : previous_(Current())
{
    Current() = &replacement;
}

TIdeCheckScope::~TIdeCheckScope()
{
    Current() = previous_;
}

bool MayWriteWhileIdeRuns(HWND owner)
{
    if (!IdeCheck().IsIdeRunning())
        return true;
    return MessageBoxW(owner,
                       L"Delphi 5 is running. It saves its own settings when it closes and will overwrite the "
                       L"changes made here.\r\n\r\nWrite them anyway?",
                       L"Quillon", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

} // namespace quillon
