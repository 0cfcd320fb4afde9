// The mark of the control that has the keyboard focus: a frame drawn in the
// window's accent colour over the control's own look, shown once the user moves
// the focus with the keyboard (the focus cues of the window), so a mouse user
// sees the windows as they always were.
#pragma once
#include <windows.h>

namespace zavo {

// The accent of the default skin, for a skin that names no colour of its own.
constexpr COLORREF kDefaultFocusColour = RGB(0, 196, 255);
// The frame's width in pixels, and the colour of the one-pixel line inside it.
constexpr int kFocusMarkWidth = 2;
constexpr COLORREF kFocusMarkInner = RGB(12, 14, 18);

// Draws the mark just inside `rc` of `dc`.
void DrawFocusMark(HDC dc, const RECT& rc, COLORREF colour);

// Whether the top-level window of `wnd` shows its focus cues.
bool FocusCuesShown(HWND wnd);
// Shows the focus cues of the top-level window of `wnd` (the user moved the
// focus by the keyboard) and repaints its focused control.
void ShowFocusCues(HWND wnd);
// Hides them again; a skinned window starts so and forgets them at its end.
void HideFocusCues(HWND wnd);

// True for a key press that moves the focus: Tab and the arrows.
bool IsFocusKey(const MSG* msg);
// True while the WM_GETDLGCODE being handled asks about a press of Enter: a
// control that presses on Enter answers it with DLGC_WANTMESSAGE, so the dialog
// keys do not turn it into the default button.
bool AsksAboutEnter();

}  // namespace zavo
