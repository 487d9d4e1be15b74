#pragma once
// Medians of a measured action and its floor, timed in alternation so that
// both see the same machine load.
#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>
#include <vector>

namespace quillon::bench {

inline std::pair<double, double> InterleavedMedians(int rounds, const std::function<void()>& measured,
                                                    const std::function<void()>& floor)
{
    auto time = [](const std::function<void()>& action) {
        const auto start = std::chrono::steady_clock::now();
        action();
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    };
    for (int i = 0; i < 20; ++i) {
        measured();
        floor();
    }
    std::vector<double> a(static_cast<size_t>(rounds)), b(static_cast<size_t>(rounds));
    for (int i = 0; i < rounds; ++i) {
        a[static_cast<size_t>(i)] = time(measured);
        b[static_cast<size_t>(i)] = time(floor);
    }
    auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    return {median(a), median(b)};
}

} // namespace quillon::bench
