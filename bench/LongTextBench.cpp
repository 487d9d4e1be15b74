// Times what hostile long texts cost the main window: its load with a 1 MB
// colour, a 70,000-character century and a 1 MB folder stored, next to its
// load with ordinary values, and a 100 KB paste into the colour editor. The
// platform's edit works in time that grows with the square of its text, so
// these show at once whether the editors keep their texts short. Runs only
// in the test prefix, like the tests; the IDE's keys are removed afterwards.
#include "app/AboutForm.h"
#include "app/ConfirmForm.h"
#include "app/MainForm.h"
#include "tests/support/Clipboard.h"
#include "tweaks/Catalog.h"
#include "tweaks/SettingsStore.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace quillon;

namespace {

constexpr int Rounds = 5;

void Store(int tag, const std::string& text)
{
    const TweakEntry& e = EntryForTag(tag);
    WriteSettingValue(std::string(e.keyPath), std::string(e.valueName), text);
}

double MedianMs(const std::function<void()>& action)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + Rounds / 2, times.end());
    return times[Rounds / 2];
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (GetFileAttributesW(L"C:\\quillon-test-prefix") == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "Refusing to run outside the test prefix prepared by scripts/test.\n");
        return 2;
    }
    TForm standIn; // the main form of this program: closing a window under test ends nothing
    auto load = [] { std::make_unique<TfrmMain>()->Handle(); };

    Store(7, "clRed");
    Store(8, "50");
    Store(11, "C:\\Delphi5\\MyComps");
    const double ordinary = MedianMs(load);
    Store(7, "$" + std::string(1 << 20, '0') + "FF");
    Store(8, std::string(70000, '7'));
    Store(11, "C:\\" + std::string(1 << 20, 'p'));
    const double hostile = MedianMs(load);

    TfrmMain form;
    quillon::test::SetClipboardText(nullptr, std::wstring(100 * 1024, L'0'));
    const double paste = MedianMs([&] {
        form.cbColor.SelectAll();
        SendMessageW(form.cbColor.Handle(), WM_PASTE, 0, 0);
    });

    std::printf("long texts, median of %d rounds\n", Rounds);
    std::printf("  load, 1 MB colour, 70,000-character century, 1 MB folder %8.1f ms   ordinary values %8.1f ms\n",
                hostile, ordinary);
    std::printf("  100 KB pasted into the colour editor                       %8.1f ms   (goal well under 1000)\n",
                paste);
    HKEY software = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS, &software) == ERROR_SUCCESS) {
        RegDeleteTreeW(software, L"Borland");
        RegCloseKey(software);
    }
    return 0;
}
