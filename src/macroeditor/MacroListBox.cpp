#include "macroeditor/MacroListBox.h"

namespace zavo {

void CMacroListBox::Setup(CMacroListBox& partner, const Colours& colours, HFONT font) {
    m_pPartner = &partner;
    m_Colours = colours;
    m_Font = font;
    if (m_Font) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_Font), FALSE);
    // A one-pixel frame, painted in the skin's colour: a dialog template gives
    // a bordered list a two-pixel sunken edge instead, whose inner white line
    // stays and which takes two pixels off the rows.
    const LONG_PTR ex = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, ex & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE));
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_BORDER);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CMacroListBox::ShowLines(const std::vector<std::wstring>& lines, int rows) {
    ResetContent();
    m_nLines = 0;
    m_PartnerRow = -1;
    ShowNewLines(lines, rows);
}

void CMacroListBox::ShowNewLines(const std::vector<std::wstring>& lines, int rows) {
    // Padding rows first make room for the real lines that replace them.
    for (int i = GetCount() - 1; i >= m_nLines; --i) DeleteString(i);
    for (int i = m_nLines; i < static_cast<int>(lines.size()); ++i) AddString(lines[static_cast<size_t>(i)]);
    m_nLines = static_cast<int>(lines.size());
    Pad(rows);
}

void CMacroListBox::Pad(int rows) {
    for (int i = GetCount(); i < rows; ++i) AddString(L"");
}

int CMacroListBox::SelectedLine() const {
    const int line = GetCurSel();
    return line >= 0 && line < m_nLines ? line : -1;
}

void CMacroListBox::MarkPartnerRow(int row) {
    if (row == m_PartnerRow) return;
    RECT rc{};
    if (m_PartnerRow >= 0 && GetItemRect(m_PartnerRow, &rc)) InvalidateRect(&rc, TRUE);
    m_PartnerRow = row;
    if (m_PartnerRow >= 0 && GetItemRect(m_PartnerRow, &rc)) InvalidateRect(&rc, TRUE);
}

