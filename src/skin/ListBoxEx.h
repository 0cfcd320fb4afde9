// CListBoxEx: the list of the pop-up menus. An owner-drawn list box whose items
// are plain text lines, the line under the mouse and the selected line lit in
// the menu's highlight colour (the selected line, which only the keyboard moves
// while the menu is open, also framed by the focus mark). It closes the menu it
// lives in as soon as it loses the focus, which is how a click outside the menu
// dismisses it. Choosing an item reaches the menu through the ordinary list
// notifications; MovedByKey tells a selection the arrows made from a click.
// To a screen reader it is a list whose items are its lines.
#pragma once
#include <windows.h>

#include <cstdint>

#include <string>

#include "framework/Accessible.h"
#include "framework/Controls.h"
#include "framework/FocusMark.h"
#include "framework/Gdi.h"

namespace zavo {

class CListBoxEx : public CListBox, public AccessibleSource {
public:
    CListBoxEx();
    ~CListBoxEx() override = default;

    // Creates the list (the menus pass WS_CHILD | WS_VISIBLE | WS_VSCROLL |
    // LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS) and sets its colours.
    BOOL Create(DWORD style, const RECT& rc, CWnd* parent, UINT id);
    // Takes the system colours and the item height; Create calls it, and so must
    // whoever binds a template list.
    void PreSubclassWindow();

    void DrawItem(DRAWITEMSTRUCT* dis) override;
    void MeasureItem(MEASUREITEMSTRUCT* mis) override;
    HBRUSH CtlColor(HDC dc, UINT ctlType) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    int GetHoverItem() const { return m_HoverItem; }
    // True while a key press is moving the selection (its notifications are
    // no choice yet).
    bool MovedByKey() const { return m_bKeyMoving; }

    // The list's name to a reader (the menu's).
    void SetAccessibleName(const std::wstring& name) { m_AccessibleName = name; }
    AccessibleFacts Describe(long child) const override;
    long Elements() const override { return GetCount(); }
    bool ElementRect(long child, RECT* screen) const override;
    long FocusedElement() const override { return GetCurSel() + 1; }
    long ElementAt(POINT screen) const override;
    bool DoDefaultAction(long child) override;

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
    void OnKey(UINT msg, WPARAM wParam, LPARAM lParam);

    int m_HoverItem = -1;
    bool m_TrackingLeave = false;
    std::uint16_t m_ItemHeight = 15;
    ScopedFont m_ItemFont;
    bool m_bKeyMoving = false;
    std::wstring m_AccessibleName;
};

}  // namespace zavo
