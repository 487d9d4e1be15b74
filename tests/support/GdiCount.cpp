#include "tests/support/GdiCount.h"

// NtCurrentTeb reads through the segment register, which GCC takes for an
// out-of-bounds access.
#pragma GCC diagnostic ignored "-Warray-bounds"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <stdexcept>

namespace quillon::test {

namespace {

constexpr int TableEntries = 0x10000;
constexpr int EntrySize = 24;  // Wine's layout, the same for both bitnesses
constexpr int TypeOffset = 14; // a non-zero type marks a live object

const uint8_t* SharedHandleTable()
{
    const auto* peb = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#ifdef _WIN64
    return *reinterpret_cast<const uint8_t* const*>(peb + 0xF8);
#else
    if (const uint32_t table = *reinterpret_cast<const uint32_t*>(peb + 0x94))
        return reinterpret_cast<const uint8_t*>(table);
    // Under Wine's WoW64 only the 64-bit PEB holds it: the 64-bit TEB lies
    // 0x2000 below the 32-bit one and points to that PEB.
    const auto* teb = reinterpret_cast<const uint8_t*>(NtCurrentTeb());
    const uint64_t peb64 = *reinterpret_cast<const uint64_t*>(teb - 0x2000 + 0x60);
    const uint64_t table = *reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(peb64) + 0xF8);
    return reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(table));
#endif
}

} // namespace

int LiveGdiObjects()
{
    const uint8_t* table = SharedHandleTable();
    if (!table)
        throw std::runtime_error("GDI shared handle table not found");
    int live = 0;
    for (int i = 0; i < TableEntries; ++i)
        live += table[static_cast<size_t>(i) * EntrySize + TypeOffset] != 0;
    return live;
}

} // namespace quillon::test
