// The floor of the start-up benchmark: the least a Win32 dialog program does
// before its window is ready. A modal dialog from an in-memory template, sized
// like the main window, titled "VARNOS" and painted with one brush. Aware of
// the display's scale as a scaled program must be (per monitor, or the system
// DPI on systems without that): it sizes itself for the display's DPI.
#include <windows.h>

namespace {

INT_PTR CALLBACK FloorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowTextW(dlg, L"VARNOS");
            MoveWindow(dlg, 0, 0, MulDiv(1060, static_cast<int>(GetDpiForWindow(dlg)), 96),
                       MulDiv(464, static_cast<int>(GetDpiForWindow(dlg)), 96), TRUE);
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(dlg, &ps);
            FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            EndPaint(dlg, &ps);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) EndDialog(dlg, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    if (!SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) SetProcessDPIAware();
    // A popup dialog template without controls; the strings follow the header.
    struct {
        DLGTEMPLATE head;
        WORD menu, windowClass, title;
    } tpl{};
    tpl.head.style = WS_POPUP | WS_VISIBLE | DS_CENTER;
    tpl.head.cx = 320;
    tpl.head.cy = 200;
    return static_cast<int>(DialogBoxIndirectParamW(instance, &tpl.head, nullptr, FloorProc, 0));
}
