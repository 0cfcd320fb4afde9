// CDlgInstShiftSYS: sets, for the active profile, which instant-shift choice
// ("Shift", "Ctrl" or "Alt") switches to each of the other four profiles. The
// user picks a profile from the profile menu, then latches or releases one of
// the three choice buttons for it; a choice another profile holds is disabled.
// The rules live in config/InstantShiftRules.h.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "config/KeyboardConfig.h"
#include "skin/BitmapBtn.h"
#include "skin/ListMenu.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

class CDlgInstShiftSYS : public CSkinDialog {
public:
    static constexpr UINT IDD = 133;

    // `activeProfile` 0..4; the block is the active profile's copy to edit.
    CDlgInstShiftSYS(const AppContext& app, int activeProfile, const InstantShiftKeys& keys);

    // The edited copy; the caller takes it back after IDOK.
    InstantShiftKeys m_Keys;
    int m_nActiveProfile;
    int m_nPickedIndex = -1;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    const std::vector<std::wstring>& ProfileNames() const { return m_ProfileNames; }

    CBitmapBtn m_btnProfile;
    std::array<CBitmapBtn, 3> m_btnChoice;  // Shift, Ctrl, Alt
    CBitmapBtn m_btnOk, m_btnCancel;

protected:
    std::wstring SkinFile() const override { return L"INSTANTSHIFTSYS.ini"; }
    bool KeyboardReady() const override { return true; }
    std::vector<SkinButtonSpec> SkinButtons() override;
    void OnDestroy() override;

private:
    void OnProfileButton();
    // Choice 1..3 (Shift, Ctrl, Alt) for the picked profile.
    void OnChoice(int choice);
    int PickedProfile() const;
    void ShowChoices();
    void OnProfilePicked(int index);

    std::vector<std::wstring> m_ProfileNames;
    ListMenuHolder m_Menu;
};

}  // namespace zavo
