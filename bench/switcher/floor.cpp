// The floor of the switcher benchmark: a bare program with the same event hook
// (EVENT_SYSTEM_FOREGROUND, out of context) that only notes each foreground
// change by posting the service window the same select message, and no work.
#include <windows.h>

namespace {

void CALLBACK OnForeground(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (HWND service = FindWindowW(nullptr, L"VARNOSHid")) PostMessageW(service, 2026, 3, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"SwitchFloor";
    RegisterClassW(&wc);
    CreateWindowExW(0, L"SwitchFloor", L"SwitchFloor", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForeground, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWinEvent(hook);
    return 0;
}