void CMacroListBox::DrawItem(DRAWITEMSTRUCT* dis) {
    HDC dc = dis->hDC;
    const RECT& item = dis->rcItem;
    const int row = static_cast<int>(dis->itemID);
    // An empty list gets a call for its focus: nothing is drawn, no dotted frame.
    if (dis->itemID == static_cast<UINT>(-1)) return;
    const bool selected = (dis->itemState & ODS_SELECTED) != 0 && row < m_nLines;
    COLORREF back = m_Colours.back;
    if (selected)
        back = m_Colours.selectedBack;
    else if (row == m_PartnerRow && row < m_nLines)
        back = m_Colours.partnerBack;
    ScopedBrush brush(::CreateSolidBrush(back));
    ::FillRect(dc, &item, brush.Get());
    if (row >= m_nLines) return;
    const std::wstring text = GetText(row);
    ScopedSelect font(dc, m_Font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected ? m_Colours.selectedText : m_Colours.text);
    RECT textRect = item;
    textRect.left += 3;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CMacroListBox::PaintEmpty(HDC dc) {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    ScopedBrush back(::CreateSolidBrush(m_Colours.back));
    ::FillRect(dc, &rc, back.Get());
}

void CMacroListBox::FollowTop(int top) {
    // Only a list whose own first row moved leads: the other one may be asked
    // something in between (the editor clears its selection while this list
    // still handles the key that scrolled it) and must not pull it back.
    if (top == m_LastTop) return;
    m_LastTop = top;
    if (!m_pPartner || m_bFollowing || !m_pPartner->m_hWnd) return;
    if (m_pPartner->GetTopIndex() == top) return;
    m_pPartner->m_bFollowing = true;
    m_pPartner->SetTopIndex(top);
    m_pPartner->m_LastTop = m_pPartner->GetTopIndex();
    m_pPartner->m_bFollowing = false;
}

void CMacroListBox::PaintFrame() {
    ClientDC dc(m_hWnd, true);
    if (!dc.Get()) return;
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    ::OffsetRect(&rc, -rc.left, -rc.top);
    ScopedBrush frame(::CreateSolidBrush(m_Colours.frame));
    ::FrameRect(dc.Get(), &rc, frame.Get());
}

void CMacroListBox::PaintScrollBar() {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    if (!::GetScrollBarInfo(m_hWnd, OBJID_VSCROLL, &bar) || (bar.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    SCROLLINFO now{};
    now.cbSize = sizeof(now);
    now.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_VERT, &now);
    m_Painted = now;

    ClientDC dc(m_hWnd, true);
    if (!dc.Get()) return;
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    RECT rc = bar.rcScrollBar;
    ::OffsetRect(&rc, -window.left, -window.top);
    ScopedBrush track(::CreateSolidBrush(m_Colours.scrollTrack));
    ::FillRect(dc.Get(), &rc, track.Get());
    const int arrow = bar.dxyLineButton;
    const bool scrolls = !(bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && bar.xyThumbBottom > bar.xyThumbTop;
    if (scrolls) {
        RECT thumb{rc.left + 2, rc.top + bar.xyThumbTop, rc.right - 2, rc.top + bar.xyThumbBottom};
        ScopedBrush thumbBrush(::CreateSolidBrush(m_Colours.scrollThumb));
        ::FillRect(dc.Get(), &thumb, thumbBrush.Get());
    }
    // The two arrows as small triangles in their boxes.
    ScopedBrush arrowBrush(::CreateSolidBrush(scrolls ? m_Colours.scrollArrow : m_Colours.scrollThumb));
    ScopedPen arrowPen(::CreatePen(PS_SOLID, 1, scrolls ? m_Colours.scrollArrow : m_Colours.scrollThumb));
    ScopedSelect brush(dc.Get(), arrowBrush.Get());
    ScopedSelect pen(dc.Get(), arrowPen.Get());
    const int cx = (rc.left + rc.right) / 2;
    const int up = rc.top + arrow / 2, down = rc.bottom - arrow / 2;
    const POINT upArrow[] = {{cx - 3, up + 2}, {cx + 3, up + 2}, {cx, up - 2}};
    const POINT downArrow[] = {{cx - 3, down - 2}, {cx + 3, down - 2}, {cx, down + 2}};
    ::Polygon(dc.Get(), upArrow, 3);
    ::Polygon(dc.Get(), downArrow, 3);
}

LRESULT CMacroListBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // No selection by typing: step names repeat ("A Press", "A Release"), and
    // after a recording filled the macro the focus is here while the user may
    // still be typing.
    if (msg == WM_CHAR) return 0;
    // An empty list box draws a dotted focus frame of its own (not through
    // DrawItem) when it gains the focus and when it paints: an empty list is
    // painted here, and repainted after the focus came or went.
    if (msg == WM_PAINT && GetCount() == 0) {
        PaintDC dc(m_hWnd);
        PaintEmpty(dc);
        return 0;
    }
    if (msg == WM_PRINTCLIENT && GetCount() == 0) {
        PaintEmpty(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    if ((msg == WM_SETFOCUS || msg == WM_KILLFOCUS) && GetCount() == 0) {
        const LRESULT result = CListBox::WindowProc(msg, wParam, lParam);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return result;
    }
    const LRESULT result = CListBox::WindowProc(msg, wParam, lParam);
    // What follows asks the list itself (its top row, its scroll bar): those
    // messages come back here and are passed on alone.
    if (m_bLooking || !m_pPartner) return result;
    m_bLooking = true;
    AfterMessage(msg, wParam);
    m_bLooking = false;
    return result;
}

namespace {

// Messages after which the first row or the scroll bar may have moved.
bool MayScroll(UINT msg) {
    switch (msg) {
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_TIMER:
        case WM_SIZE:
        case WM_SHOWWINDOW:
        case WM_SETREDRAW:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCMOUSEMOVE:
        case LB_SETTOPINDEX:
        case LB_SETCURSEL:
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_DELETESTRING:
        case LB_RESETCONTENT:
        case LB_SETITEMHEIGHT:
            return true;
        default:
            return false;
    }
}

}  // namespace

void CMacroListBox::AfterMessage(UINT msg, WPARAM wParam) {
    if (msg == WM_SETREDRAW) m_bRedrawOff = wParam == FALSE;
    if (msg == WM_NCPAINT || msg == WM_PAINT) {
        PaintFrame();
        if (msg == WM_NCPAINT) PaintScrollBar();
        return;
    }
    if (!MayScroll(msg)) return;
    // Whatever moved this list's first row (scroll bar, wheel, keys, a
    // selection, lines added) moves the partner's with it.
    FollowTop(GetTopIndex());
    // The system draws its scroll bar whenever the position or range changes:
    // it is painted over again at once (while the list paints at all).
    if (m_bRedrawOff) return;
    SCROLLINFO now{};
    now.cbSize = sizeof(now);
    now.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, SB_VERT, &now)) return;
    if (now.nPos != m_Painted.nPos || now.nMax != m_Painted.nMax || now.nPage != m_Painted.nPage ||
        now.nTrackPos != m_Painted.nTrackPos || msg == WM_VSCROLL || msg == WM_SETREDRAW || msg == WM_NCLBUTTONDOWN ||
        msg == WM_NCMOUSEMOVE || msg == WM_NCLBUTTONUP || msg == WM_SHOWWINDOW)
        PaintScrollBar();
}

// ----- to a reader -------------------------------------------------------------

AccessibleFacts CMacroListBox::Describe(long child) const {
    if (child == CHILDID_SELF) return ListFacts(m_hWnd, m_AccessibleName);
    const int line = static_cast<int>(child - 1);
    AccessibleFacts facts =
        ListItemFacts(GetText(line), GetCurSel() == line, ::GetFocus() == m_hWnd && FocusedElement() == child);
    RECT rc;
    if (!ElementRect(child, &rc)) facts.state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    return facts;
}

bool CMacroListBox::ElementRect(long child, RECT* screen) const {
    const int line = static_cast<int>(child - 1);
    if (line < 0 || line >= m_nLines) return false;
    RECT item{}, client{};
    if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item)) == LB_ERR) return false;
    ::GetClientRect(m_hWnd, &client);
    // A row scrolled out of the list has a place outside its client area.
    if (item.bottom <= client.top || item.top >= client.bottom) return false;
    *screen = item;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(screen), 2);
    return true;
}

long CMacroListBox::FocusedElement() const {
    const int caret = static_cast<int>(SendMessage(LB_GETCARETINDEX));
    return caret >= 0 && caret < m_nLines ? caret + 1 : 0;
}

}  // namespace zavo
