// The message filtering shared by every loop of the tool (the application's
// loop and each modal dialog's loop).
#pragma once

#include <windows.h>

namespace zavo {

// Offers `msg` to PreTranslateMessage of the target window's object and of
// each of its parents, innermost first, then, if the target is not inside the
// application's main window, to the main window itself ("last chance": this is
// how the main window sees messages while a modal dialog's loop runs).
// Returns true when one of them handled it (the message is then not
// dispatched). Thread messages (no window) are not offered.
bool PreTranslateWalk(MSG* msg);

// Gets, filters and dispatches one message. Returns false when it got WM_QUIT
// (its exit code is stored in *quitCode) or GetMessage failed.
bool PumpMessage(int* quitCode);

}  // namespace zavo
