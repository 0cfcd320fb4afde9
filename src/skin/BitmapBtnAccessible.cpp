// CBitmapBtn as assistive technology sees it: a picture button named by its
// text or tooltip, in the language the window was made in.
#include "skin/BitmapBtn.h"

namespace zavo {

AccessibleFacts CBitmapBtn::Describe(long) const {
    AccessibleFacts facts;
    facts.name = !m_Text.empty() ? m_Text : m_TooltipText;
    if (facts.name.empty()) facts.name = GetWindowText();
    facts.role = m_AccessibleRole;
    facts.state = WindowState(m_hWnd);
    if (m_Latched) facts.state |= STATE_SYSTEM_PRESSED;
    if (m_DescribedByMap) facts.state |= STATE_SYSTEM_INVISIBLE;
    return facts;
}

// The click a reader or voice control asks for arrives as the mouse's does, as
// a posted notification: the reader's call returns before a window it opens
// runs its own loop.
bool CBitmapBtn::DoDefaultAction(long) {
    const HWND parent = GetParent();
    if (!parent || !IsWindowEnabled() || !IsWindowVisible()) return false;
    return ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                          reinterpret_cast<LPARAM>(m_hWnd)) != FALSE;
}

void CBitmapBtn::OnEnable(BOOL) {
    Default();
    RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_STATECHANGE);
}

// Inside a dialog the focused button asks for Enter, which the dialog keys
// would otherwise turn into the window's default button.
UINT CBitmapBtn::OnGetDlgCode() {
    const UINT code = static_cast<UINT>(Default());
    return AsksAboutEnter() ? code | DLGC_WANTMESSAGE : code;
}

void CBitmapBtn::OnKeyDown(UINT vk, UINT, UINT flags) {
    // A held Enter presses once.
    const bool held = (flags & KF_REPEAT) != 0;
    if (vk == VK_RETURN) {
        if (!held) DoDefaultAction(CHILDID_SELF);
        return;
    }
    Default();
}

}  // namespace zavo
