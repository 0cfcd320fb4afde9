// Real mouse input through SendInput, for the behaviour that depends on the
// platform's own tracking (capture, window under the cursor, double clicks).
// Tests that use it move the one mouse of the display: they run one at a time.
#pragma once
#include <windows.h>

#include "framework/MessageLoop.h"

namespace skintest {

// Dispatches messages for `ms` milliseconds through the layer's filtering, as
// the tool's loops do.
inline void PumpFor(DWORD ms) {
    ULONGLONG end = GetTickCount64() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!zavo::PreTranslateWalk(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(5);
    } while (GetTickCount64() < end);
}

inline void SendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &in, sizeof(in));
}

// Moves the mouse to screen point (x, y) and lets the windows react.
inline void MoveTo(int x, int y) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    PumpFor(60);
}

inline void MoveTo(HWND wnd, POINT client) {
    ClientToScreen(wnd, &client);
    MoveTo(client.x, client.y);
}

inline void LeftDown() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpFor(40);
}

inline void LeftUp() {
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(40);
}

inline void Click() {
    LeftDown();
    LeftUp();
}

}  // namespace skintest
