// CDlgSingleKey: remaps one key to another single key. The user presses the
// wanted key on the keyboard while the window is open; the window shows the
// name of the last key released (Enter, Esc and the Menu key included: they
// are captured as keys and never close the window or open a menu), each name
// whole in the 44-pixel boxes or, when even a smaller face cannot show it, cut
// with a tooltip showing it whole (KeyNameBox). OK without a captured key acts as Cancel,
// so an accepted remap always names a key.
#pragma once
#include <cstdint>

#include "framework/Controls.h"
#include "keydlg/KeyNameBox.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

// A box of the dialog: shows a key's name and has no context menu (the Menu
// key is a key to capture here, and the window system may still turn it into
// a context-menu request after the dialog took the key itself).
class CKeyBox : public CEdit {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CONTEXTMENU) return 0;
        return CEdit::WindowProc(msg, wParam, lParam);
    }
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

private:
    void OnOkButton();
    std::wstring NameOf(std::uint8_t code) const;
    // Whether a key was released since the window opened.
    bool m_bCaptured = false;
};

}  // namespace zavo
