// The foreground changes of the switcher benchmark: a window that, on WM_APP,
// raises EVENT_SYSTEM_FOREGROUND for itself and, on WM_APP + 1, for the
// desktop's window, as Windows does when the foreground changes (Wine raises
// none on its own). A program of its own, started after the measured program
// set its hook, as the applications a user switches to are.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP || msg == WM_APP + 1) {
        NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, msg == WM_APP ? window : GetDesktopWindow(), OBJID_WINDOW,
                       CHILDID_SELF);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"SwitchRaiser";
    RegisterClassW(&wc);
    if (!CreateWindowExW(0, L"SwitchRaiser", L"SwitchRaiser", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         instance, nullptr))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
