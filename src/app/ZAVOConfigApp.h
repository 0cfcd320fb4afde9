// The application object: prepares the platform, runs the main window as a
// modal dialog and lets the process end when that dialog's loop ends.
#pragma once
#include <memory>

#include "framework/GdiplusSession.h"
#include "framework/WinApp.h"

namespace zavo {

class CZAVOConfigApp : public CWinApp {
public:
    // Runs the main window; returns false, so no loop of its own follows and
    // ExitInstance runs next.
    BOOL InitInstance() override;
    // Ends the GDI+ session, then the base.
    int ExitInstance() override;

private:
    std::unique_ptr<GdiplusSession> m_Gdiplus;
};

}  // namespace zavo
