// A small program for the switcher's tests, built as game.exe and editor.exe:
// a window titled with the program's name that, at start and whenever it gets
// WM_APP, comes to the front and raises EVENT_SYSTEM_FOREGROUND for itself as
// Windows does when the foreground changes (Wine raises none on its own).
#include <windows.h>

namespace {

void ComeToFront(HWND window) {
    ::SetForegroundWindow(window);
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
}

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP) {
        ComeToFront(window);
        return 0;
    }
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p)
        if (*p == L'\\') name = p + 1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"FrontApp";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, L"FrontApp", name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 240, 120, nullptr,
                                    nullptr, instance, nullptr);
    if (!window) return 1;
    ComeToFront(window);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
