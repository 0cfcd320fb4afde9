#include "switcher/ForegroundWatch.h"

namespace zavo::switcher {

namespace {
ForegroundWatch* g_watch = nullptr;
constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
}  // namespace

ForegroundWatch::ForegroundWatch(Handler onForeground) : onForeground_(std::move(onForeground)) {
    g_watch = this;
    foreground_.Reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnEvent, 0, 0,
                                        kFlags));
}

ForegroundWatch::~ForegroundWatch() {
    creation_.Reset();
    foreground_.Reset();
    g_watch = nullptr;
}

void ForegroundWatch::WatchCreation(std::function<void()> onCreated) {
    onCreated_ = std::move(onCreated);
    if (!creation_)
        creation_.Reset(
            ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &OnEvent, 0, 0, kFlags));
}

void ForegroundWatch::StopWatchingCreation() {
    creation_.Reset();
    onCreated_ = nullptr;
}

void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                       DWORD) {
    if (!g_watch || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (event == EVENT_SYSTEM_FOREGROUND) {
        if (g_watch->onForeground_) g_watch->onForeground_(window);
    } else if (event == EVENT_OBJECT_CREATE && g_watch->onCreated_ && window && !::GetParent(window)) {
        // A copy: the handler may stop the watch, which drops the stored one.
        const std::function<void()> created = g_watch->onCreated_;
        created();
    }
}

}  // namespace zavo::switcher
