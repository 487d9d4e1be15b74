// Times the load of the fourteen settings and a full apply against the real
// registry, next to the floor: the fewest raw registry calls with the same
// effect. Runs only in the test prefix, like the tests.
#include "tweaks/Catalog.h"
#include "tweaks/SettingsStore.h"
#include "tweaks/TweakModel.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quillon;

namespace {

constexpr int Rounds = 300;

double MedianMicroseconds(const std::function<void()>& action)
{
    for (int i = 0; i < 10; ++i)
        action(); // warm-up
    std::vector<double> times;
    times.reserve(Rounds);
    for (int i = 0; i < Rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::nth_element(times.begin(), times.begin() + Rounds / 2, times.end());
    return times[Rounds / 2];
}

std::string StoredText(const TweakEntry& e)
{
    switch (e.source) {
    case ValueSource::OnValue:
        return "1";
    case ValueSource::Font:
        return "\"Tahoma\",10,Bold";
    case ValueSource::Editor:
        return e.tag == 7 ? "clRed" : e.tag == 8 ? "30" : "D:\\Some\\Folder";
    }
    return "1";
}

void StoreAll()
{
    for (const TweakEntry& e : Catalog())
        WriteSettingValue(std::string(e.keyPath), std::string(e.valueName), StoredText(e));
}

void FloorLoad()
{
    char buffer[256];
    for (const TweakEntry& e : Catalog()) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, std::string(e.keyPath).c_str(), 0, KEY_READ, &key) == 0) {
            DWORD size = sizeof buffer;
            RegQueryValueExA(key, std::string(e.valueName).c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(buffer), &size);
            RegCloseKey(key);
        }
    }
}

void FloorApply(const std::vector<std::string>& texts)
{
    for (const TweakEntry& e : Catalog()) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, std::string(e.keyPath).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) == 0) {
            const std::string& text = texts[static_cast<size_t>(e.tag)];
            RegSetValueExA(key, std::string(e.valueName).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
            RegCloseKey(key);
        }
    }
}

} // namespace

int main()
{
    if (GetFileAttributesW(L"C:\\quillon-test-prefix") == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "Refusing to run outside the test prefix prepared by scripts/test.\n");
        return 2;
    }
    StoreAll();

    const double load = MedianMicroseconds([] {
        TTweakModel model;
        model.state.Load();
    });
    const double loadFloor = MedianMicroseconds(FloorLoad);

    TTweakModel model;
    model.state.Load();
    const double apply = MedianMicroseconds([&] { model.state.ApplySettings(); });
    std::vector<std::string> texts(LastTag + 1);
    for (const TweakEntry& e : Catalog())
        texts[static_cast<size_t>(e.tag)] = StoredText(e);
    const double applyFloor = MedianMicroseconds([&] { FloorApply(texts); });

    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Borland");
    std::printf("settings benchmark, median of %d rounds (microseconds)\n", Rounds);
    std::printf("  load : %9.1f   floor %9.1f   ratio %.2f (goal <= 2.0)\n", load, loadFloor,
                load / loadFloor);
    std::printf("  apply: %9.1f   floor %9.1f   ratio %.2f (goal <= 1.5)\n", apply, applyFloor,
                apply / applyFloor);
    return 0;
}
