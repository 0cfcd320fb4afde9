// gallery.exe: shows every skinned widget on a generated test skin.
//   gallery\gallery.exe [--menu] [--quit-after MS]
//     --menu opens the list menu at once; --quit-after closes the gallery after
//     MS milliseconds (for the smoke test and screenshots).
// Its test skin lies in the Skins folder beside it.
#include <windows.h>

#include <cwchar>

#include "app/AppState.h"
#include "framework/GdiplusSession.h"
#include "framework/WinApp.h"
#include "GalleryDlg.h"

namespace zavo {
namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

class CGalleryApp : public CWinApp {
public:
    BOOL InitInstance() override {
        GdiplusSession gdiplus;
        ProgramFolder = ExeFolder();
        LangTexts.assign(LANG_TEXT_COUNT, L"");
        const wchar_t* quit = std::wcsstr(m_lpCmdLine, L"--quit-after ");
        UINT quitAfter = quit ? static_cast<UINT>(std::wcstoul(quit + 13, nullptr, 10)) : 0;
        CGalleryDlg dlg(std::wcsstr(m_lpCmdLine, L"--menu") != nullptr, quitAfter);
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
