#include <gtest/gtest.h>

#include "MacroFixture.h"
#include "macro/MacroCommands.h"

using namespace zavo;
using namespace macrotest;

namespace {

using Events = std::vector<MacroEvent>;

constexpr MacroEvent W = {0xFF, 1};  // the 50 ms wait between a command's keys

Events TapOf(std::uint8_t code) { return {Press(code), W, Release(code)}; }
Events ChordOf(std::uint8_t mod, std::uint8_t key) {
    return {Press(mod), W, Press(key), W, Release(key), W, Release(mod)};
}

Events Expanded(const Events& source) {
    MacroRecording m = MacroOf(source);
    ExpandedMacro out = ExpandMacroCommands(m.Events, m.Count);
    EXPECT_FALSE(out.Truncated);
    return {out.Events.begin(), out.Events.begin() + out.Length};
}

TEST(CommandExpansion, EveryCommandRow) {
    const std::pair<int, Events> rows[] = {
        {0, TapOf(0x68)},           // Page Up
        {1, TapOf(0x69)},           // Page Down
        {2, ChordOf(0x88, 0x26)},   // Ctrl+C
        {3, ChordOf(0x88, 0x2E)},   // Ctrl+V
        {4, ChordOf(0x7D, 0x25)},   // Alt+F4
        {5, ChordOf(0x9C, 0x24)},   // Win+D
        {6, ChordOf(0x88, 0x16)},   // Ctrl+Z
        {7, ChordOf(0x9C, 0x22)},   // Win+E
        {8, TapOf(0x60)},           // Delete
        {9, ChordOf(0x88, 0x1E)},   // Ctrl+X
        {10, TapOf(0x7A)},          // Print Screen
        {11, ChordOf(0x9D, 0x44)},  // right Win+L
        {12, ChordOf(0x88, 0x14)},  // Ctrl+A
        {13, ChordOf(0x88, 0x2C)},  // Ctrl+F
        {14, ChordOf(0x88, 0x4A)},  // Ctrl+P
        {15, ChordOf(0x88, 0x1C)},  // Ctrl+S
        {16, ChordOf(0x88, 0x37)},  // Ctrl+N
        {17, TapOf(0xFE)},          // device codes
        {18, TapOf(0xFC)},
        {19, TapOf(0xFB)},
        {20, {{0xFA, 1}}},  // Scroll Up
        {21, {{0xFA, 0}}},  // Scroll Down
        {22, {}},           // no such command: nothing
        {255, {}},
    };
    for (const auto& [index, events] : rows) {
        EXPECT_EQ(CommandExpansion(index), events) << "command " << index;
        EXPECT_EQ(Expanded({Cmd(static_cast<std::uint8_t>(index))}), events) << "command " << index;
    }
}

TEST(CommandExpansion, CommandsAmongKeysAndDelays) {
    EXPECT_EQ(Expanded({Press(A), Wait(3), Cmd(8), Wait(2), Release(A)}),
              (Events{Press(A), Wait(3), Press(0x60), W, Release(0x60), Wait(2), Release(A)}));
    // An unknown command disappears; the events around it stay.
    EXPECT_EQ(Expanded({Press(A), Cmd(30), Release(A)}), (Events{Press(A), Release(A)}));
}

TEST(CommandExpansion, CountLimitsTheSource) {
    MacroRecording m = MacroOf({Press(A), Wait(1), Release(A), Wait(2)});
    EXPECT_EQ(ExpandMacroCommands(m.Events, 2).Length, 2);
    EXPECT_EQ(ExpandMacroCommands(m.Events, 0).Length, 0);
    EXPECT_EQ(ExpandMacroCommands(m.Events, -7).Length, 0);
    // A count past the block reads the block's 5440 events and no further.
    ExpandedMacro all = ExpandMacroCommands(m.Events, 70000);
    EXPECT_EQ(all.Length, MACRO_EVENT_MAX);
    EXPECT_FALSE(all.Truncated);
}

TEST(CommandExpansion, StopsAt5440EventsWithoutCuttingACommand) {
    MacroRecording m;
    m.Count = MACRO_EVENT_MAX;
    m.Events.fill(Press(B));
    m.Events[0] = Cmd(2);  // 7 events in place of 1: the source no longer fits
    ExpandedMacro out = ExpandMacroCommands(m.Events, m.Count);
    EXPECT_TRUE(out.Truncated);
    EXPECT_EQ(out.Length, MACRO_EVENT_MAX);
    EXPECT_EQ(out.Events[6], Release(0x88));
    EXPECT_EQ(out.Events[MACRO_EVENT_MAX - 1], Press(B));

    // A chord that would straddle the end is left out whole: no key stays pressed.
    m.Events.fill(Press(B));
    m.Events[MACRO_EVENT_MAX - 4] = Cmd(2);
    out = ExpandMacroCommands(m.Events, m.Count);
    EXPECT_TRUE(out.Truncated);
    EXPECT_EQ(out.Length, MACRO_EVENT_MAX - 4);
    EXPECT_EQ(out.Events[MACRO_EVENT_MAX - 4], MacroEvent{});
}

TEST(CommandExpansion, StoreInGroupKeepsNameAndRepeat) {
    MacroGroup group;
    group.MacroName = L"keep";
    group.RepeatOption = 4;
    group.RepeatTimes = 3;
    group.Macro.fill(0x77);
    MacroRecording m = MacroOf({Cmd(0)});
    StoreInGroup(ExpandMacroCommands(m.Events, m.Count), group);
    EXPECT_EQ(group.MacroLength, 3);
    EXPECT_EQ(group.Macro[0], 0x68);
    EXPECT_EQ(group.Macro[1], 1);
    EXPECT_EQ(group.Macro[6], 0);  // the rest of the block is zero
    EXPECT_EQ(group.MacroName, L"keep");
    EXPECT_EQ(group.RepeatOption, 4);
    EXPECT_EQ(group.RepeatTimes, 3);
}

}  // namespace
