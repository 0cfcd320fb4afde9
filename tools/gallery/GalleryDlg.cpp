#include "GalleryDlg.h"

#include "framework/Gdi.h"

namespace zavo {
namespace {

constexpr UINT_PTR kOpenMenuTimer = 1;
constexpr UINT_PTR kQuitTimer = 2;
constexpr RECT kStatusArea{30, 262, 190, 300};
constexpr POINT kEnterPos{214, 236};
constexpr POINT kBusyCentre{452, 166};
const wchar_t* const kMenuItems[] = {L"Fire burst", L"Reload and aim", L"Quick build", L"Open map",
                                     L"An item far wider than the menu"};

}  // namespace

// ----- the list menu -------------------------------------------------------------

bool CGalleryMenu::Open(CWnd* owner, POINT screen) {
    const wchar_t* cls = RegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOOLWINDOW, cls, L"", WS_POPUP | WS_BORDER, screen.x, screen.y, 130, 79, *owner, 0))
        return false;
    RECT client;
    GetClientRect(&client);
    if (!m_List.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, client,
                       this, 1))
        return false;
    for (const wchar_t* item : kMenuItems) m_List.SetItemData(m_List.AddString(item), 0);
    m_List.m_HighlightColour = RGB(24, 25, 21);
    m_List.m_BackgroundBrush.Reset(CreateSolidBrush(RGB(91, 91, 94)));
    m_List.m_TextColour = RGB(255, 255, 255);
    m_List.m_HighlightTextColour = RGB(255, 255, 255);
    ShowWindow(SW_SHOWNOACTIVATE);
    m_List.Invalidate();
    return true;
}

BOOL CGalleryMenu::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == m_List.m_hWnd && HIWORD(wParam) == LBN_SELCHANGE) {
        int picked = m_List.GetCurSel();
        ::PostMessageW(GetOwner(), WM_MENU_PICKED, static_cast<WPARAM>(picked), 0);
        DestroyWindow();
        return TRUE;
    }
    return FALSE;
}

// ----- the gallery ---------------------------------------------------------------

std::vector<SkinButtonSpec> CGalleryDlg::SkinButtons() {
    return {{L"1", &m_Apply, TooltipSource::Entry(), [this] { ShowStatus(L"Clicked: Apply"); }},
            {L"2", &m_Latched, TooltipSource::Entry(),
             [this] {
                 m_Latched.SetLatched(!m_Latched.IsLatched());
                 ShowStatus(m_Latched.IsLatched() ? L"Latched." : L"Released.");
             }},
            {L"3", &m_Disabled, TooltipSource::Entry()},
            {L"4", &m_Text, TooltipSource::Entry(), [this] { ShowStatus(L"Clicked: the text button"); }},
            {L"5", &m_Menu, TooltipSource::Entry(), [this] { OpenMenu(); }},
            {L"6", &m_Close, TooltipSource::Fixed(L"Close"), [this] { EndDialog(IDOK); }}};
}

BOOL CGalleryDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    SetWindowText(L"ZAVO widget gallery");
    m_Disabled.EnableWindow(FALSE);
    m_Text.SetText(L"A caption drawn over the picture, too long to fit");
    m_Text.Invalidate();

    const std::wstring folder = m_App.SkinFolder();
    m_Enter.SetImages(folder + L"enter-rest.bmp", folder + L"enter-hover.bmp", folder + L"enter-down.bmp",
                      folder + L"enter-disabled.bmp");
    m_Enter.Create(this);
    m_Enter.OnClick([this] { ShowStatus(L"Clicked: the Enter key"); });
    m_Enter.SetWindowPos(nullptr, kEnterPos.x, kEnterPos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    m_Busy = std::make_unique<ImageEx>();
    POINT at{kBusyCentre.x - static_cast<LONG>(m_Busy->GetWidth()) / 2,
             kBusyCentre.y - static_cast<LONG>(m_Busy->GetHeight()) / 2};
    m_Busy->SetTarget(m_hWnd, at);
    m_Busy->StartAnimation();
    // Opened once the gallery is up and active, so the menu comes out on top.
    if (m_bOpenMenu) SetTimer(kOpenMenuTimer, 300);
    if (m_nQuitAfterMs) SetTimer(kQuitTimer, m_nQuitAfterMs);
    return TRUE;
}

void CGalleryDlg::OpenMenu() {
    RECT below;
    m_Menu.GetWindowRect(&below);
    auto* menu = new CGalleryMenu;
    if (!menu->Open(this, POINT{below.left, below.bottom + 4})) {
        menu->DestroyWindow();
        if (!menu->m_hWnd) return;  // deleted itself when its window went
    }
}

void CGalleryDlg::ShowStatus(const std::wstring& text) {
    m_strStatus = text;
    InvalidateRect(&kStatusArea, FALSE);
}

// Enter and Esc do not close the gallery, as in the tool's windows.
BOOL CGalleryDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
    return CSkinDialog::PreTranslateMessage(msg);
}

void CGalleryDlg::OnPaint() {
    PaintDC dc(m_hWnd);
    PaintFace(dc);
    ScopedFont font(CreateFontW(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY,
                                0, L"Tahoma"));
    ScopedSelect select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(150, 156, 168));
    RECT area = kStatusArea;
    DrawTextW(dc, m_strStatus.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void CGalleryDlg::OnDestroy() {
    m_Busy.reset();  // stops the animation before the window goes
    CSkinDialog::OnDestroy();
}

void CGalleryDlg::OnTimer(UINT_PTR id) {
    if (id == kQuitTimer) {
        KillTimer(id);
        EndDialog(m_Busy && m_Busy->IsAnimating() ? IDOK : IDABORT);
    } else if (id == kOpenMenuTimer) {
        KillTimer(id);
        OpenMenu();
    } else {
        CSkinDialog::OnTimer(id);
    }
}

LRESULT CGalleryDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CGalleryMenu::WM_MENU_PICKED) {
        int picked = static_cast<int>(wParam);
        if (picked >= 0 && picked < static_cast<int>(std::size(kMenuItems)))
            ShowStatus(std::wstring(L"Picked: ") + kMenuItems[picked]);
        return 0;
    }
    return CSkinDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace zavo
