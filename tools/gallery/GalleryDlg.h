// The gallery window: every skinned widget on the gallery's test skin, so that
// anyone can look at them and try them with the mouse.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "skin/BitmapBtn.h"
#include "skin/ImageEx.h"
#include "skin/ListBoxEx.h"
#include "skin/RgnWnd.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

// A pop-up list menu, as the tool's menus make theirs; it closes itself when the
// list loses the focus and reports the picked line to its owner.
class CGalleryMenu : public CWnd {
public:
    static constexpr UINT WM_MENU_PICKED = WM_APP + 20;
    bool Open(CWnd* owner, POINT screen);
    CListBoxEx m_List;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override { delete this; }
};

class CGalleryDlg : public CSkinDialog {
public:
    static constexpr UINT IDD = 100;
    // `quitAfterMs` > 0 closes the gallery after that many milliseconds.
    CGalleryDlg(const AppContext& app, bool openMenu, UINT quitAfterMs)
        : CSkinDialog(IDD, app), m_bOpenMenu(openMenu), m_nQuitAfterMs(quitAfterMs) {}

protected:
    std::wstring SkinFile() const override { return L"Gallery.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OpenMenu();
    void ShowStatus(const std::wstring& text);

    CBitmapBtn m_Apply, m_Latched, m_Disabled, m_Text, m_Menu, m_Close;
    CRgnButton m_Enter;
    std::unique_ptr<ImageEx> m_Busy;
    std::wstring m_strStatus = L"Click a widget.";
    bool m_bOpenMenu;
    UINT m_nQuitAfterMs;
};

}  // namespace zavo
