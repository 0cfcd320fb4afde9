#include "skin/ListBoxEx.h"

#include "framework/Dpi.h"

namespace zavo {
namespace {

constexpr int kTextIndent = 8;
constexpr int kTextHeight = 12;
constexpr int kRowHeight = 15;

}  // namespace

CListBoxEx::CListBoxEx() = default;

BOOL CListBoxEx::Create(DWORD style, const RECT& rc, CWnd* parent, UINT id) {
    if (!CListBox::Create(style, rc, parent, id)) return FALSE;
    PreSubclassWindow();
    return TRUE;
}

void CListBoxEx::PreSubclassWindow() {
    m_TextColour = GetSysColor(COLOR_WINDOWTEXT);
    m_HighlightTextColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_HighlightColour = GetSysColor(COLOR_HIGHLIGHT);
    // Rows and their text at the DPI the list's window is drawn at.
    const UINT dpi = DrawingDpi(m_hWnd);
    m_ItemFont.Reset(CreateFontW(AtDpi(kTextHeight, dpi), 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                 ANTIALIASED_QUALITY, 4, L""));
    m_ItemHeight = static_cast<std::uint16_t>(AtDpi(kRowHeight, dpi));
}

void CListBoxEx::MeasureItem(MEASUREITEMSTRUCT* mis) { mis->itemHeight = m_ItemHeight; }

void CListBoxEx::DrawItem(DRAWITEMSTRUCT* dis) {
    if (dis->itemID == static_cast<UINT>(-1)) return;
    HDC dc = dis->hDC;
    const RECT& item = dis->rcItem;
    POINT cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    ScopedBrush highlight(CreateSolidBrush(m_HighlightColour));
    HBRUSH background = m_BackgroundBrush ? m_BackgroundBrush.Get() : GetSysColorBrush(COLOR_WINDOW);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item, selected || PtInRect(&item, cursor) ? highlight.Get() : background);
    // A click picks at once and the menu closes: a selected line that is still
    // seen was chosen by the keyboard, and shows where the focus is.
    if (selected && (dis->itemState & ODS_FOCUS)) DrawFocusMark(dc, item, kDefaultFocusColour);

    COLORREF text = selected ? m_HighlightTextColour : m_TextColour;
    if (dis->itemState & ODS_DISABLED) text = GetSysColor(COLOR_BTNSHADOW);

    std::wstring label = GetText(static_cast<int>(dis->itemID));
    ScopedSelect font(dc, m_ItemFont);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    // One line from the item's left edge plus the indent, cut at the list's edge.
    TextOutW(dc, item.left + AtDpi(kTextIndent, DrawingDpi(m_hWnd)), item.top, label.c_str(), static_cast<int>(label.size()));
}

HBRUSH CListBoxEx::CtlColor(HDC, UINT) {
    if (IsWindowEnabled()) return m_BackgroundBrush;
    return GetSysColorBrush(COLOR_INACTIVEBORDER);  // owned by the system, always valid
}

void CListBoxEx::InvalidateItem(int index) {
    RECT rc;
    if (GetItemRect(index, &rc)) InvalidateRect(&rc, TRUE);
}

void CListBoxEx::OnMouseMove(UINT, POINT pt) {
    Default();
    if (!m_TrackingLeave) {
        m_TrackingLeave = true;
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    bool outside = false;
    int item = ItemFromPoint(pt, &outside);
    if (item == m_HoverItem) return;
    if (m_HoverItem >= 0) InvalidateItem(m_HoverItem);
    m_HoverItem = outside ? -1 : item;
    if (m_HoverItem >= 0) InvalidateItem(m_HoverItem);
}

// The last lit item stays lit until it is next drawn.
void CListBoxEx::OnMouseLeave() { m_TrackingLeave = false; }

// A click outside the menu takes the focus from the list: the menu closes
// without a choice. A menu that is already hidden is being closed by its owner,
// so it is left to that. Nothing of this object is touched after the menu is
// destroyed, since the menu may own and delete it.
void CListBoxEx::OnKillFocus(HWND) {
    HWND parent = GetParent();
    if (!parent || !::IsWindowVisible(parent)) return;
    ::ShowWindow(parent, SW_HIDE);
    if (CWnd* menu = CWnd::FromHandle(parent))
        menu->DestroyWindow();
    else
        ::DestroyWindow(parent);
}

// The arrows, Home, End and the first letters move the selection; a reader
// hears each line the selection reaches. Without a selection the first move
// goes to the first line (Up and End: the last), not one past it.
void CListBoxEx::OnKey(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int before = GetCurSel();
    m_bKeyMoving = true;
    const int count = GetCount();
    if (msg == WM_KEYDOWN && before < 0 && count > 0 &&
        (wParam == VK_DOWN || wParam == VK_UP || wParam == VK_HOME || wParam == VK_END)) {
        SetCurSel(wParam == VK_UP || wParam == VK_END ? count - 1 : 0);
    } else {
        DefWindowProc(msg, wParam, lParam);
    }
    m_bKeyMoving = false;
    const int after = GetCurSel();
    if (after != before && after >= 0) {
        RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_FOCUS, after + 1);
        RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_SELECTION, after + 1);
    }
}

LRESULT CListBoxEx::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ENABLE) {
        LRESULT result = DefWindowProc(msg, wParam, lParam);
        Invalidate(TRUE);
        return result;
    }
    if (msg == WM_KEYDOWN || msg == WM_CHAR) {
        OnKey(msg, wParam, lParam);
        return 0;
    }
    return CListBox::WindowProc(msg, wParam, lParam);
}

AccessibleFacts CListBoxEx::Describe(long child) const {
    AccessibleFacts facts;
    if (child == 0) {
        facts.name = m_AccessibleName;
        facts.role = ROLE_SYSTEM_LIST;
        facts.state = WindowState(m_hWnd);
        return facts;
    }
    const int index = static_cast<int>(child - 1);
    facts.name = GetText(index);
    facts.role = ROLE_SYSTEM_LISTITEM;
    facts.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (GetCurSel() == index) {
        facts.state |= STATE_SYSTEM_SELECTED;
        if (::GetFocus() == m_hWnd) facts.state |= STATE_SYSTEM_FOCUSED;
    }
    if (!IsWindowEnabled()) facts.state |= STATE_SYSTEM_UNAVAILABLE;
    return facts;
}

bool CListBoxEx::ElementRect(long child, RECT* screen) const {
    if (!GetItemRect(static_cast<int>(child - 1), screen)) return false;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(screen), 2);
    return true;
}

long CListBoxEx::ElementAt(POINT screen) const {
    ::ScreenToClient(m_hWnd, &screen);
    bool outside = true;
    const int item = ItemFromPoint(screen, &outside);
    return outside ? 0 : item + 1;
}

// A reader's "choose" is a double click on the line: the menu takes it as the
// pick, posted so that the reader's call returns first.
bool CListBoxEx::DoDefaultAction(long child) {
    if (child < 1 || child > GetCount() || !IsWindowEnabled()) return false;
    SetCurSel(static_cast<int>(child - 1));
    const HWND parent = GetParent();
    return parent && ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_DBLCLK),
                                    reinterpret_cast<LPARAM>(m_hWnd)) != FALSE;
}

}  // namespace zavo
