#include "macro/MacroLists.h"

#include <algorithm>

namespace zavo {
namespace {

int LastPageTop(const std::vector<std::wstring>& lines) {
    return std::max(0, static_cast<int>(lines.size()) - MACRO_LIST_VISIBLE_LINES);
}

void Add(std::vector<std::wstring>& lines, int& top, std::wstring line) {
    lines.push_back(std::move(line));
    if (static_cast<int>(lines.size()) > MACRO_LIST_VISIBLE_LINES) top = LastPageTop(lines);
}

}  // namespace

void MacroLists::Clear() { *this = MacroLists(); }

void MacroLists::AddEvent(std::wstring line) { Add(EventLines, EventTop, std::move(line)); }
void MacroLists::AddDelay(std::wstring line) { Add(DelayLines, DelayTop, std::move(line)); }

void MacroLists::ScrollBothToEnd() {
    EventTop = LastPageTop(EventLines);
    DelayTop = LastPageTop(DelayLines);
}

}  // namespace zavo
