// What the configuration tool and the profile switcher (ZAVOSwitch.exe, the
// resident program that switches profiles as the application in front changes)
// both know of the switcher: its executable, its window, its entry in the
// per-user "Run" key that starts it at login, and how to start it.
#pragma once
#ifdef _WIN32
#include <windows.h>

#include <string>

#include "platform/FileSystem.h"

namespace zavo::switcher {

inline constexpr wchar_t kExeName[] = L"ZAVOSwitch.exe";
// The class and title of its hidden window (the notification icon's owner).
inline constexpr wchar_t kWindowClass[] = L"ZAVOSwitch";
// The value under HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
inline constexpr wchar_t kRunValue[] = L"ZAVOSwitch";
// The session-wide name of its one-instance mutex.
inline constexpr wchar_t kInstanceMutexName[] = L"Local\\ZAVOSwitch.Instance";

// The Run entry's command: the quoted path of ZAVOSwitch.exe in `programFolder`.
std::wstring RunCommand(const std::wstring& programFolder);
// Whether the Run entry is there.
bool StartsWithWindows();
// Adds the Run entry for the switcher of `programFolder`, or removes it.
fs::Status SetStartWithWindows(bool on, const std::wstring& programFolder);
// The switcher's window when one runs in this session, else null.
HWND RunningWindow();
// The full path of the executable of the process that owns `window`; "" when
// the process cannot be opened (elevated, already gone) or names no image.
std::wstring ImagePathOfWindow(HWND window);

// Starts ZAVOSwitch.exe of `programFolder` unless one runs already.
fs::Status StartIfNotRunning(const std::wstring& programFolder);

}  // namespace zavo::switcher
#endif
