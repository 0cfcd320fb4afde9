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
    FillRect(dc, &item, PtInRect(&item, cursor) ? highlight.Get() : background);

    COLORREF text = m_TextColour;
    if ((dis->itemAction & ODA_FOCUS) && (dis->itemState & ODS_SELECTED)) {
        if (!(dis->itemState & ODS_FOCUS)) FillRect(dc, &item, highlight);
        text = m_HighlightTextColour;
    }
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

BOOL CListBoxEx::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd == m_hWnd && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)) return TRUE;
    return CListBox::PreTranslateMessage(msg);
}

LRESULT CListBoxEx::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ENABLE) {
        LRESULT result = DefWindowProc(msg, wParam, lParam);
        Invalidate(TRUE);
        return result;
    }
    return CListBox::WindowProc(msg, wParam, lParam);
}

}  // namespace zavo
