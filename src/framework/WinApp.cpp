#include "framework/WinApp.h"

#include "framework/MessageLoop.h"
#include "framework/Wnd.h"

namespace zavo {

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() {
    g_app = this;
    m_hInstance = ::GetModuleHandleW(nullptr);
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
    int code = 0;
    while (PumpMessage(&code)) {
    }
    m_nExitCode = code;
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    m_Sessions.End();
    return m_nExitCode;
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetResourceHandle() { return ::GetModuleHandleW(nullptr); }

void AfxPostQuitMessage(int code) { ::PostQuitMessage(code); }

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPWSTR cmdLine, int cmdShow) {
    CWinApp* app = g_app;
    if (!app) return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine ? cmdLine : L"";
    app->m_nCmdShow = cmdShow;
    if (!app->InitInstance()) {
        // A main window left behind goes before the application does.
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

}  // namespace zavo
