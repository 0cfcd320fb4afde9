// CDlgCMDMenu: the pop-up menu of the 22 macro commands, dropped below a button
// of the macro editor. Modal; DoModal returns the index (0..21) of the clicked
// command, or -1 when the user clicks anywhere else or presses Escape.
//
// The menu holds the mouse capture everywhere except over an item, where it
// lets the item's button track and take the click; a press anywhere the menu
// holds the capture (outside the items, outside the menu) closes it.
//
// From the keyboard the focus starts on the first command; the arrows move it
// as the items lie (down a column, across to the other), Tab in reading order,
// and Enter or Space picks. To a screen reader the menu is a list of commands.
#pragma once
#include <array>

#include "skin/BitmapBtn.h"
#include "skin/SkinWindows.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

class CDlgCMDMenu : public CSkinDialog, public AccessibleSource {
public:
    static constexpr UINT IDD = 132;
    static constexpr int ITEM_COUNT = COMMAND_MENU_ITEMS;

    CDlgCMDMenu(const AppContext& app, CWnd& owner, POINT position)
        : CSkinDialog(IDD, app, &owner), m_Position(position) {}

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    AccessibleFacts Describe(long child) const override;

    std::array<CBitmapBtn, ITEM_COUNT> m_Items;

protected:
    std::wstring SkinFile() const override { return L"Commands_menu.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override;
    void OnMouseMove(UINT flags, POINT pt) override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnDestroy() override;
    bool KeyboardReady() const override { return true; }
    // Escape closes without a choice; Enter picks only the focused item.
    void OnOK() override {}
    void OnCancel() override { EndDialog(-1); }

private:
    bool OverItem(POINT pt) const;
    // Moves the focus by an arrow key among the items; false for other keys.
    bool MoveByArrow(const MSG* msg);

    POINT m_Position;
    bool m_bCapture = false;
    std::array<RECT, ITEM_COUNT> m_ItemRects{};
};

}  // namespace zavo
