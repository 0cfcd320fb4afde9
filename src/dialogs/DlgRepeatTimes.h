// CDlgRepeatTimes: asks how many times a macro is to be repeated (0 to 999).
// Enter and Esc go to the count box and close nothing.
#pragma once
#include "framework/Controls.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

class CDlgRepeatTimes : public CSkinDialog {
public:
    static constexpr UINT IDD = 134;
    static constexpr int MAX_COUNT = 999;

    explicit CDlgRepeatTimes(const AppContext& app, CWnd* owner = nullptr) : CSkinDialog(IDD, app, owner) {}

    // In: the count shown (below 0 shows 0). Out after IDOK: the count typed,
    // held to 0..999 whatever the box holds (pasted text included).
    int m_Count = 1;

    BOOL OnInitDialog() override;
    void PlaceOwnControls() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    bool KeyboardReady() const override { return true; }
    void DoDataExchange(CDataExchange* dx) override;

    CBitmapBtn m_btnOk, m_btnCancel;
    CNamedEdit m_CountBox;

protected:
    std::wstring SkinFile() const override { return L"RepeatCount.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;
};

// The count a box text gives: its leading decimal number (blanks and a sign
// allowed, as _wtoi reads it), held to 0..999; 0 when there is none.
int RepeatCountOfText(const std::wstring& text);

}  // namespace zavo
