// CListMenu: a pop-up list of names drawn on a skin picture, dropped below a
// button of its owner: the macro name menu and the profile menu. It is
// modeless; the owner creates it (Open), keeps it, and destroys it on a pick,
// on the next click of its button and when the owner closes. The line the user
// picks is posted to the owner as `pickedMessage` (first parameter the line's
// index, -1 for none). A click outside the menu takes the focus from its list,
// which then hides and destroys the menu window (the object stays with its
// owner until the owner forgets it).
//
// From the keyboard: the arrows move the selection (no pick yet), Enter picks
// the selected line and Escape closes the menu without a pick. A menu opened
// while its owner shows the focus mark (the user works with the keyboard)
// starts on its first line, so a reader names a line at once.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "skin/ListBoxEx.h"
#include "skin/Picture.h"

namespace zavo {

struct ListMenuLook {
    UINT templateId;         // a pop-up dialog template without controls
    const wchar_t* picture;  // in the skin folder
    UINT listId;             // the list's control id
    UINT pickedMessage;      // posted to the owner
    int maxRows;             // rows shown at most (0: all); more lines scroll
    UiText name{0, L""};     // what a screen reader calls the menu
};

class CListMenu : public CDialog {
public:
    static constexpr int ROW_HEIGHT = 16;

    CListMenu(const ListMenuLook& look, const AppContext& app, CWnd& owner, std::vector<std::wstring> items);

    // Creates the menu with its top-left corner at `position` (screen) and shows it.
    bool Open(POINT position);
    // Whether the menu window is still there (a click outside closes it).
    bool IsOpen() const { return m_hWnd && ::IsWindow(m_hWnd); }
    int Rows() const { return m_nRows; }
    CListBoxEx& List() { return m_List; }

protected:
    int OnCreate(CREATESTRUCTW* cs) override;
    BOOL OnInitDialog() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnDestroy() override;
    // Enter and Escape, as the dialog keys deliver them.
    void OnOK() override;
    void OnCancel() override;
    bool CreatesUnaware(HWND owner) const override;

private:
    void Pick(int line);
    int ListBottom() const { return m_nRows * AtDpi(ROW_HEIGHT, m_Dpi) + 1; }

    const ListMenuLook m_Look;
    const AppContext& m_App;
    CWnd& m_Owner;
    const std::vector<std::wstring> m_Items;
    POINT m_Position{0, 0};
    int m_nRows = 0;
    UINT m_Dpi = kBaseDpi;  // the DPI the menu is drawn at
    Picture m_Picture;
    CListBoxEx m_List;
};

// The one list menu an opener keeps: the object outlives its window when a click
// outside closes the window, and the opener forgets it at its next click.
class ListMenuHolder {
public:
    ~ListMenuHolder() { Close(); }
    bool Has() const { return m_Menu != nullptr; }
    // Opens `menu` at `position`; false (and nothing kept) when it could not be made.
    bool Open(std::unique_ptr<CListMenu> menu, POINT position);
    // Destroys the menu window, if it is still there, and forgets the menu.
    void Close();

private:
    std::unique_ptr<CListMenu> m_Menu;
};

// The bottom-left corner of `button` in screen coordinates: where a menu drops.
POINT BelowButton(HWND button);

}  // namespace zavo
