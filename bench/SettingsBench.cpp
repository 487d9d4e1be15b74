// Times the load of the fourteen settings and a full apply against the real
// registry, next to the floor: the fewest raw registry calls with the same
// effect. Runs only in the test prefix, like the tests.
#include "bench/Timing.h"
#include "tests/support/TweakModel.h"
#include "tweaks/Catalog.h"
#include "tweaks/SettingsStore.h"

#include <windows.h>

#include <cstdio>
#include <vector>

using namespace quillon;
using quillon::test::TTweakModel;

namespace {

constexpr int Rounds = 300;

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

    const auto [load, loadFloor] = bench::InterleavedMedians(
        Rounds,
        [] {
            TTweakModel model;
            model.state.Load();
        },
        FloorLoad);

    TTweakModel model;
    model.state.Load();
    std::vector<std::string> texts(LastTag + 1);
    for (const TweakEntry& e : Catalog())
        texts[static_cast<size_t>(e.tag)] = StoredText(e);
    const auto [apply, applyFloor] =
        bench::InterleavedMedians(Rounds, [&] { model.state.ApplySettings(); }, [&] { FloorApply(texts); });

    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Borland");
    std::printf("settings benchmark, median of %d rounds (microseconds)\n", Rounds);
    std::printf("  load : %9.1f   floor %9.1f   ratio %.2f (goal <= 1.5)\n", load, loadFloor,
                load / loadFloor);
    std::printf("  apply: %9.1f   floor %9.1f   ratio %.2f (goal <= 1.5)\n", apply, applyFloor,
                apply / applyFloor);
    return 0;
}
