// The floor of the switcher benchmark: the least a program does for the same
// event. The same out-of-context hook on EVENT_SYSTEM_FOREGROUND as
// ZAVOSwitch.exe, and for each event only the select message posted to the
// service's window (found by its title, as the switcher finds it): no rules,
// no process look-up, no file.
#include <windows.h>

#include "service/ServiceCodes.h"

namespace {

void CALLBACK OnForeground(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (HWND service = FindWindowW(nullptr, zavo::svc::SERVICE_WINDOW_TITLE))
        PostMessageW(service, zavo::svc::WM_SERVICE_COMMAND, zavo::svc::SVC_SELECT_PROFILE, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    // The hook first: under Wine a hook set after the process made a window
    // gets no event raised by another process.
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForeground, 0,
                                         0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (!hook) return 1;
    // The window only tells the benchmark that the hook is set.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"SwitchFloor";
    RegisterClassW(&wc);
    CreateWindowExW(0, L"SwitchFloor", L"SwitchFloor", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWinEvent(hook);
    return 0;
}
