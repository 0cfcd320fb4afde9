// The macro editor's two list boxes as plain lines: the event list (keys and
// commands) and the delay list. Row n of both lists belongs together (a step and
// the delay after it), so the two share one first visible row.
#pragma once
#include <string>
#include <vector>

namespace zavo {

// Lines a list box of the editor shows at once.
constexpr int MACRO_LIST_VISIBLE_LINES = 14;

struct MacroLists {
    std::vector<std::wstring> EventLines;
    std::vector<std::wstring> DelayLines;
    int Top = 0;  // first visible row of both lists

    void Clear();
    // Appends a line; when the lists then hold more than 14 rows they scroll so
    // that their last 14 rows show.
    void AddEvent(std::wstring line);
    void AddDelay(std::wstring line);
    // Scrolls to the last 14 rows (to the top when there are fewer).
    void ScrollToEnd();
    // Rows both list boxes hold: the longer list's lines (the shorter list is
    // shown padded with empty rows, so that both scroll alike). While a
    // recording runs the last step has no delay yet.
    int Rows() const;
};

}  // namespace zavo
