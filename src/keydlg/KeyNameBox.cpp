#include "keydlg/KeyNameBox.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/Accessible.h"

namespace zavo {

namespace {

// The width `text` takes in `font`.
int TextWidth(HWND box, HFONT font, const std::wstring& text) {
    ClientDC dc(box);
    ScopedSelect select(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int TextHeight(HWND box, HFONT font) {
    ClientDC dc(box);
    ScopedSelect select(dc, font);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
}

// The width of the box's text area (without inner margins, see Show).
int Room(HWND box) {
    RECT area{};
    ::SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    return area.right - area.left;
}

// The longest start of `name` that fits `room` with an ellipsis after it.
std::wstring Shortened(HWND box, HFONT font, const std::wstring& name, int room) {
    for (size_t n = name.size(); n > 0; --n) {
        std::wstring shown = name.substr(0, n);
        while (!shown.empty() && shown.back() == L' ') shown.pop_back();
        shown += L"\u2026";
        if (TextWidth(box, font, shown) <= room) return shown;
    }
    return L"\u2026";
}

}  // namespace

KeyNameBox::~KeyNameBox() { DestroyTooltip(); }

void KeyNameBox::Attach(CEdit& box) {
    DestroyTooltip();
    m_pBox = &box;
}

void KeyNameBox::DestroyTooltip() {
    // An owned window: gone already when its dialog was destroyed.
    if (m_Tooltip && ::IsWindow(m_Tooltip)) ::DestroyWindow(m_Tooltip);
    m_Tooltip = nullptr;
    m_HasTool = false;
}

HFONT KeyNameBox::FaceFor(const std::wstring& name) {
    const HWND box = m_pBox->m_hWnd;
    const HWND dialog = ::GetParent(box);
    const HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (!dialogFont || !::GetObjectW(dialogFont, sizeof(lf), &lf) || TextWidth(box, dialogFont, name) <= Room(box))
        return dialogFont;
    HFONT chosen = dialogFont;
    for (int height = TextHeight(box, dialogFont) - 1; height >= kMinTextHeight; --height) {
        lf.lfHeight = -height;
        lf.lfWidth = 0;
        m_Face.Reset(::CreateFontIndirectW(&lf));
        chosen = m_Face;
        if (TextWidth(box, chosen, name) <= Room(box)) break;
    }
    return chosen;
}

void KeyNameBox::Show(const std::wstring& name) {
    if (!m_pBox || !m_pBox->m_hWnd) return;
    const HWND box = m_pBox->m_hWnd;
    // The whole width for the name: no inner margins (a new font resets them).
    m_pBox->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    const HFONT face = FaceFor(name);
    m_pBox->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(face), FALSE);
    m_pBox->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    const bool whole = TextWidth(box, face, name) <= Room(box);
    m_pBox->SetWindowText(whole ? name : Shortened(box, face, name, Room(box)));
    SetTip(whole ? L"" : name);
    if (name != m_Name) {
        m_Name = name;
        RaiseAccessibleEvent(box, EVENT_OBJECT_VALUECHANGE);
    }
}

void KeyNameBox::SetTip(const std::wstring& tip) {
    m_Tip = tip;
    const HWND dialog = ::GetParent(m_pBox->m_hWnd);
    if (!m_Tooltip && !tip.empty()) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        m_Tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
    }
    if (!m_Tooltip) return;
    // One tool: the box's rectangle on the dialog.
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = dialog;
    ti.uId = 1;
    ::GetWindowRect(m_pBox->m_hWnd, &ti.rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ti.rect), 2);
    ti.lpszText = const_cast<wchar_t*>(m_Tip.c_str());
    if (m_HasTool) ::SendMessageW(m_Tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    m_HasTool = !m_Tip.empty();
    if (m_HasTool) ::SendMessageW(m_Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void KeyNameBox::RelayEvent(const MSG* msg) {
    if (!m_HasTool || !m_pBox || msg->message < WM_MOUSEFIRST || msg->message > WM_MOUSELAST) return;
    const HWND dialog = ::GetParent(m_pBox->m_hWnd);
    if (msg->hwnd != dialog && msg->hwnd != m_pBox->m_hWnd) return;
    // As the dialog would see it: the tool is a rectangle of the dialog.
    MSG relayed = *msg;
    if (msg->hwnd != dialog) {
        POINT pt{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        ::MapWindowPoints(msg->hwnd, dialog, &pt, 1);
        relayed.hwnd = dialog;
        relayed.lParam = MAKELPARAM(pt.x, pt.y);
    }
    ::SendMessageW(m_Tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace zavo
