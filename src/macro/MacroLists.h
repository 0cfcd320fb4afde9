// The macro editor's two list boxes as plain lines: the event list (keys and
// commands) and the delay list, each with the index of its first visible line.
#pragma once
#include <string>
#include <vector>

namespace zavo {

// Lines a list box of the editor shows at once.
constexpr int MACRO_LIST_VISIBLE_LINES = 14;

struct MacroLists {
    std::vector<std::wstring> EventLines;
    std::vector<std::wstring> DelayLines;
    int EventTop = 0;  // first visible line of the event list
    int DelayTop = 0;

    void Clear();
    // Appends a line; a list that then holds more than 14 lines scrolls so that
    // its last 14 lines show.
    void AddEvent(std::wstring line);
    void AddDelay(std::wstring line);
    // Scrolls each list to its last 14 lines (to the top when it has fewer).
    void ScrollBothToEnd();
};

}  // namespace zavo
