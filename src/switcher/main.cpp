// ZAVOSwitch.exe: the resident profile switcher. Started with no arguments (at
// login by the per-user Run entry, or by the tool); one per user session: a
// second start ends at once. It runs a message loop and nothing else: every
// change it makes comes from a system event or the user's menu.
#include <windows.h>

#include "app/AppContext.h"
#include "app/Switcher.h"
#include "program/SingleInstance.h"
#include "switcher/SwitcherWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    zavo::SingleInstance one(zavo::switcher::kInstanceMutexName);
    if (one.AnotherRuns()) return 0;
    const zavo::AppContext app = zavo::BuildTextContext();
    zavo::switcher::SwitcherWindow window(app);
    if (!window.Create(instance)) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
