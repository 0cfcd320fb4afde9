#include "skin/KeyMapWnd.h"

#include <algorithm>
#include <climits>

#include "framework/FocusMark.h"
#include "skin/SpatialOrder.h"
#include "skin/TabOrder.h"

namespace zavo {

BOOL CKeyMapWnd::Create(CWnd& parent, std::vector<SkinRect> keys, Owner& owner, std::wstring name) {
    m_Keys = std::move(keys);
    m_pOwner = &owner;
    m_Name = std::move(name);
    m_Focused = -1;
    RECT area{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int k = 0; k < static_cast<int>(m_Keys.size()); ++k) {
        if (!HasArea(k)) continue;
        const SkinRect& r = m_Keys[static_cast<size_t>(k)];
        area = RECT{std::min<LONG>(area.left, r.left), std::min<LONG>(area.top, r.top),
                    std::max<LONG>(area.right, r.right), std::max<LONG>(area.bottom, r.bottom)};
        if (m_Focused < 0) m_Focused = k;
    }
    if (m_Focused < 0) return FALSE;
    m_Area = area;
    // Transparent: the keys' window paints under it, and its mouse messages go
    // there (WM_NCHITTEST).
    return CreateEx(WS_EX_TRANSPARENT, RegisterWndClass(0), m_Name.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                    area.left, area.top, area.right - area.left, area.bottom - area.top, parent, 0);
}

bool CKeyMapWnd::HasArea(int key) const {
    const SkinRect& r = m_Keys[static_cast<size_t>(key)];
    return r.right > r.left && r.bottom > r.top;
}

LRESULT CKeyMapWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CKeyMapWnd::OnPaint() {
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
}

SkinRect CKeyMapWnd::MarkRect() const {
    const int key = MarkedKey();
    return key >= 0 ? KeyRect(key) : SkinRect{};
}

int CKeyMapWnd::MarkedKey() const {
    if (!m_hWnd || ::GetFocus() != m_hWnd || !FocusCuesShown(m_hWnd)) return -1;
    return m_Focused;
}

UINT CKeyMapWnd::OnGetDlgCode() {
    const UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return AsksAboutEnter() ? code | DLGC_WANTMESSAGE : code;
}

void CKeyMapWnd::OnKeyDown(UINT vk, UINT, UINT flags) {
    Direction dir;
    if (ArrowDirection(vk, &dir)) {
        ShowFocusCues(m_hWnd);
        MoveFocus(Neighbour(m_Keys, m_Focused, dir));
        return;
    }
    if ((vk == VK_SPACE || vk == VK_RETURN) && !(flags & KF_REPEAT)) {
        DoDefaultAction(m_Focused + 1);
        return;
    }
    Default();
}

void CKeyMapWnd::MoveFocus(int key) {
    if (key < 0 || key == m_Focused) return;
    const SkinRect before = MarkRect();
    m_Focused = key;
    m_pOwner->FocusMarkMoved(before, MarkRect());
    if (::GetFocus() == m_hWnd) RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_FOCUS, m_Focused + 1);
}

void CKeyMapWnd::OnSetFocus(HWND) {
    Default();
    m_pOwner->FocusMarkMoved(SkinRect{}, MarkRect());
    RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_FOCUS, m_Focused + 1);
}

void CKeyMapWnd::OnKillFocus(HWND) {
    Default();
    if (m_Focused >= 0) m_pOwner->FocusMarkMoved(KeyRect(m_Focused), SkinRect{});
}

void CKeyMapWnd::OnDestroy() {
    m_Focused = -1;
    Default();
}

void CKeyMapWnd::KeyChanged(int key) {
    if (key < 0 || key >= static_cast<int>(m_Keys.size())) return;
    RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_NAMECHANGE, key + 1);
    RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_STATECHANGE, key + 1);
}

// ----- to a reader -------------------------------------------------------------

AccessibleFacts CKeyMapWnd::Describe(long child) const {
    if (child == CHILDID_SELF) return ListFacts(m_hWnd, m_Name);
    const int key = static_cast<int>(child - 1);
    AccessibleFacts facts =
        ListItemFacts(m_pOwner->KeyName(key), m_pOwner->KeySelected(key), key == m_Focused && ::GetFocus() == m_hWnd);
    if (!HasArea(key)) facts.state |= STATE_SYSTEM_INVISIBLE;
    if (!m_pOwner->KeyEnabled(key)) facts.state |= STATE_SYSTEM_UNAVAILABLE;
    return facts;
}

bool CKeyMapWnd::ElementRect(long child, RECT* screen) const {
    const int key = static_cast<int>(child - 1);
    if (key < 0 || key >= static_cast<int>(m_Keys.size()) || !HasArea(key)) return false;
    const SkinRect& r = KeyRect(key);
    *screen = RECT{r.left, r.top, r.right, r.bottom};
    ::MapWindowPoints(GetParent(), nullptr, reinterpret_cast<POINT*>(screen), 2);
    return true;
}

long CKeyMapWnd::ElementAt(POINT screen) const {
    POINT pt = screen;
    ::ScreenToClient(GetParent(), &pt);
    for (int k = 0; k < static_cast<int>(m_Keys.size()); ++k) {
        const SkinRect& r = KeyRect(k);
        if (HasArea(k) && pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom) return k + 1;
    }
    return CHILDID_SELF;
}

bool CKeyMapWnd::DoDefaultAction(long child) {
    const int key = static_cast<int>(child - 1);
    if (key < 0 || key >= static_cast<int>(m_Keys.size()) || !m_pOwner->KeyEnabled(key)) return false;
    m_pOwner->PressKey(key);
    return true;
}

}  // namespace zavo
