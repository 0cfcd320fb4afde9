#include "dialogs/DlgCMDMenu.h"

#include <string>

#include "app/UiTexts.h"
#include "skin/TabOrder.h"

namespace zavo {

std::vector<SkinButtonSpec> CDlgCMDMenu::SkinButtons() {
    std::vector<SkinButtonSpec> buttonList;
    for (int i = 0; i < ITEM_COUNT; ++i)
        buttonList.push_back(
            {std::to_wstring(i + 1), &m_Items[static_cast<size_t>(i)], TooltipSource::Entry(), [this, i] { EndDialog(i); }});
    return buttonList;
}

BOOL CDlgCMDMenu::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    ::SetWindowPos(m_hWnd, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, m_Position.x, m_Position.y, 0, 0, SWP_NOSIZE);
    for (size_t i = 0; i < m_ItemRects.size() && i < m_ButtonEntries.size(); ++i) {
        const SkinRect& r = m_ButtonEntries[i].rect;
        // One pixel narrower on each side: a point between two items is no item's.
        m_ItemRects[i] = RECT{r.left + 1, r.top, r.right - 1, r.bottom};
    }
    for (CBitmapBtn& item : m_Items) item.SetAccessibleRole(ROLE_SYSTEM_LISTITEM);
    SetCapture();
    m_bCapture = true;
    return TRUE;
}

bool CDlgCMDMenu::OverItem(POINT pt) const {
    for (const RECT& rc : m_ItemRects)
        if (::PtInRect(&rc, pt)) return true;
    return false;
}

void CDlgCMDMenu::OnMouseMove(UINT, POINT pt) {
    if (OverItem(pt)) {
        // Over an item its button tracks the mouse and takes the click.
        if (m_bCapture) {
            ::ReleaseCapture();
            m_bCapture = false;
        }
    } else if (!m_bCapture) {
        SetCapture();
        m_bCapture = true;
    }
    Default();
}

BOOL CDlgCMDMenu::PreTranslateMessage(MSG* msg) {
    // Whatever let the capture go (an item's button after its click), the menu
    // takes it back, so a press outside still reaches it.
    if (!::GetCapture()) SetCapture();
    if (MoveByArrow(msg)) return TRUE;
    return CSkinDialog::PreTranslateMessage(msg);
}

bool CDlgCMDMenu::MoveByArrow(const MSG* msg) {
    Direction dir;
    if (msg->message != WM_KEYDOWN || !ArrowDirection(static_cast<UINT>(msg->wParam), &dir)) return false;
    std::vector<SkinRect> places;
    int from = 0;
    for (size_t i = 0; i < m_Items.size() && i < m_ButtonEntries.size(); ++i) {
        places.push_back(m_ButtonEntries[i].rect);
        if (m_Items[i].m_hWnd == ::GetFocus()) from = static_cast<int>(i);
    }
    const int to = Neighbour(places, from, dir);
    if (to >= 0) ::SetFocus(m_Items[static_cast<size_t>(to)].m_hWnd);
    ShowFocusCues(m_hWnd);
    return true;
}

AccessibleFacts CDlgCMDMenu::Describe(long) const {
    AccessibleFacts facts;
    facts.name = m_App.Text(kCommandMenuName);
    facts.role = ROLE_SYSTEM_LIST;
    facts.state = WindowState(m_hWnd);
    return facts;
}

void CDlgCMDMenu::OnLButtonDown(UINT, POINT) {
    // With the capture held, every press outside the items lands here.
    EndDialog(-1);
    Default();
}

// The items run their own clicks; a notice from any other control closes the
// menu without a choice.
BOOL CDlgCMDMenu::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam) EndDialog(-1);
    return CSkinDialog::OnCommand(wParam, lParam);
}

void CDlgCMDMenu::OnDestroy() {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bCapture = false;
    CSkinDialog::OnDestroy();
}

}  // namespace zavo
