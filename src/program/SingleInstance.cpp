#include "program/SingleInstance.h"

namespace zavo {

SingleInstance::SingleInstance(const wchar_t* name) {
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name);
    const DWORD error = ::GetLastError();
    m_Mutex.Reset(mutex);
    // A mutex that could not be made at all (no rights, out of handles) lets
    // the tool run: refusing to start would be worse than a second window.
    m_bAnother = mutex != nullptr && error == ERROR_ALREADY_EXISTS;
}

bool ShowRunningInstance(const wchar_t* title, DWORD waitMs) {
    const ULONGLONG until = ::GetTickCount64() + waitMs;
    HWND main = ::FindWindowW(nullptr, title);
    while (!main && ::GetTickCount64() < until) {
        ::Sleep(50);
        main = ::FindWindowW(nullptr, title);
    }
    if (!main) return false;
    if (::IsIconic(main)) ::ShowWindow(main, SW_RESTORE);
    // A key dialog or message box the user left open is what should come up,
    // not the disabled window behind it.
    HWND front = ::GetLastActivePopup(main);
    if (!front || !::IsWindowVisible(front)) front = main;
    ::SetForegroundWindow(front);
    return true;
}

}  // namespace zavo
