// A top-level window of the layer that hosts the widgets under test: it reflects
// owner-draw requests to them and records every click notification.
#pragma once
#include <windows.h>

#include <vector>

#include "framework/Wnd.h"

namespace skintest {

class HostWnd : public zavo::CWnd {
public:
    bool Open(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE) {
        const wchar_t* cls =
            RegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_WINDOW));
        return CreateEx(0, cls, L"widget host", style, x, y, width, height, nullptr, 0) != FALSE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == BN_CLICKED) {
            clicks.push_back(reinterpret_cast<HWND>(lParam));
            ids.push_back(LOWORD(wParam));
        }
        return TRUE;
    }
    std::vector<HWND> clicks;
    std::vector<int> ids;
};

// Brings `wnd` to the front and makes it the active window of this thread.
inline bool Activate(HWND wnd) {
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    return GetActiveWindow() == wnd;
}

}  // namespace skintest
