#include "framework/Controls.h"

namespace zavo {

BOOL CButton::Create(const wchar_t* caption, DWORD style, const RECT& rc, CWnd* parent, UINT id) {
    return CreateEx(0, L"BUTTON", caption, style | WS_CHILD, rc, parent, id);
}

BOOL CListBox::Create(DWORD style, const RECT& rc, CWnd* parent, UINT id) {
    return CreateEx(0, L"LISTBOX", nullptr, style | WS_CHILD, rc, parent, id);
}

std::wstring CListBox::GetText(int index) const {
    // An owner-drawn list without LBS_HASSTRINGS keeps item data, not texts.
    DWORD style = GetStyle();
    bool ownerDrawn = (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    if (ownerDrawn && !(style & LBS_HASSTRINGS)) return L"";
    LRESULT len = SendMessage(LB_GETTEXTLEN, index);
    if (len == LB_ERR) return L"";
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    LRESULT got = SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

int CListBox::ItemFromPoint(POINT pt, bool* outside) const {
    LRESULT r = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    if (outside) *outside = HIWORD(r) != 0;
    return LOWORD(r);
}

BOOL CEdit::Create(DWORD style, const RECT& rc, CWnd* parent, UINT id) {
    return CreateEx(WS_EX_CLIENTEDGE, L"EDIT", nullptr, style | WS_CHILD, rc, parent, id);
}

BOOL CStatic::Create(const wchar_t* text, DWORD style, const RECT& rc, CWnd* parent, UINT id) {
    return CreateEx(0, L"STATIC", text, style | WS_CHILD, rc, parent, id);
}

AccessibleFacts CNamedEdit::Describe(long) const {
    AccessibleFacts facts;
    facts.name = m_AccessibleName;
    facts.role = ROLE_SYSTEM_TEXT;
    facts.state = WindowState(m_hWnd);
    if (GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ES_READONLY) facts.state |= STATE_SYSTEM_READONLY;
    facts.value = GetWindowText();
    return facts;
}

}  // namespace zavo
