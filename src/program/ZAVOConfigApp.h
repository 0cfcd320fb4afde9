// The application object: builds the context of the run, runs the main window
// as a modal dialog and lets the process end when that dialog's loop ends.
// Nothing else is started before the window: common controls, OLE and GDI+
// load and start on first use (see framework/PlatformSessions.h).
#pragma once

#include "framework/WinApp.h"

namespace zavo {

class CZAVOConfigApp : public CWinApp {
public:
    // Runs the main window; returns false, so no loop of its own follows and
    // ExitInstance runs next.
    BOOL InitInstance() override;
};

}  // namespace zavo
