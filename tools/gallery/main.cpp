// gallery.exe: shows every skinned widget on a generated test skin.
//   gallery.exe [--menu]     --menu opens the list menu at once
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
        CGalleryDlg dlg(std::wcsstr(m_lpCmdLine, L"--menu") != nullptr);
        m_pMainWnd = &dlg;
        dlg.DoModal();
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
