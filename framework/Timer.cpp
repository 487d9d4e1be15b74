#include "framework/Timer.h"

#include "framework/Callback.h"

#include <map>

namespace quillon {

namespace {
std::map<UINT_PTR, TTimer*>& Timers()
{
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
} // namespace

void TTimer::Start()
{
    if (id_)
        return;
    id_ = SetTimer(nullptr, 0, interval_, &TimerProc);
    if (id_)
        Timers()[id_] = this;
}

void TTimer::Stop()
{
    if (!id_)
        return;
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    GuardCallback([id] {
        const auto it = Timers().find(id);
        if (it == Timers().end() || !it->second->OnTimer)
            return;
        // A copy: the handler may replace or clear OnTimer while it runs.
        const std::function<void()> handler = it->second->OnTimer;
        handler();
    });
}

} // namespace quillon
