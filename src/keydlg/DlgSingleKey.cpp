#include "keydlg/DlgSingleKey.h"

#include "macro/KeyCapture.h"
#include "macro/KeyNames.h"

namespace zavo {

namespace {
constexpr int LANG_OK = 9;
constexpr int LANG_CANCEL = 8;
constexpr int IDC_SRC_KEY = 1000;
constexpr int IDC_DST_KEY = 1001;
}  // namespace

std::vector<SkinButtonSpec> CDlgSingleKey::SkinButtons() {
    return {{L"1", &m_btnOk, TooltipSource::Lang(LANG_OK), [this] { OnOkButton(); }},
            {L"2", &m_btnCancel, TooltipSource::Lang(LANG_CANCEL), [this] { CDialog::OnCancel(); }}};
}

void CDlgSingleKey::DoDataExchange(CDataExchange* dx) {
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SRC_KEY, m_SrcBox);
    DDX_Control(dx, IDC_DST_KEY, m_DstBox);
}

std::wstring CDlgSingleKey::NameOf(std::uint8_t code) const { return KeyNameForLayout(code, m_App.layoutCode); }

void CDlgSingleKey::PlaceOwnControls() {
    m_SrcBox.MoveWindow(Px(107), Px(50), Px(44), Px(18), TRUE);
    m_DstBox.MoveWindow(Px(107), Px(73), Px(44), Px(18), TRUE);
}

BOOL CDlgSingleKey::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_SrcBox.EnableWindow(FALSE);
    m_SrcBox.SetLimitText(1);
    m_DstBox.SetLimitText(1);
    // The boxes are 44 pixels wide: a long name ("Backspace", "R Shift") is
    // shown in a smaller face, a longer one ("Hanguel(Korean)") cut, with a tooltip.
    m_SrcName.Attach(m_SrcBox);
    m_DstName.Attach(m_DstBox);
    m_SrcName.Show(m_SrcLabel.empty() ? NameOf(m_SrcKeyCode) : m_SrcLabel);
    m_DstName.Show(NameOf(m_DstKeyCode));
    m_bCaptured = false;
    return TRUE;
}

BOOL CDlgSingleKey::PreTranslateMessage(MSG* msg) {
    m_SrcName.RelayEvent(msg);
    m_DstName.RelayEvent(msg);
    const UINT m = msg->message;
    if (m == WM_KEYUP || m == WM_SYSKEYUP) {
        m_DstKeyCode =
            KeyCodeOfRelease(static_cast<std::uint32_t>(msg->wParam), static_cast<std::uint32_t>(msg->lParam));
        m_bCaptured = true;
        m_DstName.Show(NameOf(m_DstKeyCode));
    }
    // Every key is a key to capture here, Enter and Esc included: none reaches
    // the dialog keys, so none presses OK or Cancel, moves the focus (Tab) or
    // presses the focused button (Space); and none reaches the box, so the Menu
    // key does not open its context menu. They end here.
    if (m == WM_KEYUP || m == WM_SYSKEYUP || m == WM_KEYDOWN || m == WM_SYSKEYDOWN) return TRUE;
    return CSkinDialog::PreTranslateMessage(msg);
}

// Without a key released there is nothing to accept: OK is Cancel then, and a
// key never becomes dead by accident.
void CDlgSingleKey::OnOkButton() {
    if (m_bCaptured && IsCapturedKey(m_DstKeyCode))
        CDialog::OnOK();
    else
        CDialog::OnCancel();
}

}  // namespace zavo
