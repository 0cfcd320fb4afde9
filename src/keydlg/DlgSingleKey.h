// CDlgSingleKey: remaps one key to another single key. The user presses the
// wanted key on the keyboard while the window is open; the window shows the
// name of the last key released (Enter and Esc included: they are captured as
// keys and never close the window). OK without a captured key acts as Cancel,
// so an accepted remap always names a key.
#pragma once
#include <cstdint>

#include "framework/Controls.h"
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

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void DoDataExchange(CDataExchange* dx) override;

    CBitmapBtn m_btnOk, m_btnCancel;
    CEdit m_SrcBox, m_DstBox;

protected:
    std::wstring SkinFile() const override { return L"SingleKey.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;

private:
    std::wstring NameOf(std::uint8_t code) const;
    // Whether a key was released since the window opened.
    bool m_bCaptured = false;
};

}  // namespace zavo
