// CDlgWarning: the tool's skinned message box. Its message is painted into the
// skin pictures of its kind; the caller sets the kind, shows it modally and
// reads the result: 1 (IDOK) agreed or acknowledged, 2 (IDCANCEL) declined.
#pragma once
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

class CDlgWarning : public CSkinDialog {
public:
    static constexpr UINT IDD = 138;
    // The three messages.
    static constexpr int KIND_RESET = 0;         // confirm the reset of the profile
    static constexpr int KIND_NO_DEVICE = 1;     // the keyboard was not found (one button)
    static constexpr int KIND_SAVE_CHANGES = 2;  // save the changes before switching profiles

    CDlgWarning(const AppContext& app, int kind) : CSkinDialog(IDD, app), m_nKind(kind) {}

    // A kind other than 0, 1 and 2 loads no skin.
    int m_nKind = -1;

    BOOL PreTranslateMessage(MSG* msg) override { return CSkinDialog::PreTranslateMessage(msg); }

    // The buttons of the chosen kind (the others are never created).
    CBitmapBtn m_btnOkSingle;  // kind 1
    CBitmapBtn m_btnOk;        // kinds 0 and 2
    CBitmapBtn m_btnCancel;    // kinds 0 and 2

protected:
    std::wstring SkinFile() const override;
    std::vector<SkinButtonSpec> SkinButtons() override;
    bool KeyboardReady() const override { return true; }
};

}  // namespace zavo
