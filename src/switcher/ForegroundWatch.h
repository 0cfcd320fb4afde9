// The system's events the switcher lives on, out of context (delivered to this
// thread's message loop, nothing injected into other programs): the foreground
// window changed, and, only while a switch waits for the device service, a
// window was created (the service's window appearing). No timer, no polling.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Win32Handle.h"

namespace zavo::switcher {

class ForegroundWatch {
public:
    using Handler = std::function<void(HWND)>;
    // One watch per process: the system's callback carries no context. Made
    // before the process creates its first window: under Wine a hook set after
    // that gets no event another process raises.
    explicit ForegroundWatch(Handler onForeground);
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    bool Watching() const { return static_cast<bool>(foreground_); }
    // Calls `onCreated` at each top-level window created anywhere until
    // StopWatchingCreation (or the next call replaces it).
    void WatchCreation(std::function<void()> onCreated);
    void StopWatchingCreation();
    bool WatchingCreation() const { return static_cast<bool>(creation_); }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                                 DWORD time);
    Handler onForeground_;
    std::function<void()> onCreated_;
    ScopedWinEventHook foreground_;
    ScopedWinEventHook creation_;
};

}  // namespace zavo::switcher
