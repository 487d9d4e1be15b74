#pragma once
// A GUI timer on the calling thread; OnTimer runs from the message loop.
#include <windows.h>

#include <functional>

namespace quillon {

class TTimer {
public:
    explicit TTimer(UINT interval = 1000) : interval_(interval) {}
    ~TTimer() { Stop(); }
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return id_ != 0; }
    void SetEnabled(bool enabled) { enabled ? Start() : Stop(); }

    std::function<void()> OnTimer;

private:
    void Start();
    void Stop();
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);

    UINT interval_;
    UINT_PTR id_ = 0;
};

} // namespace quillon
