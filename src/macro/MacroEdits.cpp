#include "macro/MacroEdits.h"

#include <algorithm>

namespace zavo {
namespace {

// Index of the event of event line n when it lies within Count, else -1.
int EventIndexOf(const MacroRecording& macro, int line) {
    if (line < 0 || line > MACRO_EVENT_MAX / 2) return -1;
    return 2 * line < macro.ValidCount() ? 2 * line : -1;
}

// Swaps the pair at 2a, 2a + 1 with the pair at 2a + 2, 2a + 3. The caller
// guarantees that 2a + 2 lies within Count. When the second pair has no delay
// (it ends the macro) the pair moving up gets the closing delay of 0 ms and the
// pair moving to the end goes without one, so nothing past Count is touched.
void SwapPairs(MacroRecording& macro, int firstPair) {
    MacroEvent* e = macro.Events.data();
    const int i = 2 * firstPair;
    const bool secondHasDelay = i + 3 < macro.ValidCount();
    const MacroEvent firstEvent = e[i], firstDelay = e[i + 1];
    e[i] = e[i + 2];
    e[i + 1] = secondHasDelay ? e[i + 3] : DelayEvent(0);
    e[i + 2] = firstEvent;
    if (secondHasDelay) e[i + 3] = firstDelay;
}

void ClearEvents(MacroRecording& macro) {
    macro.Count = 0;
    macro.Events.fill(MacroEvent{});
}

}  // namespace

void RebuildLists(const MacroRecording& macro, const CommandNames& names, MacroLists& lists) {
    lists.Clear();
    const int count = macro.ValidCount();
    // A Count without event data (a file whose "Macro" is missing or unreadable)
    // lists nothing rather than a column of nameless releases.
    const MacroEvent* first = macro.Events.data();
    if (std::all_of(first, first + count, [](MacroEvent e) { return e == MacroEvent{}; })) return;
    for (int i = 0; i < count; ++i) {
        const MacroEvent e = macro.Events[static_cast<size_t>(i)];
        switch (KindOf(e)) {
            case MacroEventKind::Command:
                lists.EventLines.push_back(CommandName(names, e.Value));
                break;
            case MacroEventKind::Delay:
                lists.DelayLines.push_back(DelayLine(e.Value));
                break;
            case MacroEventKind::Key:
                lists.EventLines.push_back(KeyLine(e));
                break;
        }
    }
}

int DeleteEventLine(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line) {
    const int at = EventIndexOf(macro, line);
    if (at < 0) return NO_LINE;
    const int count = macro.ValidCount();
    if (count <= 2) {  // the only line: the macro becomes empty
        ClearEvents(macro);
        lists.Clear();
        return NO_LINE;
    }
    // The delay after the event goes with it; the last event takes the one before.
    const int first = at + 1 < count ? at : at - 1;
    MacroEvent* e = macro.Events.data();
    std::copy(e + first + 2, e + count, e + first);
    std::fill(e + count - 2, e + count, MacroEvent{});
    macro.Count = count - 2;
    RebuildLists(macro, names, lists);
    return EventIndexOf(macro, line) >= 0 ? line : NO_LINE;
}

int MoveEventLineUp(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line) {
    if (line < 1 || EventIndexOf(macro, line) < 0) return NO_LINE;
    SwapPairs(macro, line - 1);
    RebuildLists(macro, names, lists);
    return line - 1;
}

int MoveEventLineDown(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line) {
    if (EventIndexOf(macro, line) < 0 || EventIndexOf(macro, line + 1) < 0) return NO_LINE;
    SwapPairs(macro, line);
    RebuildLists(macro, names, lists);
    return line + 1;
}

bool InsertCommandBefore(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line, int command) {
    const int at = EventIndexOf(macro, line);
    const int count = macro.ValidCount();
    if (command < 0 || command >= MACRO_COMMAND_COUNT || at < 0 || count >= MACRO_COMMAND_LIMIT) return false;
    MacroEvent* e = macro.Events.data();
    std::copy_backward(e + at, e + count, e + count + 2);
    e[at] = CommandEvent(static_cast<std::uint8_t>(command));
    e[at + 1] = DelayEvent(0);
    macro.Count = count + 2;
    RebuildLists(macro, names, lists);
    if (lists.Rows() > MACRO_LIST_VISIBLE_LINES) lists.ScrollToEnd();
    return true;
}

bool ApplyDelayToLine(MacroRecording& macro, MacroLists& lists, int delayLine, std::wstring_view valueText) {
    if (delayLine < 0 || delayLine >= MACRO_EVENT_MAX / 2) return false;
    const int at = 2 * delayLine + 1;
    if (at >= macro.ValidCount() || KindOf(macro.Events[static_cast<size_t>(at)]) != MacroEventKind::Delay)
        return false;
    const auto units = static_cast<std::uint8_t>(DelayUnits(ParseDecimal(valueText), 0, MACRO_DELAY_MAX_UNITS));
    macro.Events[static_cast<size_t>(at)].Value = units;
    if (static_cast<size_t>(delayLine) < lists.DelayLines.size())
        lists.DelayLines[static_cast<size_t>(delayLine)] = DelayLine(units);
    return true;
}

bool StepDelayText(std::wstring_view text, bool up, std::wstring& result) {
    if (text.empty()) return false;
    int units = ParseDecimal(text) / MACRO_DELAY_UNIT_MS;
    // At the longest delay or beyond both buttons leave the value alone.
    if (units >= MACRO_DELAY_MAX_UNITS) return false;
    units = std::max(units, 0);
    units = up ? units + 1 : std::max(units - 1, 0);
    result = std::to_wstring(units * MACRO_DELAY_UNIT_MS);
    return true;
}

void ToggleIgnoreDelay(MacroRecording& macro) {
    macro.IgnoreDelay = macro.IgnoreDelay == 1 ? 0 : 1;
    if (macro.IgnoreDelay == 1) macro.DefaultDelay = 0;
}

void ToggleDefaultDelay(MacroRecording& macro) {
    macro.DefaultDelay = macro.DefaultDelay == 1 ? 0 : 1;
    if (macro.DefaultDelay == 1) macro.IgnoreDelay = 0;
}

MoveButtons MoveButtonsFor(int selectedLine, int lineCount) {
    if (selectedLine < 0 || selectedLine >= lineCount) return {};
    if (selectedLine == 0) return {false, true};
    return {true, selectedLine != lineCount - 1};
}

}  // namespace zavo
