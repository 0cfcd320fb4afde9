#include "Harness.h"

namespace zavo::e2e {

namespace {

bool SendOne(INPUT input) {
    bool ok = SendInput(1, &input, sizeof input) == 1;
    // Give the target's thread a moment to see the event before the next one, as
    // a hand would.
    Sleep(30);
    return ok;
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x;
    in.mi.dy = y;
    in.mi.dwFlags = flags;
    return in;
}

}  // namespace

bool MoveMouseTo(HWND window, POINT client) {
    if (!window || !ClientToScreen(window, &client)) return false;
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (w < 2 || h < 2) return false;
    // Absolute coordinates are 0..65535 across the primary screen.
    LONG x = static_cast<LONG>((client.x * 65535LL + (w - 1) / 2) / (w - 1));
    LONG y = static_cast<LONG>((client.y * 65535LL + (h - 1) / 2) / (h - 1));
    return SendOne(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y));
}

bool ClickAt(HWND window, POINT client, bool rightButton) {
    if (!MoveMouseTo(window, client)) return false;
    DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendOne(MouseInput(down)) && SendOne(MouseInput(up));
}

bool PressKey(WORD virtualKey) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = virtualKey;
    if (!SendOne(in)) return false;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    return SendOne(in);
}

}  // namespace zavo::e2e
