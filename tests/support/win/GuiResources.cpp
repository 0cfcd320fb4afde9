#include "GuiResources.h"

#include <cstddef>
#include <cstdint>

namespace zavo {

namespace {

// One entry of the GDI handle table published in the process environment
// block (the same 24-byte layout on Windows x64 and in Wine).
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t processId;
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");

constexpr std::size_t kGdiHandleCount = 0x10000;
// Offset of GdiSharedHandleTable in the 64-bit process environment block.
constexpr std::size_t kPebGdiTableOffset = 0xF8;

// Reading the thread block through the gs segment looks like an access to a
// zero-length array to GCC's bounds checker.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const GdiHandleEntry* GdiHandleTable() {
#if defined(_WIN64)
    auto* teb = reinterpret_cast<const std::uint8_t*>(NtCurrentTeb());
    auto* peb = *reinterpret_cast<const std::uint8_t* const*>(teb + 0x60);
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTableOffset);
#else
    return nullptr;
#endif
}
#pragma GCC diagnostic pop

unsigned long CountGdiTable() {
    const GdiHandleEntry* table = GdiHandleTable();
    if (!table) return 0;
    unsigned long n = 0;
    for (std::size_t i = 0; i < kGdiHandleCount; ++i) {
        if (table[i].type != 0) ++n;
    }
    return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<unsigned long*>(counter);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM counter) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<unsigned long*>(counter);
        ::EnumChildWindows(hWnd, &CountChild, counter);
    }
    return TRUE;
}

unsigned long CountWindows() {
    unsigned long n = 0;
    ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&n));
    return n;
}

}  // namespace

GuiObjectCounts CountGuiObjects() {
    HANDLE self = ::GetCurrentProcess();
    GuiObjectCounts counts;
    counts.gdi = ::GetGuiResources(self, GR_GDIOBJECTS);
    counts.user = ::GetGuiResources(self, GR_USEROBJECTS);
    // A process with a window always holds GDI and USER objects: zero means
    // "not implemented".
    if (counts.gdi == 0) counts.gdi = CountGdiTable();
    if (counts.user == 0) counts.user = CountWindows();
    return counts;
}

}  // namespace zavo
