#include "framework/FocusMark.h"

#include <unordered_set>

#include "framework/Gdi.h"
#include "framework/Wnd.h"

namespace zavo {

void DrawFocusMark(HDC dc, const RECT& rc, COLORREF colour) {
    ScopedBrush brush(::CreateSolidBrush(colour));
    if (!brush) return;
    RECT edge = rc;
    for (int i = 0; i < kFocusMarkWidth && edge.right - edge.left > 2 && edge.bottom - edge.top > 2; ++i) {
        ::FrameRect(dc, &edge, brush);
        ::InflateRect(&edge, -1, -1);
    }
    // A dark line inside keeps the mark visible on a look drawn in the accent
    // colour itself (a lit zone, a latched button).
    ScopedBrush dark(::CreateSolidBrush(kFocusMarkInner));
    if (dark && edge.right - edge.left > 2 && edge.bottom - edge.top > 2) ::FrameRect(dc, &edge, dark);
}

namespace {

// The top-level windows showing their focus cues. The platform keeps such a
// state too (WM_UPDATEUISTATE), but sets it again by itself when a dialog is
// made, by rules that differ between systems; this one changes only here.
std::unordered_set<HWND>& ShowingCues() {
    static std::unordered_set<HWND> windows;
    return windows;
}

HWND Root(HWND wnd) { return wnd ? ::GetAncestor(wnd, GA_ROOT) : nullptr; }

void RepaintFocus(HWND root) {
    const HWND focus = ::GetFocus();
    if (focus && Root(focus) == root) ::InvalidateRect(focus, nullptr, FALSE);
}

}  // namespace

bool FocusCuesShown(HWND wnd) {
    const HWND root = Root(wnd);
    return root && ShowingCues().count(root) != 0;
}

void ShowFocusCues(HWND wnd) {
    const HWND root = Root(wnd);
    if (root && ShowingCues().insert(root).second) RepaintFocus(root);
}

void HideFocusCues(HWND wnd) {
    const HWND root = Root(wnd);
    if (root && ShowingCues().erase(root) != 0) RepaintFocus(root);
}

bool IsFocusKey(const MSG* msg) {
    if (msg->message != WM_KEYDOWN) return false;
    switch (msg->wParam) {
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return true;
        default:
            return false;
    }
}

bool AsksAboutEnter() {
    const MSG* current = CWnd::GetCurrentMessage();
    if (!current || current->message != WM_GETDLGCODE) return false;
    const auto* key = reinterpret_cast<const MSG*>(current->lParam);
    return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
}

}  // namespace zavo
