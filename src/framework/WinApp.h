// CWinApp: the application object. One per process; a global instance of a
// derived class is created before wWinMain, which calls AfxWinMain.
//
// AfxWinMain runs InitInstance; when it returns true, Run() runs the
// application's message loop until WM_QUIT; either way ExitInstance runs last
// and its result is the process exit code. An application whose main window
// is a modal dialog runs it with DoModal inside InitInstance and returns
// false.
#pragma once

#include <windows.h>

#include "framework/PlatformSessions.h"

namespace zavo {

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // The message loop; returns ExitInstance().
    virtual int Run();
    // Ends the OLE and GDI+ sessions if anything started them and returns the
    // process exit code (the quit code when the loop ended by WM_QUIT,
    // otherwise 0).
    virtual int ExitInstance();

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_lpCmdLine = L"";
    int m_nCmdShow = SW_SHOWNORMAL;
    // The window that gets the last chance at every message (see MessageLoop.h)
    // and the default owner of modal dialogs.
    CWnd* m_pMainWnd = nullptr;
    // OLE and GDI+, started on first need (see Sessions()).
    PlatformSessions m_Sessions;

protected:
    int m_nExitCode = 0;

private:
    friend int AfxWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);
};

// The application object (nullptr when none exists, as in most tests).
CWinApp* AfxGetApp();
// The application's main window, or nullptr.
CWnd* AfxGetMainWnd();
// The module that holds the dialog templates, bitmaps, icon and animation:
// the executable.
HINSTANCE AfxGetResourceHandle();
// Ends the loops: posts WM_QUIT with `code`.
void AfxPostQuitMessage(int code);
// InitInstance, Run or not, ExitInstance. Call from wWinMain.
int AfxWinMain(HINSTANCE instance, HINSTANCE prev, LPWSTR cmdLine, int cmdShow);

}  // namespace zavo
