// The 22 macro commands as the events the device plays: the T-key dialog expands
// a macro file's command events with this table before a macro reaches a key.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "config/KeyboardConfig.h"
#include "macro/MacroModel.h"

namespace zavo {

// The events command `index` stands for: key presses and releases with a 50 ms
// wait between them, device codes 0xFB..0xFE, or the scroll code 0xFA. Empty for
// an index outside 0..21.
std::vector<MacroEvent> CommandExpansion(int index);

// What a command does in a few words ("Ctrl+C", "Page Up"), for the tools; the
// windows show the language module's names instead.
std::wstring CommandDescription(int index);

// A macro with its commands expanded, ready for a MacroGroup.
struct ExpandedMacro {
    MacroEvents Events{};
    int Length = 0;          // events written, 0..5440
    bool Truncated = false;  // the expansion did not fit in 5440 events
};

// Expands the first `count` events (taken as 0 when negative and as 5440 when
// larger): every event that is not a command is copied, every command is
// replaced by its expansion, and an index above 21 writes nothing. The result
// never passes 5440 events: it ends before the first event or command whose
// events do not all fit, so no key is left pressed by a cut sequence.
ExpandedMacro ExpandMacroCommands(const MacroEvents& events, std::int32_t count);

// Copies the expanded events and their number into a key's macro; its name and
// repeat settings stay.
void StoreInGroup(const ExpandedMacro& macro, MacroGroup& group);

}  // namespace zavo
