#include "keydlg/DlgSingleKey.h"

#include "framework/Gdi.h"

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

namespace {

// The smallest character height (pixels) a key name is shrunk to.
constexpr int kMinNameHeight = 7;

// The width `text` takes in `font`.
int TextWidth(HWND box, HFONT font, const std::wstring& text) {
    ClientDC dc(box);
    ScopedSelect select(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

// The boxes are 44 pixels wide: a long name ("Backspace", "Pagedown",
// "R Shift") is shown in a smaller face of the dialog's font, the largest that
// shows it whole, down to kMinNameHeight.
void CDlgSingleKey::ShowName(CEdit& box, ScopedFont& face, const std::wstring& name) {
    RECT client{};
    ::GetClientRect(box.m_hWnd, &client);
    const int room = client.right - client.left;
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    HFONT chosen = dialogFont;
    if (dialogFont && ::GetObjectW(dialogFont, sizeof(lf), &lf) && TextWidth(box.m_hWnd, dialogFont, name) > room) {
        // The height of the dialog's face in pixels, whichever way it is given.
        TEXTMETRICW tm{};
        {
            ClientDC dc(box.m_hWnd);
            ScopedSelect select(dc, dialogFont);
            ::GetTextMetricsW(dc, &tm);
        }
        for (int height = tm.tmHeight - 1; height >= kMinNameHeight; --height) {
            lf.lfHeight = -height;
            lf.lfWidth = 0;
            face.Reset(::CreateFontIndirectW(&lf));
            chosen = face;
            if (TextWidth(box.m_hWnd, face, name) <= room) break;
        }
    }
    box.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(chosen), FALSE);
    // The whole width for the name: no inner margins (a new font resets them).
    box.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    box.SetWindowText(name);
}

BOOL CDlgSingleKey::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_SrcBox.MoveWindow(107, 50, 44, 18, TRUE);
    m_DstBox.MoveWindow(107, 73, 44, 18, TRUE);
    m_SrcBox.EnableWindow(FALSE);
    m_SrcBox.SetLimitText(1);
    m_DstBox.SetLimitText(1);
    ShowName(m_SrcBox, m_SrcFace, m_SrcLabel.empty() ? NameOf(m_SrcKeyCode) : m_SrcLabel);
    ShowName(m_DstBox, m_DstFace, NameOf(m_DstKeyCode));
    m_bCaptured = false;
    return TRUE;
}

BOOL CDlgSingleKey::PreTranslateMessage(MSG* msg) {
    const UINT m = msg->message;
    if (m == WM_KEYUP || m == WM_SYSKEYUP) {
        m_DstKeyCode =
            KeyCodeOfRelease(static_cast<std::uint32_t>(msg->wParam), static_cast<std::uint32_t>(msg->lParam));
        m_bCaptured = true;
        ShowName(m_DstBox, m_DstFace, NameOf(m_DstKeyCode));
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
