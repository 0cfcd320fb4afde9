// The application object: prepares the platform, builds the context of the run,
// runs the main window as a modal dialog and lets the process end when that
// dialog's loop ends.
#pragma once
#include <memory>

#include "framework/GdiplusSession.h"
#include "framework/OleSession.h"
#include "framework/WinApp.h"

namespace zavo {

class CZAVOConfigApp : public CWinApp {
public:
    // Runs the main window; returns false, so no loop of its own follows and
    // ExitInstance runs next.
    BOOL InitInstance() override;
    // Ends the GDI+ and OLE sessions, then the base.
    int ExitInstance() override;

private:
    std::unique_ptr<OleSession> m_Ole;
    std::unique_ptr<GdiplusSession> m_Gdiplus;
};

}  // namespace zavo
