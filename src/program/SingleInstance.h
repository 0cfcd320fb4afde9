// One ZAVOConfig per user session. The device service finds the tool by its
// main window's title; with two windows of that title it talks to one of them
// while the other's edits are undone behind the user's back. The first start
// holds a named mutex in the session's namespace for its whole run; a later
// start finds it held, brings the running window to the front and ends.
#pragma once

#include <windows.h>

#include "platform/Win32Handle.h"

namespace zavo {

class SingleInstance {
public:
    // Takes the session's mutex `name` (a name of the "Local\" namespace).
    explicit SingleInstance(const wchar_t* name);
    // True when another process of the session held the mutex first.
    bool AnotherRuns() const { return m_bAnother; }

private:
    ScopedKernelObject m_Mutex;
    bool m_bAnother = false;
};

// The session-wide name the tool's instances share.
inline constexpr wchar_t kInstanceMutexName[] = L"Local\\ZAVOConfig.Instance";

// Brings the running instance's window titled `title` (or the dialog it has
// open) to the front, restoring it from the taskbar. Waits up to `waitMs` for
// the window while that instance is still starting. False when none came.
bool ShowRunningInstance(const wchar_t* title, DWORD waitMs);

}  // namespace zavo
