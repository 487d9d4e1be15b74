#include "framework/Timer.h"

#include "framework/Forms.h"

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
    const auto it = Timers().find(id);
    if (it == Timers().end() || !it->second->OnTimer)
        return;
    try {
        it->second->OnTimer();
    } catch (const std::exception& e) {
        Application().HandleException(e);
    } catch (...) {
        Application().HandleException(std::runtime_error("Unexpected error"));
    }
}

} // namespace quillon
