// CDlgSingleKey: remaps one key to another single key. The user presses the
// wanted key on the keyboard while the window is open; the window shows the
// name of the last key released (Enter, Esc and the Menu key included: they
// are captured as keys and never close the window or open a menu), each name
// in a face small enough to show it whole in the 44-pixel boxes. OK without a captured key acts as Cancel,
// so an accepted remap always names a key.
#pragma once
#include <cstdint>

#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

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
    BOOL PreTranslateMessage(MSG* msg) override;
    void DoDataExchange(CDataExchange* dx) override;

    CBitmapBtn m_btnOk, m_btnCancel;
    CEdit m_SrcBox, m_DstBox;

protected:
    std::wstring SkinFile() const override { return L"SingleKey.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;

private:
    void OnOkButton();
    std::wstring NameOf(std::uint8_t code) const;
    // Puts the name of `code` into `box` in a face that fits it (owned by `face`).
    void ShowName(CEdit& box, ScopedFont& face, const std::wstring& name);
    ScopedFont m_SrcFace, m_DstFace;
    // Whether a key was released since the window opened.
    bool m_bCaptured = false;
};

}  // namespace zavo
