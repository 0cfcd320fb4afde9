#include "GuiResources.h"

#include <cstddef>
#include <cstdint>
#include <vector>

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

// The table of another process: where its block says the table lies, read out
// of its memory. 0 when any read fails.
unsigned long CountGdiTableOf(HANDLE process) {
    using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    struct BasicInformation {
        void* reserved1;
        void* pebBaseAddress;
        void* reserved2[2];
        ULONG_PTR uniqueProcessId;
        void* reserved3;
    } info{};
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0, &info, sizeof info, nullptr) != 0 || !info.pebBaseAddress) return 0;
    std::uint64_t tableAddress = 0;
    SIZE_T got = 0;
    if (!::ReadProcessMemory(process, static_cast<const std::uint8_t*>(info.pebBaseAddress) + kPebGdiTableOffset,
                             &tableAddress, sizeof tableAddress, &got) ||
        !tableAddress)
        return 0;
    const DWORD pid = ::GetProcessId(process);
    constexpr std::size_t kChunk = 4096;
    std::vector<GdiHandleEntry> entries(kChunk);
    unsigned long n = 0;
    for (std::size_t first = 0; first < kGdiHandleCount; first += kChunk) {
        if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(tableAddress + first * sizeof(GdiHandleEntry)),
                                 entries.data(), kChunk * sizeof(GdiHandleEntry), &got))
            return 0;
        // Windows maps one table shared by every process: count only this one's.
        for (const GdiHandleEntry& e : entries)
            if (e.type != 0 && (e.processId == 0 || e.processId == static_cast<std::uint16_t>(pid))) ++n;
    }
    return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<unsigned long*>(counter);
    return TRUE;
}

struct WindowCount {
    DWORD pid;
    unsigned long n;
};

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM param) {
    auto* count = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == count->pid) {
        ++count->n;
        ::EnumChildWindows(hWnd, &CountChild, reinterpret_cast<LPARAM>(&count->n));
    }
    return TRUE;
}

unsigned long CountWindows(DWORD pid) {
    WindowCount count{pid, 0};
    ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count.n;
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
    if (counts.user == 0) counts.user = CountWindows(::GetCurrentProcessId());
    return counts;
}

GuiObjectCounts CountGuiObjects(HANDLE process) {
    GuiObjectCounts counts;
    counts.gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    counts.user = ::GetGuiResources(process, GR_USEROBJECTS);
    if (counts.gdi == 0) counts.gdi = CountGdiTableOf(process);
    if (counts.user == 0) counts.user = CountWindows(::GetProcessId(process));
    return counts;
}

}  // namespace zavo
