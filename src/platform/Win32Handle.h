// The one owner of the Windows build's handles: UniqueHandle, with a line of
// traits per handle kind saying what "none" is and how that kind is released.
// Kernel objects (files, threads, events) go with CloseHandle, directory
// searches with FindClose, loaded modules with FreeLibrary, movable memory
// blocks with GlobalFree, mapped views with UnmapFileViewOfFile, windows with
// DestroyWindow, registry keys with RegCloseKey, GDI objects (bitmaps, fonts, brushes, pens, regions) with
// DeleteObject and memory device contexts with DeleteDC. Each is released
// exactly once, the way it must be; framework/Gdi.h adds the paired calls of
// painting (BeginPaint/EndPaint, a selection into a DC and back). A COM
// interface pointer has ComPtr, and a module whose entry points are called
// has ModuleEntries.
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <array>
#include <cstddef>
#include <tuple>
#include <utility>

namespace zavo {

// `Traits` gives the handle type, its empty value and its release function.
// Release() gives up ownership, e.g. after SetWindowRgn succeeded (the window
// then owns the region).
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : m_h(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return m_h; }
    // Passes the handle to a call that uses it without taking it.
    operator Handle() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::Empty(); }
    Handle Release() { return std::exchange(m_h, Traits::Empty()); }
    void Reset(Handle h = Traits::Empty()) {
        if (m_h != Traits::Empty() && m_h != h) Traits::Close(m_h);
        m_h = h;
    }

private:
    Handle m_h = Traits::Empty();
};

// Traits of a handle whose "none" is null.
template <typename H, void (*Free)(H)>
struct NullEmptyTraits {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { Free(h); }
};

struct KernelHandleTraits {  // files use INVALID_HANDLE_VALUE for "none"
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};

inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void FreeLoadedModule(HMODULE h) { ::FreeLibrary(h); }
inline void FreeGlobalBlock(HGLOBAL h) { ::GlobalFree(h); }
inline void UnmapFileView(const void* h) { ::UnmapViewOfFile(h); }
inline void DestroyOwnWindow(HWND h) { ::DestroyWindow(h); }
template <typename H>
void DeleteGdiObject(H h) {
    ::DeleteObject(h);
}
inline void DeleteOwnDC(HDC h) { ::DeleteDC(h); }

// An event hook of SetWinEventHook, a menu, an icon made or copied at run time,
// an open registry key.
inline void UnhookEvent(HWINEVENTHOOK h) { ::UnhookWinEvent(h); }
inline void DestroyOwnMenu(HMENU h) { ::DestroyMenu(h); }
inline void DestroyOwnIcon(HICON h) { ::DestroyIcon(h); }
inline void CloseRegistryKey(HKEY h) { ::RegCloseKey(h); }

using ScopedFile = UniqueHandle<KernelHandleTraits>;
using ScopedKernelObject = UniqueHandle<NullEmptyTraits<HANDLE, CloseKernel>>;  // threads, events
using ScopedFind = UniqueHandle<FindHandleTraits>;
using ScopedModule = UniqueHandle<NullEmptyTraits<HMODULE, FreeLoadedModule>>;
using ScopedGlobal = UniqueHandle<NullEmptyTraits<HGLOBAL, FreeGlobalBlock>>;
using ScopedView = UniqueHandle<NullEmptyTraits<const void*, UnmapFileView>>;
using ScopedWindow = UniqueHandle<NullEmptyTraits<HWND, DestroyOwnWindow>>;
template <typename H>
using ScopedGdi = UniqueHandle<NullEmptyTraits<H, DeleteGdiObject<H>>>;
using ScopedBitmap = ScopedGdi<HBITMAP>;
using ScopedFont = ScopedGdi<HFONT>;
using ScopedBrush = ScopedGdi<HBRUSH>;
using ScopedPen = ScopedGdi<HPEN>;
using ScopedRgn = ScopedGdi<HRGN>;
using ScopedMemoryDC = UniqueHandle<NullEmptyTraits<HDC, DeleteOwnDC>>;

// A module loaded for entry points of the types `Fns`, found by name: held
// with all of them or not at all, and the entry points go with the module, so
// none can be called after it was freed.
template <typename... Fns>
class ModuleEntries {
public:
    using Names = std::array<const char*, sizeof...(Fns)>;

    // Loads `path` and finds every entry point of `names` (in the order of
    // `Fns`); false, holding nothing, when the module or one of them is missing.
    bool Load(const wchar_t* path, const Names& names) {
        Reset();
        ScopedModule module(::LoadLibraryW(path));
        if (!module) return false;
        std::tuple<Fns...> found{};
        if (!Find(module.Get(), names, found, std::index_sequence_for<Fns...>{})) return false;
        m_Module = std::move(module);
        m_Entries = found;
        return true;
    }
    // Forgets the entry points and frees the module.
    void Reset() {
        m_Entries = {};
        m_Module.Reset();
    }
    explicit operator bool() const { return static_cast<bool>(m_Module); }
    // Entry point `I` (null while nothing is loaded).
    template <std::size_t I>
    auto Entry() const {
        return std::get<I>(m_Entries);
    }

private:
    template <std::size_t... I>
    static bool Find(HMODULE module, const Names& names, std::tuple<Fns...>& found, std::index_sequence<I...>) {
        ((std::get<I>(found) = reinterpret_cast<Fns>(reinterpret_cast<void*>(::GetProcAddress(module, names[I])))),
         ...);
        return ((std::get<I>(found) != nullptr) && ...);
    }

    ScopedModule m_Module;
    std::tuple<Fns...> m_Entries{};
};

using ScopedWinEventHook = UniqueHandle<NullEmptyTraits<HWINEVENTHOOK, UnhookEvent>>;
using ScopedMenu = UniqueHandle<NullEmptyTraits<HMENU, DestroyOwnMenu>>;
using ScopedIcon = UniqueHandle<NullEmptyTraits<HICON, DestroyOwnIcon>>;
using ScopedRegKey = UniqueHandle<NullEmptyTraits<HKEY, CloseRegistryKey>>;

// A COM interface pointer; Put() receives a new one from a creating call.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Releases what is held and gives the address for a call that fills it.
    T** Put() {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }

private:
    T* m_p = nullptr;
};

}  // namespace zavo
#endif
