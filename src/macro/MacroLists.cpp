#include "macro/MacroLists.h"

#include <algorithm>

namespace zavo {

void MacroLists::Clear() { *this = MacroLists(); }

void MacroLists::AddEvent(std::wstring line) {
    EventLines.push_back(std::move(line));
    if (Rows() > MACRO_LIST_VISIBLE_LINES) ScrollToEnd();
}

void MacroLists::AddDelay(std::wstring line) {
    DelayLines.push_back(std::move(line));
    if (Rows() > MACRO_LIST_VISIBLE_LINES) ScrollToEnd();
}

void MacroLists::ScrollToEnd() { Top = std::max(0, Rows() - MACRO_LIST_VISIBLE_LINES); }

int MacroLists::Rows() const {
    return static_cast<int>(std::max(EventLines.size(), DelayLines.size()));
}

}  // namespace zavo
