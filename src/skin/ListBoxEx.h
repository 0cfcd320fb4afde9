// CListBoxEx: the list of the pop-up menus. An owner-drawn list box whose items
// are plain text lines, the line under the mouse lit in the menu's highlight
// colour. It ignores the keyboard, and closes the menu it lives in as soon as it
// loses the focus, which is how a click outside the menu dismisses it. Choosing
// an item reaches the menu through the ordinary list notifications.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/Controls.h"
#include "framework/Gdi.h"

namespace zavo {

class CListBoxEx : public CListBox {
public:
    CListBoxEx();
    ~CListBoxEx() override = default;

    // Creates the list (the menus pass WS_CHILD | WS_VISIBLE | WS_VSCROLL |
    // LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS) and sets its colours.
    BOOL Create(DWORD style, const RECT& rc, CWnd* parent, UINT id);
    // Takes the system colours and the item height; Create calls it, and so must
    // whoever binds a template list.
    void PreSubclassWindow();

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(DRAWITEMSTRUCT* dis) override;
    void MeasureItem(MEASUREITEMSTRUCT* mis) override;
    HBRUSH CtlColor(HDC dc, UINT ctlType) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    int GetHoverItem() const { return m_HoverItem; }

    // Set by the menu after creation; repaint the list afterwards.
    COLORREF m_TextColour = 0;
    COLORREF m_HighlightTextColour = 0;
    COLORREF m_HighlightColour = 0;
    ScopedBrush m_BackgroundBrush;

protected:
    void OnMouseMove(UINT flags, POINT pt) override;
    void OnMouseLeave() override;
    void OnKillFocus(HWND newFocus) override;

private:
    void InvalidateItem(int index);

    int m_HoverItem = -1;
    bool m_TrackingLeave = false;
    std::uint16_t m_ItemHeight = 15;
    ScopedFont m_ItemFont;
};

}  // namespace zavo
