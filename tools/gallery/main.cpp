// gallery.exe: shows every skinned widget on a generated test skin.
//   gallery\gallery.exe [--menu] [--quit-after MS]
//     --menu opens the list menu at once; --quit-after closes the gallery after
//     MS milliseconds (for the smoke test and screenshots).
// Its test skin lies in the Skins folder beside it.
#include <windows.h>

#include <cwchar>

#include "app/AppContext.h"
#include "framework/GdiplusSession.h"
#include "framework/WinApp.h"
#include "GalleryDlg.h"

namespace zavo {
namespace {

class CGalleryApp : public CWinApp {
public:
    BOOL InitInstance() override {
        GdiplusSession gdiplus;
        const AppContext app = BuildAppContext();
        const wchar_t* quit = std::wcsstr(m_lpCmdLine, L"--quit-after ");
        UINT quitAfter = quit ? static_cast<UINT>(std::wcstoul(quit + 13, nullptr, 10)) : 0;
        CGalleryDlg dlg(app, std::wcsstr(m_lpCmdLine, L"--menu") != nullptr, quitAfter);
        m_pMainWnd = &dlg;
        // The smoke test reads the result: 0 when the gallery opened and animated.
        m_nExitCode = dlg.DoModal() == IDOK ? 0 : 1;
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CGalleryApp theApp;

}  // namespace
}  // namespace zavo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prev, LPWSTR cmdLine, int cmdShow) {
    return zavo::AfxWinMain(instance, prev, cmdLine, cmdShow);
}
