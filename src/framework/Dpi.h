// The display scale of windows: the DPI a window is drawn at, and creation of
// a window that the system stretches instead (a skin without the pictures of
// the display's scale).
//
// The program declares per-monitor awareness in its manifest; each window reads
// its DPI when it is created and takes the new one from WM_DPICHANGED
// (CWnd::OnDpiChanged), as the platform sends it when the window moves to a
// monitor of another scale or the user changes the scale.
#pragma once
#include <windows.h>

#include "platform/Win32Handle.h"

namespace zavo {

constexpr UINT kBaseDpi = USER_DEFAULT_SCREEN_DPI;  // 100 %

// The DPI `window` is drawn at (the system's for a null window, kBaseDpi for a
// window the system stretches).
UINT WindowDpi(HWND window);

// The DPI the tool draws `window` and its children at: the one its top-level
// window was given with SetDrawingDpi (from WM_DPICHANGED), else WindowDpi of
// that top-level window.
UINT DrawingDpi(HWND window);
// Records the DPI `topLevel` is drawn at, for DrawingDpi of its children; the
// record goes with the window (ClearDrawingDpi when it is destroyed).
void SetDrawingDpi(HWND topLevel, UINT dpi);
void ClearDrawingDpi(HWND topLevel);
// A 100 % length (a font height, an inset) at `dpi`.
inline int AtDpi(int length, UINT dpi) { return ::MulDiv(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi)); }

// While it lives, windows this thread creates are unaware of the display's
// scale: the system draws them at 100 % and stretches them. Without thread
// awareness contexts (a system before them) it changes nothing.
class UnawareWindowCreation {
public:
    UnawareWindowCreation();
    ~UnawareWindowCreation();
    UnawareWindowCreation(const UnawareWindowCreation&) = delete;
    UnawareWindowCreation& operator=(const UnawareWindowCreation&) = delete;

private:
    DPI_AWARENESS_CONTEXT m_Previous = nullptr;
};

// The font `font` describes with its height changed from `fromDpi` to `toDpi`
// (a dialog's template font for a window moved to another scale); empty when
// `font` is null.
ScopedFont FontAtDpi(HFONT font, UINT fromDpi, UINT toDpi);

}  // namespace zavo
