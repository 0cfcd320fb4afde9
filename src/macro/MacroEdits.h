// The macro editor's edits of a MacroRecording, without any window: the window
// passes the selected line and shows the lines and selection these return.
//
// The editor keeps events and delays alternating, so line n of the event list is
// Events[2n] and line m of the delay list is Events[2m + 1]. Every edit stays
// within the first Count events: nothing past Count is read or written.
#pragma once
#include <string>
#include <string_view>

#include "macro/MacroLists.h"
#include "macro/MacroModel.h"

namespace zavo {

constexpr int NO_LINE = -1;

// Empties both lists and lists the first Count events: commands by name and keys
// by the macro editor's key name in the event list, delays in the delay list.
// Events that are all zero (no event data) list nothing. Both lists show their
// first line afterwards.
void RebuildLists(const MacroRecording& macro, const CommandNames& names, MacroLists& lists);

// Deletes event line n with its delay (the one after it, or the one before it
// when the event ends the macro) and rebuilds the lists. Returns the line to
// select afterwards (n when it still exists), or NO_LINE. A line that is not an
// event of the macro changes nothing.
int DeleteEventLine(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line);

// Swap event line n (with its delay) with the line above or below it and rebuild
// the lists. Returns the moved line's new index, or NO_LINE when it cannot move.
// A pair that ends the macro without a delay takes the closing delay of 0 ms
// when it moves up from the end, and the pair that leaves the end drops its
// delay, so the macro keeps its length and still ends without one.
int MoveEventLineUp(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line);
int MoveEventLineDown(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line);

// Inserts (command, 0 ms) before event line n, rebuilds the lists and scrolls
// both to their last 14 lines. Refused (false) for a command outside 0..21, a
// line that is not an event line, or a Count of 5432 or more.
bool InsertCommandBefore(MacroRecording& macro, const CommandNames& names, MacroLists& lists, int line, int command);

// Sets the delay of delay line m to the value text (milliseconds, truncated to
// 50 ms units, clamped to 0..255 units) and replaces that line. Refused (false)
// when line m is not a delay event within Count.
bool ApplyDelayToLine(MacroRecording& macro, MacroLists& lists, int delayLine, std::wstring_view valueText);

// The +50 ms ("up") and -50 ms buttons on the delay value text. False (no
// change) for an empty text and, for both buttons, at 255 units (12750 ms) or
// more. A negative value counts as 0.
bool StepDelayText(std::wstring_view text, bool up, std::wstring& result);

// Ignore-delay and default-delay toggles; turning one on turns the other off.
void ToggleIgnoreDelay(MacroRecording& macro);
void ToggleDefaultDelay(MacroRecording& macro);

// Which of the move-up and move-down buttons an event-list selection enables.
struct MoveButtons {
    bool Up = false;
    bool Down = false;
};
MoveButtons MoveButtonsFor(int selectedLine, int lineCount);

}  // namespace zavo
