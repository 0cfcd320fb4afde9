#include "framework/MessageLoop.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace zavo {

bool PreTranslateWalk(MSG* msg) {
    if (!msg->hwnd) return false;
    HWND mainWnd = CWnd::SafeHwnd(AfxGetMainWnd());
    // Parents, and owners of pop-ups, up to the main window. A handler may
    // destroy windows: GetParent of a dead window ends the walk.
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        CWnd* wnd = CWnd::FromHandle(h);
        if (wnd && wnd->PreTranslateMessage(msg)) return true;
        if (h == mainWnd) return false;  // the main window had its turn
    }
    // Last chance for the main window (the target lies outside it).
    CWnd* main = AfxGetMainWnd();
    return main && main->m_hWnd && main->PreTranslateMessage(msg);
}

bool PumpMessage(int* quitCode) {
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        *quitCode = static_cast<int>(msg.wParam);
        return false;
    }
    if (got == -1) {  // cannot happen without a window filter; end like WM_QUIT
        *quitCode = -1;
        return false;
    }
    if (!PreTranslateWalk(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace zavo
