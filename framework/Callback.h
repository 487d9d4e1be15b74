#pragma once
// The boundary of every Win32 callback (window procedure, timer, hook,
// enumeration): an error that reaches it goes to the application's error
// report and never crosses into the system, which would swallow it or worse.
#include <exception>
#include <utility>

namespace quillon {

// Hands the error to Application().HandleException. Never throws.
void ReportCallbackError(std::exception_ptr error) noexcept;

// Runs `body`; on any error reports it and returns `fallback`.
template <class R, class F>
R GuardCallback(R fallback, F&& body) noexcept
{
    try {
        return std::forward<F>(body)();
    } catch (...) {
        ReportCallbackError(std::current_exception());
    }
    return fallback;
}

template <class F>
void GuardCallback(F&& body) noexcept
{
    try {
        std::forward<F>(body)();
    } catch (...) {
        ReportCallbackError(std::current_exception());
    }
}

} // namespace quillon
