// The on-screen keyboard as one control (CKeyMapWnd): what a screen reader hears
// of each key, what Space and Enter do on it, and the focus mark on the key.
#include "platform/TextFill.h"
#include "app/UiTexts.h"
#include "framework/FocusMark.h"
#include "mainwnd/MainDlg.h"

namespace zavo {

namespace {

bool IsEnterKey(int key) { return key == TKEY_COUNT + ENTER_KEY_INDEX; }

}  // namespace

// T-key i is key i, standard key k is key TKEY_COUNT + k, as on the KeyPad;
// the Enter key drawn as a region button has its place from the skin entry.
void CZAVOConfigDlg::CreateKeyMap(std::vector<SkinRect> places) {
    if (m_KeyMap.m_hWnd) m_KeyMap.DestroyWindow();
    m_KeyMap.Create(*this, std::move(places), *this, m_App.Text(kKeyboardMap));
}

void CZAVOConfigDlg::PaintKeyFocus(HDC dc) const {
    const int key = m_KeyMap.MarkedKey();
    if (key < 0) return;
    const SkinRect& r = m_KeyMap.KeyRect(key);
    DrawFocusMark(dc, RECT{r.left, r.top, r.right, r.bottom}, FocusColour());
}

// "F1", or "F1, assigned: right Ctrl": the legend and what the status line
// shows for the key under the mouse.
std::wstring CZAVOConfigDlg::KeyName(int key) const {
    const std::wstring& legend = m_KeyLegends[static_cast<size_t>(key)];
    const SkinRect& r = m_KeyMap.KeyRect(key);
    const HoverOutcome hover = m_pView->HoverInfo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    if (!hover.setText || hover.text.empty()) return legend;
    return FillIn(m_App.Text(kKeyAssigned), {legend, hover.text});
}

bool CZAVOConfigDlg::KeyEnabled(int key) const {
    if (IsEnterKey(key) && m_bEnterCreated) return m_EnterButton.IsWindowEnabled() != FALSE;
    return m_KeyPad.States().IsEnabled(key);
}

// The picked key (it blinks) or a lit one.
bool CZAVOConfigDlg::KeySelected(int key) const {
    const KeyboardView& view = *m_pView;
    if (key < TKEY_COUNT ? view.SelectedTKey() == key : view.SelectedKey() == key - TKEY_COUNT) return true;
    if (IsEnterKey(key) && m_bEnterCreated) return m_EnterLook == EnterLook::Highlighted;
    return m_KeyPad.States().IsLatched(key);
}

void CZAVOConfigDlg::PressKey(int key) { RunKey(key); }

void CZAVOConfigDlg::FocusMarkMoved(const SkinRect& before, const SkinRect& after) {
    for (const SkinRect& r : {before, after}) {
        if (r.right <= r.left || r.bottom <= r.top) continue;
        const RECT rc{r.left, r.top, r.right, r.bottom};
        ::RedrawWindow(m_hWnd, &rc, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

}  // namespace zavo
