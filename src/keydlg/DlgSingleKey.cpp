#include "keydlg/DlgSingleKey.h"

#include "app/UiTexts.h"
#include "framework/FocusMark.h"
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
    m_SrcBox.SetAccessibleName(m_App.Text(kSingleKeySource));
    m_DstBox.SetAccessibleName(m_App.Text(kSingleKeyTarget));
    m_SrcBox.ShowsNameOf(m_SrcName);
    m_DstBox.ShowsNameOf(m_DstName);
    m_bCaptured = false;
    m_nLastCapture = -1;
    m_Down.reset();
    return TRUE;
}

// A button that took the focus from a mouse press (released off it, so no
// click) does not end the capture: only a user who works with the keyboard,
// and so sees the focus mark, has the keys act on the buttons.
bool CDlgSingleKey::Capturing() const {
    const HWND focus = ::GetFocus();
    const bool onButton = focus == m_btnOk.m_hWnd || focus == m_btnCancel.m_hWnd;
    return !onButton || !FocusCuesShown(m_hWnd);
}

// Presses and releases are matched by the key they name, not by the virtual
// key: both Ctrl keys are VK_CONTROL, and the system may report a left Ctrl
// release beside the right one's, which must not stand for the right key.
void CDlgSingleKey::CaptureKey(const MSG& msg) {
    const std::uint8_t code =
        KeyCodeOfRelease(static_cast<std::uint32_t>(msg.wParam), static_cast<std::uint32_t>(msg.lParam));
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        m_Down.set(code);
        return;
    }
    if (!m_Down.test(code)) return;
    m_Down.reset(code);
    if (code == m_nLastCapture) {
        // The same key again: out to OK, the capture kept.
        m_nLastCapture = -1;
        m_Down.reset();
        ShowFocusCues(m_hWnd);
        if (const HWND next = ::GetNextDlgTabItem(m_hWnd, m_DstBox.m_hWnd, FALSE)) ::SetFocus(next);
        return;
    }
    m_DstKeyCode = code;
    m_bCaptured = true;
    m_nLastCapture = code;
    m_DstName.Show(NameOf(m_DstKeyCode));
}

BOOL CDlgSingleKey::PreTranslateMessage(MSG* msg) {
    m_SrcName.RelayEvent(msg);
    m_DstName.RelayEvent(msg);
    const UINT m = msg->message;
    // While capturing every key is a key to capture, Enter, Esc and Tab
    // included: none reaches the dialog keys, so none presses OK or Cancel,
    // moves the focus or presses a button; and none reaches the box, so the
    // Menu key does not open its context menu. They end here.
    if ((m == WM_KEYUP || m == WM_SYSKEYUP || m == WM_KEYDOWN || m == WM_SYSKEYDOWN) && Capturing()) {
        CaptureKey(*msg);
        return TRUE;
    }
    // On a button Enter reaches it (and presses it), Esc does nothing.
    if (IsEnterOrEscKey(msg)) return FALSE;
    return CSkinDialog::PreTranslateMessage(msg);
}

AccessibleFacts CKeyBox::Describe(long child) const {
    AccessibleFacts facts = CNamedEdit::Describe(child);
    if (m_pShown) facts.value = m_pShown->Name();
    return facts;
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
