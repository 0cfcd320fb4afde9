// The macro as the editor holds it, its event kinds and the texts under which the
// editor lists them. Portable: no platform headers.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/KeyboardConfig.h"

namespace zavo {

// One 2-byte event: a key (code, 1 press / 0 release), a delay (0xFF, units of
// 50 ms) or, in macro files only, a command (0xEE, command index).
struct MacroEvent {
    std::uint8_t Code = 0;
    std::uint8_t Value = 0;
    bool operator==(const MacroEvent& o) const { return Code == o.Code && Value == o.Value; }
    bool operator!=(const MacroEvent& o) const { return !(*this == o); }
};
static_assert(sizeof(MacroEvent) == 2, "events are stored as 2-byte pairs");

enum class MacroEventKind { Key, Delay, Command };

MacroEventKind KindOf(MacroEvent e);
inline MacroEvent KeyEvent(std::uint8_t code, bool press) { return {code, static_cast<std::uint8_t>(press ? 1 : 0)}; }
inline MacroEvent DelayEvent(std::uint8_t units) { return {MACRO_DELAY_CODE, units}; }
inline MacroEvent CommandEvent(std::uint8_t index) { return {MACRO_COMMAND_CODE, index}; }

constexpr int MACRO_DELAY_UNIT_MS = 50;
constexpr int MACRO_DELAY_MAX_UNITS = 255;
constexpr int MACRO_COMMAND_COUNT = 22;
// Appending or inserting a command is refused from this Count on (room for the
// delay, the command and what a recording may still add).
constexpr int MACRO_COMMAND_LIMIT = MACRO_EVENT_MAX - 8;
constexpr int MACRO_DEFAULT_DELAY_MS = 50;

using MacroEvents = std::array<MacroEvent, MACRO_EVENT_MAX>;
static_assert(sizeof(MacroEvents) == MACRO_DATA_SIZE, "the event block is the file's 10880-byte struct");

// The macro being edited. Entries of Events from Count on are ignored.
struct MacroRecording {
    MacroEvents Events{};
    std::int32_t Count = 0;         // 0..5440
    std::int32_t IgnoreDelay = 0;   // 1: recorded delays are 0 ms
    std::int32_t DefaultDelay = 0;  // 1: recorded delays are DefaultDelayValue; never both 1
    // Milliseconds: the editor's default-delay box read with ParseDecimal (so a
    // text that is not a number counts as 0), kept here whenever it changes.
    std::int32_t DefaultDelayValue = MACRO_DEFAULT_DELAY_MS;

    // An empty macro: no events, both flags 0, default delay 50 ms.
    void Clear();
    // Count limited to 0..5440, so loops over the events never leave Events.
    int ValidCount() const;
};

// Whether saving `a` would store what saving `b` stores: the same events up to
// Count, the same delay settings. The editor asks before closing when the
// macro it shows differs from the one last saved or loaded.
bool SameContent(const MacroRecording& a, const MacroRecording& b);

// Names of the 22 commands as the editor shows them: the language module's text
// for 0..19, "Scroll Up" and "Scroll Down" for 20 and 21.
using CommandNames = std::array<std::wstring, MACRO_COMMAND_COUNT>;
CommandNames MakeCommandNames(const std::vector<std::wstring>& langTexts);
// The name of a command index; empty for an index outside 0..21.
std::wstring CommandName(const CommandNames& names, int index);

// List texts: "%d ms" for a delay, the macro editor's key name followed by
// " Press" (odd byte 1) or " Release" (even byte 1) for a key.
std::wstring DelayLine(std::uint8_t units);
std::wstring KeyLine(MacroEvent e);

// A number as the edit boxes hold it: leading blanks, an optional sign, then
// digits up to the first other character; no digits give 0, and values beyond
// the 32-bit range saturate.
std::int32_t ParseDecimal(std::wstring_view text);

// Milliseconds to delay units: truncated to whole 50 ms, clamped to lo..hi.
int DelayUnits(std::int32_t ms, int lo, int hi);

}  // namespace zavo
