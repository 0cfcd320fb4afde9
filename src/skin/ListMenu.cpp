#include "skin/ListMenu.h"

#include <algorithm>

#include "framework/FocusMark.h"
#include "framework/Gdi.h"
#include "skin/SkinFace.h"

namespace zavo {

namespace {
const COLORREF kHighlight = RGB(24, 25, 21);
const COLORREF kBackground = RGB(91, 91, 94);
const COLORREF kText = RGB(255, 255, 255);
const COLORREF kFrame = RGB(51, 51, 51);
constexpr WORD kSelectionChanged = LBN_SELCHANGE;
constexpr WORD kDoubleClicked = LBN_DBLCLK;
}  // namespace

CListMenu::CListMenu(const ListMenuLook& look, const AppContext& app, CWnd& owner, std::vector<std::wstring> items)
    : CDialog(look.templateId, &owner), m_Look(look), m_App(app), m_Owner(owner), m_Items(std::move(items)) {
    const int n = static_cast<int>(m_Items.size());
    m_nRows = m_Look.maxRows > 0 ? std::min(n, m_Look.maxRows) : n;
}

bool CListMenu::Open(POINT position) {
    m_Position = position;
    if (!Create(m_Look.templateId, &m_Owner)) return false;
    ShowWindow(SW_SHOW);
    return true;
}

int CListMenu::OnCreate(CREATESTRUCTW*) {
    if (Default() == -1) return -1;
    // The picture of the set of the menu's scale; the rows at its DPI.
    m_Dpi = WindowDpi(m_hWnd);
    SetDrawingDpi(m_hWnd, m_Dpi);
    const int scale = SkinScaleAt(m_Dpi, m_App).percent;
    LoadPictureFile(m_App.SkinFolder() + SkinScaleFolder(scale) + m_Look.picture, m_Picture);
    const int width = m_Picture.Width();
    MoveWindow(m_Position.x, m_Position.y, width, ListBottom() + 1, TRUE);
    const RECT rc{1, 1, width - 1, ListBottom()};
    m_List.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, rc, this,
                  m_Look.listId);
    return 0;
}

bool CListMenu::CreatesUnaware(HWND) const { return SkinOpensStretched(m_App); }

BOOL CListMenu::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SetWindowPos(m_hWnd, m_Owner.m_hWnd, m_Position.x, m_Position.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    m_List.m_HighlightColour = kHighlight;
    m_List.m_BackgroundBrush.Reset(::CreateSolidBrush(kBackground));
    m_List.m_TextColour = kText;
    m_List.m_HighlightTextColour = kText;
    m_List.Invalidate();
    for (const std::wstring& item : m_Items) m_List.SetItemData(m_List.AddString(item), 0);
    if (m_Look.name.english) m_List.SetAccessibleName(m_App.Text(m_Look.name));
    if (FocusCuesShown(m_Owner.m_hWnd) && !m_Items.empty()) m_List.SetCurSel(0);
    // The list takes the focus, so that a click anywhere else closes the menu.
    ::SetFocus(m_List.m_hWnd);
    return FALSE;
}

BOOL CListMenu::OnEraseBkgnd(HDC) { return TRUE; }  // OnPaint covers the client area

void CListMenu::OnPaint() {
    PaintDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    if (m_Picture) {
        MemoryDC source(dc);
        ScopedSelect select(source, m_Picture.Handle());
        ::BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    } else {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    // A frame line below the list and one down its right edge.
    ScopedPen pen(::CreatePen(PS_SOLID, 1, kFrame));
    ScopedSelect selectPen(dc, pen);
    const int width = m_Picture.Width();
    ::MoveToEx(dc, 0, ListBottom(), nullptr);
    ::LineTo(dc, width, ListBottom());
    ::MoveToEx(dc, width - 1, 1, nullptr);
    ::LineTo(dc, width - 1, ListBottom());
}

BOOL CListMenu::OnCommand(WPARAM wParam, LPARAM lParam) {
    const WORD code = HIWORD(wParam);
    // A click picks; the arrows only move the selection.
    const bool clicked = code == kSelectionChanged && !m_List.MovedByKey();
    if (LOWORD(wParam) == m_Look.listId && (clicked || code == kDoubleClicked)) Pick(m_List.GetCurSel());
    return CDialog::OnCommand(wParam, lParam);
}

void CListMenu::Pick(int line) {
    ::PostMessageW(m_Owner.m_hWnd, m_Look.pickedMessage, static_cast<WPARAM>(line), 0);
}

void CListMenu::OnOK() { Pick(m_List.GetCurSel()); }

void CListMenu::OnCancel() { Pick(-1); }

void CListMenu::OnLButtonDown(UINT, POINT) {
    EndDialog(-1);
    Default();
}

void CListMenu::OnDestroy() {
    ClearDrawingDpi(m_hWnd);
    Default();
    m_Picture.Reset();
}

bool ListMenuHolder::Open(std::unique_ptr<CListMenu> menu, POINT position) {
    Close();
    if (!menu->Open(position)) return false;
    m_Menu = std::move(menu);
    return true;
}

void ListMenuHolder::Close() {
    if (!m_Menu) return;
    if (m_Menu->IsOpen()) m_Menu->DestroyWindow();
    m_Menu.reset();
}

POINT BelowButton(HWND button) {
    RECT rc{};
    ::GetClientRect(button, &rc);
    POINT corner{rc.left, rc.bottom};
    ::ClientToScreen(button, &corner);
    return corner;
}

}  // namespace zavo
