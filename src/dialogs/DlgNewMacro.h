// CDlgNewMacro: asks for the name of a new macro. It checks nothing: the macro
// editor checks the name it gets back. Enter and Esc go to the name box and
// close nothing.
#pragma once
#include <string>

#include "framework/Controls.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

class CDlgNewMacro : public CSkinDialog {
public:
    static constexpr UINT IDD = 136;

    explicit CDlgNewMacro(const AppContext& app, CWnd* owner = nullptr) : CSkinDialog(IDD, app, owner) {}

    // After IDOK: the text of the name box as the user left it (maybe empty).
    std::wstring m_Name;

    BOOL OnInitDialog() override;
    void PlaceOwnControls() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    bool KeyboardReady() const override { return true; }
    void DoDataExchange(CDataExchange* dx) override;

    CBitmapBtn m_btnOk, m_btnCancel;
    CNamedEdit m_NameBox;
    // What a name may hold, in the language of the module, under the name box.
    CStatic m_Hint;

protected:
    std::wstring SkinFile() const override { return L"CreateNewmacro.ini"; }
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlType) override;
    std::vector<SkinButtonSpec> SkinButtons() override;
};

}  // namespace zavo
