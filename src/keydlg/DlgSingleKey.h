// CDlgSingleKey: remaps one key to another single key. The user presses the
// wanted key on the keyboard while the capture box has the focus; the window
// shows the name of the last key released (Enter, Esc, Tab and the Menu key
// included: they are captured as keys and never close the window, move the
// focus or open a menu), each name whole in the 44-pixel boxes or, when even a
// smaller face cannot show it, cut with a tooltip showing it whole
// (KeyNameBox). OK without a captured key acts as Cancel, so an accepted remap
// always names a key.
//
// The way out of the capture without a mouse: the key just captured, pressed
// again, is not captured a second time but moves the focus to OK (the capture
// stays that key). Every key can still be captured, and a second press of the
// same key never changes what the dialog returns. On OK and Cancel the keys
// work as in every window: Tab moves on (back into the capture box too),
// Enter and Space press, Esc does nothing.
#pragma once
#include <bitset>
#include <cstdint>
#include <string>

#include "framework/Controls.h"
#include "keydlg/KeyNameBox.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

// A box of the dialog: shows a key's name and has no context menu (the Menu
// key is a key to capture here, and the window system may still turn it into
// a context-menu request after the dialog took the key itself). To a reader it
// is a read-only text named by its label, its value the whole key name.
class CKeyBox : public CNamedEdit {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CONTEXTMENU) return 0;
        return CEdit::WindowProc(msg, wParam, lParam);
    }
    // What the box shows: its value is the whole name (the box may cut it).
    void ShowsNameOf(const KeyNameBox& shown) { m_pShown = &shown; }
    AccessibleFacts Describe(long child) const override;

private:
    const KeyNameBox* m_pShown = nullptr;
};

class CDlgSingleKey : public CSkinDialog {
public:
    static constexpr UINT IDD = 129;

    explicit CDlgSingleKey(const AppContext& app) : CSkinDialog(IDD, app) {}

    // Set before DoModal: the edited key and the key it sends now (key codes).
    std::uint8_t m_SrcKeyCode = 0;
    // In: the key it sends now. Out (after IDOK): the key it is to send.
    std::uint8_t m_DstKeyCode = 0;
    // Shown in the Key box instead of the name of m_SrcKeyCode when set: a
    // T-key ("T3") has no key code of its own.
    std::wstring m_SrcLabel;

    BOOL OnInitDialog() override;
    void PlaceOwnControls() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void DoDataExchange(CDataExchange* dx) override;

    CBitmapBtn m_btnOk, m_btnCancel;
    CKeyBox m_SrcBox, m_DstBox;
    // What the two boxes show: the Key box and the box of the key it sends.
    KeyNameBox m_SrcName, m_DstName;

protected:
    std::wstring SkinFile() const override { return L"SingleKey.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;
    bool KeyboardReady() const override { return true; }

private:
    void OnOkButton();
    std::wstring NameOf(std::uint8_t code) const;
    // Whether the keys go to the capture (not while a button has the focus
    // and the mark).
    bool Capturing() const;
    // A key message while capturing: a release whose press the capture saw
    // is captured, or leads out when it repeats the key just captured.
    void CaptureKey(const MSG& msg);
    // Whether a key was released since the window opened.
    bool m_bCaptured = false;
    // The key captured last since the focus came to the box (-1: none yet).
    int m_nLastCapture = -1;
    // The keys (by key code) pressed while capturing and not released yet: the
    // release of a key pressed elsewhere (the Tab that brought the focus back)
    // is no key.
    std::bitset<256> m_Down;
};

}  // namespace zavo
