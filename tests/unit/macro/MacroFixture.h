// Small helpers for the macro tests: building a macro from a list of events and
// reading its events back.
#pragma once
#include <cstdint>
#include <ostream>
#include <vector>

#include "macro/MacroModel.h"

namespace macrotest {

using zavo::MacroEvent;
using zavo::MacroRecording;

// Key codes of the keys the tests use.
constexpr std::uint8_t A = 0x14, B = 0x2F, C = 0x26;

inline MacroEvent Press(std::uint8_t code) { return zavo::KeyEvent(code, true); }
inline MacroEvent Release(std::uint8_t code) { return zavo::KeyEvent(code, false); }
inline MacroEvent Wait(std::uint8_t units) { return zavo::DelayEvent(units); }
inline MacroEvent Cmd(std::uint8_t index) { return zavo::CommandEvent(index); }

inline MacroRecording MacroOf(const std::vector<MacroEvent>& events) {
    MacroRecording m;
    for (const MacroEvent& e : events) m.Events[static_cast<size_t>(m.Count++)] = e;
    return m;
}

inline std::vector<MacroEvent> EventsOf(const MacroRecording& m) {
    return {m.Events.begin(), m.Events.begin() + m.ValidCount()};
}

}  // namespace macrotest

namespace zavo {
inline void PrintTo(const MacroEvent& e, std::ostream* os) {
    *os << "(" << std::hex << int(e.Code) << "," << std::dec << int(e.Value) << ")";
}
}  // namespace zavo
