#include "dialogs/DlgNewMacro.h"

#include "app/UiTexts.h"

namespace zavo {

namespace {
constexpr int LANG_OK = 9;
constexpr int LANG_CANCEL = 8;
constexpr int LANG_MACRO_NAME = 12;
constexpr int IDC_MACRO_NAME = 1003;
constexpr int IDC_NAME_HINT = 1004;
// The hint's line, between the name box and the buttons of the skin.
constexpr RECT kHintRect{20, 74, 286, 88};
constexpr COLORREF kHintColour = RGB(140, 148, 164);
}  // namespace

std::vector<SkinButtonSpec> CDlgNewMacro::SkinButtons() {
    return {{L"1", &m_btnOk, TooltipSource::Lang(LANG_OK),
             [this] {
                 m_Name = m_NameBox.GetWindowText();
                 CDialog::OnOK();
             }},
            {L"2", &m_btnCancel, TooltipSource::Lang(LANG_CANCEL), [this] { CDialog::OnCancel(); }}};
}

void CDlgNewMacro::DoDataExchange(CDataExchange* dx) {
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MACRO_NAME, m_NameBox);
}

void CDlgNewMacro::PlaceOwnControls() {
    m_NameBox.MoveWindow(Px(90), Px(49), Px(95), Px(20), TRUE);
    if (m_Hint.m_hWnd) {
        const RECT hint = PxRect(SkinRect{kHintRect.left, kHintRect.top, kHintRect.right, kHintRect.bottom});
        m_Hint.MoveWindow(hint.left, hint.top, hint.right - hint.left, hint.bottom - hint.top, TRUE);
    }
}

BOOL CDlgNewMacro::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_Name.clear();
    m_NameBox.SetWindowText(L"");
    m_Hint.Create(m_App.Text(kMacroNameHint).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kHintRect, this,
                  IDC_NAME_HINT);
    m_Hint.SendMessage(WM_SETFONT, SendMessage(WM_GETFONT), FALSE);
    m_NameBox.SetAccessibleName(m_App.LangText(LANG_MACRO_NAME));
    PlaceOwnControls();
    m_NameBox.SetFocus();
    return FALSE;  // the focus is in the name box
}

BOOL CDlgNewMacro::PreTranslateMessage(MSG* msg) {
    if (IsEnterOrEscKey(msg)) return FALSE;
    return CSkinDialog::PreTranslateMessage(msg);
}

HBRUSH CDlgNewMacro::OnCtlColor(HDC dc, HWND child, UINT ctlType) {
    if (child == m_Hint.m_hWnd) {
        // Drawn straight onto the skin's face.
        ::SetTextColor(dc, kHintColour);
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return CSkinDialog::OnCtlColor(dc, child, ctlType);
}

}  // namespace zavo
