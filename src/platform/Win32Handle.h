// Move-only owners of the kernel and COM handles of the Windows build: a kernel
// object (file, thread, event) closed with CloseHandle, a directory search
// closed with FindClose, a loaded module freed with FreeLibrary, a movable
// memory block freed with GlobalFree, a mapped view of a file unmapped with
// UnmapViewOfFile, and a COM interface pointer released with Release. Each releases its handle exactly once, the way it
// must be.
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <utility>

namespace zavo {

// `Traits` gives the empty value and the release function of a handle type.
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
    explicit operator bool() const { return m_h != Traits::Empty(); }
    Handle Release() { return std::exchange(m_h, Traits::Empty()); }
    void Reset(Handle h = Traits::Empty()) {
        if (m_h != Traits::Empty() && m_h != h) Traits::Close(m_h);
        m_h = h;
    }

private:
    Handle m_h = Traits::Empty();
};

struct KernelHandleTraits {  // files use INVALID_HANDLE_VALUE for "none"
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct KernelObjectTraits {  // threads and events use null for "none"
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct GlobalTraits {
    using Handle = HGLOBAL;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::GlobalFree(h); }
};

struct ViewTraits {
    using Handle = const void*;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::UnmapViewOfFile(h); }
};

// An event hook of SetWinEventHook, a menu, an icon made or copied at run time.
struct WinEventHookTraits {
    using Handle = HWINEVENTHOOK;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::UnhookWinEvent(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};

using ScopedFile = UniqueHandle<KernelHandleTraits>;
using ScopedKernelObject = UniqueHandle<KernelObjectTraits>;
using ScopedFind = UniqueHandle<FindHandleTraits>;
using ScopedModule = UniqueHandle<ModuleTraits>;
using ScopedGlobal = UniqueHandle<GlobalTraits>;
using ScopedView = UniqueHandle<ViewTraits>;
using ScopedWinEventHook = UniqueHandle<WinEventHookTraits>;
using ScopedMenu = UniqueHandle<MenuTraits>;
using ScopedIcon = UniqueHandle<IconTraits>;

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
