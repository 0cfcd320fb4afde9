// CMacroListBox: one of the macro editor's two lists (the steps, the delays).
// The two are paired: row n of one belongs to row n of the other, so they keep
// one first visible row whatever scrolls either of them (its scroll bar, the
// wheel, the keyboard, a selection), and the shorter list is padded with empty
// rows so that both can scroll as far. The rows are drawn in the skin's list
// colours; the row beside the other list's selection is marked, so the delay
// beside a selected step is plainly its own. No focus rectangle is drawn (an
// empty list shows nothing); the frame and the scroll bar are drawn in the
// skin's colours. To a screen reader it is a list named by the editor whose
// items are its real lines (the padding rows are left out); the platform's
// own list events (focus and selection of a row) name the same children.
#pragma once
#include <string>
#include <vector>

#include "framework/Accessible.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"

namespace zavo {

class CMacroListBox : public CListBox, public AccessibleSource {
public:
    struct Colours {
        COLORREF text = RGB(255, 255, 255);
        COLORREF back = RGB(0, 0, 0);
        COLORREF selectedText = RGB(255, 255, 255);
        COLORREF selectedBack = RGB(40, 70, 120);
        COLORREF partnerBack = RGB(30, 34, 44);
        COLORREF frame = RGB(44, 49, 60);
        COLORREF scrollTrack = RGB(17, 19, 25);
        COLORREF scrollThumb = RGB(70, 78, 96);
        COLORREF scrollArrow = RGB(150, 160, 180);
    };
    // Binds the partner and the colours; call once both lists are subclassed.
    void Setup(CMacroListBox& partner, const Colours& colours, HFONT font);

    // Shows `lines`, padded with empty rows up to `rows`.
    void ShowLines(const std::vector<std::wstring>& lines, int rows);
    // Shows the lines of `lines` it does not show yet (the list only grew),
    // padded up to `rows`.
    void ShowNewLines(const std::vector<std::wstring>& lines, int rows);
    // Lines that are real (not padding).
    int Lines() const { return m_nLines; }
    // The selected real line, -1 for none or a padding row.
    int SelectedLine() const;
    // Marks `row` as the one beside the partner's selection (-1 = none).
    void MarkPartnerRow(int row);

    void SetAccessibleName(std::wstring name) { m_AccessibleName = std::move(name); }
    // AccessibleSource: element n + 1 is line n.
    AccessibleFacts Describe(long child) const override;
    long Elements() const override { return m_nLines; }
    bool ElementRect(long child, RECT* screen) const override;
    long FocusedElement() const override;

    void DrawItem(DRAWITEMSTRUCT* dis) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Pad(int rows);
    // After each message: the partner follows the top row, the scroll bar is repainted.
    void AfterMessage(UINT msg, WPARAM wParam);
    void FollowTop(int top);
    void PaintFrame();
    // The client area of a list without rows: its background, nothing else.
    void PaintEmpty(HDC dc);
    // Paints the scroll bar (when the list has one) in the skin's colours over
    // the system's grey; after every change of its position, too.
    void PaintScrollBar();

    CMacroListBox* m_pPartner = nullptr;
    std::wstring m_AccessibleName;
    Colours m_Colours;
    HFONT m_Font = nullptr;  // owned by the editor
    int m_nLines = 0;
    int m_PartnerRow = -1;
    int m_LastTop = 0;  // the first row when this list last led or followed
    bool m_bFollowing = false;
    bool m_bLooking = false;  // inside AfterMessage
    bool m_bRedrawOff = false;  // WM_SETREDRAW FALSE: nothing is painted
    SCROLLINFO m_Painted{};  // the scroll bar position last painted
};

}  // namespace zavo
