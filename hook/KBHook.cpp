// KBHook.dll: a low-level keyboard hook that reports every key press and release
// of the desktop to one window, for the macro recorder.
//
//   installhook(HWND)  starts reporting to that window (replacing any earlier one)
//   removehook()       stops reporting; harmless when nothing is installed
//
// Each report is message 1034 (WM_MACRO_KEY) with wParam = virtual-key code and
// lParam = 0 for a press, 1 for a release. A low-level hook runs on the thread
// that installed it, inside that thread's message loop, so the report reaches
// the window synchronously and in the order the keys happened. Reports are
// sent with a timeout so a window that stops answering cannot stall the
// system's keyboard input.
#include <windows.h>

namespace {

constexpr UINT WM_MACRO_KEY = 1034;
constexpr UINT REPORT_TIMEOUT_MS = 200;

HHOOK g_hook = nullptr;
HWND g_target = nullptr;
HINSTANCE g_module = nullptr;

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_target) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool release = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        const bool press = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        if (press || release) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(g_target, WM_MACRO_KEY, info->vkCode, release ? 1 : 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                REPORT_TIMEOUT_MS, &answer);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL installhook(HWND target) {
    if (g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
    g_target = target;
    g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
    return g_hook != nullptr;
}

extern "C" __declspec(dllexport) BOOL removehook() {
    BOOL ok = TRUE;
    if (g_hook) ok = UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_target = nullptr;
    return ok;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        removehook();
    }
    return TRUE;
}
