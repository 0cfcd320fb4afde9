// CDlgTKey: gives a key-assignment slot a macro. The user picks one of the saved
// macros from the macro name menu and one of four repeat options (the fourth
// with a repeat count). The picked macro file is read and its commands expanded
// here, so the caller stores the result unchanged. OK without a macro name acts
// as Cancel.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/KeyboardConfig.h"
#include "skin/BitmapBtn.h"
#include "skin/ListMenu.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

class CDlgTKey : public CSkinDialog {
public:
    static constexpr UINT IDD = 130;

    explicit CDlgTKey(const AppContext& app);

    // Preset before DoModal with the slot's macro when it holds one; read after
    // IDOK (its name is then never empty).
    MacroGroup m_Macro;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // The macro names the menu lists (the macro folder's files at opening).
    const std::vector<std::wstring>& MacroNames() const { return m_MacroNames; }

    CBitmapBtn m_btnName;
    // Repeat options 1, 4, 2 and 3 in skin order ("2", "3", "4", "5").
    CBitmapBtn m_btnOnce, m_btnTimes, m_btnWhileHeld, m_btnToggle;
    CBitmapBtn m_btnOk, m_btnCancel;

protected:
    std::wstring SkinFile() const override { return L"TKeys.ini"; }
    bool KeyboardReady() const override { return true; }
    std::vector<SkinButtonSpec> SkinButtons() override;
    void OnDestroy() override;

private:
    CBitmapBtn& RepeatButton(int option);
    void ShowRepeatOption(int option);
    // Once, while held or toggle (1, 2, 3): the repeat option and its look.
    void PickRepeatOption(std::uint8_t option);
    void OnNameButton();
    void OnMacroPicked(int index);
    void OnRepeatTimes();

    std::wstring m_strMacroFolder;
    std::vector<std::wstring> m_MacroNames;
    ListMenuHolder m_Menu;
};

}  // namespace zavo
