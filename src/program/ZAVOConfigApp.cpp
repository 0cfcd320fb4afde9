#include "program/ZAVOConfigApp.h"

#include <memory>

#include "app/AppContext.h"
#include "mainwnd/MainDlg.h"
#include "program/SingleInstance.h"
#include "service/ServiceCodes.h"
#include "skin/SkinWindows.h"

namespace zavo {

namespace {

// How long a second start waits for the first one's window while that one is
// still starting.
constexpr DWORD kWaitForRunningMs = 10000;

// The tool cannot show its window: say which file of the skin is at fault.
void TellSkinProblem(const wchar_t* problem, const std::wstring& file) {
    const std::wstring text = std::wstring(L"ZAVOConfig cannot start: ") + problem + L".\n\n" + file +
                              L"\n\nInstall ZAVOConfig again to restore it.";
    ::MessageBoxW(nullptr, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONERROR);
}

}  // namespace

BOOL CZAVOConfigApp::InitInstance() {
    // A second start shows the running tool instead: the service must find
    // exactly one window of the main window's title.
    const SingleInstance instance(kInstanceMutexName);
    if (instance.AnotherRuns()) {
        ShowRunningInstance(svc::MAIN_WINDOW_TITLE, kWaitForRunningMs);
        return FALSE;
    }
    AppContext app = BuildAppContext();
    app.skinScales = CompleteSkinScales(app.SkinFolder());
    // Without its skin the window would be an invisible 1 x 1 pixel that nobody
    // can close: say which file is missing and end.
    const std::wstring missing = MissingMainSkinFile(app);
    if (!missing.empty()) {
        TellSkinProblem(L"a file of its skin is missing", missing);
        m_nExitCode = 1;
        return FALSE;
    }
    // The window holds the whole configuration (over a megabyte): keep it on the heap.
    auto dlg = std::make_unique<CZAVOConfigDlg>(app);
    m_pMainWnd = dlg.get();
    dlg->DoModal();
    m_pMainWnd = nullptr;
    if (!dlg->UnreadableFace().empty()) {
        TellSkinProblem(L"a picture of its skin is damaged", dlg->UnreadableFace());
        m_nExitCode = 1;
    }
    dlg.reset();
    return FALSE;
}

}  // namespace zavo

// The one application object of the process.
static zavo::CZAVOConfigApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prev, LPWSTR cmdLine, int cmdShow) {
    return zavo::AfxWinMain(instance, prev, cmdLine, cmdShow);
}
