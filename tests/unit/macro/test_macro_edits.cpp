#include <gtest/gtest.h>

#include "MacroFixture.h"
#include "macro/MacroEdits.h"

using namespace zavo;
using namespace macrotest;

namespace {

using Events = std::vector<MacroEvent>;

class MacroEdits : public ::testing::Test {
protected:
    MacroEdits() {
        std::vector<std::wstring> texts(85);
        texts[31] = L"Copy";
        names = MakeCommandNames(texts);
    }
    CommandNames names;
    MacroLists lists;
};

TEST_F(MacroEdits, RebuildListsEventsAndDelaysApart) {
    MacroRecording m = MacroOf({Press(A), Wait(8), Cmd(2), Wait(0), Release(A), Wait(255), Cmd(30)});
    lists.EventLines = {L"stale"};
    lists.Top = 3;
    RebuildLists(m, names, lists);
    EXPECT_EQ(lists.EventLines, (std::vector<std::wstring>{L"A Press", L"Copy", L"A Release", L""}));
    EXPECT_EQ(lists.DelayLines, (std::vector<std::wstring>{L"400 ms", L"0 ms", L"12750 ms"}));
    EXPECT_EQ(lists.Top, 0);
}

TEST_F(MacroEdits, RebuildListsAMacroThatStartsWithAKeyWithoutCode) {
    // A key without a key code (code 0) first: the lists still follow the events.
    MacroRecording m = MacroOf({Press(0), Wait(1), Press(B)});
    lists.EventLines = {L"stale"};
    RebuildLists(m, names, lists);
    EXPECT_EQ(lists.EventLines, (std::vector<std::wstring>{L" Press", L"B Press"}));

    // A Count without any event data lists nothing.
    MacroRecording noData;
    noData.Count = 3;
    RebuildLists(noData, names, lists);
    EXPECT_TRUE(lists.EventLines.empty());
    EXPECT_TRUE(lists.DelayLines.empty());
}

struct LineEditCase {
    const char* what;
    Events before;
    int line;
    Events after;
    int selected;
};

TEST_F(MacroEdits, DeleteEventLine) {
    const LineEditCase cases[] = {
        {"middle line with its delay",
         {Press(A), Wait(1), Press(B), Wait(2), Press(C), Wait(3)},
         1,
         {Press(A), Wait(1), Press(C), Wait(3)},
         1},
        {"first line", {Press(A), Wait(1), Press(B), Wait(2)}, 0, {Press(B), Wait(2)}, 0},
        {"last event without a delay takes the one before",
         {Press(A), Wait(1), Press(B), Wait(2), Press(C)},
         2,
         {Press(A), Wait(1), Press(B)},
         NO_LINE},
        {"last pair", {Press(A), Wait(1), Press(B), Wait(2)}, 1, {Press(A), Wait(1)}, NO_LINE},
        {"only line", {Press(A), Wait(1)}, 0, {}, NO_LINE},
        {"only event", {Press(A)}, 0, {}, NO_LINE},
        {"line past the end",
         {Press(A), Wait(1), Press(B), Wait(2)},
         2,
         {Press(A), Wait(1), Press(B), Wait(2)},
         NO_LINE},
        {"no selection", {Press(A), Wait(1)}, -1, {Press(A), Wait(1)}, NO_LINE},
    };
    for (const LineEditCase& c : cases) {
        MacroRecording m = MacroOf(c.before);
        EXPECT_EQ(DeleteEventLine(m, names, lists, c.line), c.selected) << c.what;
        EXPECT_EQ(EventsOf(m), c.after) << c.what;
        EXPECT_EQ(m.Events[static_cast<size_t>(m.Count)], MacroEvent{}) << c.what << ": tail cleared";
    }
}

TEST_F(MacroEdits, DeleteRebuildsTheLists) {
    MacroRecording m = MacroOf({Press(A), Wait(1), Press(B), Wait(2)});
    DeleteEventLine(m, names, lists, 0);
    EXPECT_EQ(lists.EventLines, (std::vector<std::wstring>{L"B Press"}));
    EXPECT_EQ(lists.DelayLines, (std::vector<std::wstring>{L"100 ms"}));
    DeleteEventLine(m, names, lists, 0);
    EXPECT_TRUE(lists.EventLines.empty());
    EXPECT_TRUE(lists.DelayLines.empty());
}

TEST_F(MacroEdits, MoveEventLineUp) {
    const LineEditCase cases[] = {
        {"pairs change places",
         {Press(A), Wait(1), Press(B), Wait(2), Press(C), Wait(3)},
         1,
         {Press(B), Wait(2), Press(A), Wait(1), Press(C), Wait(3)},
         0},
        {"line 0 cannot move up",
         {Press(A), Wait(1), Press(B), Wait(2)},
         0,
         {Press(A), Wait(1), Press(B), Wait(2)},
         NO_LINE},
        // The moved event had no delay: it takes the closing delay of 0 ms, and the
        // event now at the end goes without one.
        {"last event without delay", {Press(A), Wait(1), Press(B)}, 1, {Press(B), Wait(0), Press(A)}, 0},
        {"line past the end", {Press(A), Wait(1)}, 1, {Press(A), Wait(1)}, NO_LINE},
    };
    for (const LineEditCase& c : cases) {
        MacroRecording m = MacroOf(c.before);
        EXPECT_EQ(MoveEventLineUp(m, names, lists, c.line), c.selected) << c.what;
        EXPECT_EQ(EventsOf(m), c.after) << c.what;
    }
}

TEST_F(MacroEdits, MoveEventLineDown) {
    const LineEditCase cases[] = {
        {"pairs change places",
         {Press(A), Wait(1), Press(B), Wait(2), Press(C), Wait(3)},
         1,
         {Press(A), Wait(1), Press(C), Wait(3), Press(B), Wait(2)},
         2},
        {"last line cannot move down",
         {Press(A), Wait(1), Press(B), Wait(2)},
         1,
         {Press(A), Wait(1), Press(B), Wait(2)},
         NO_LINE},
        {"one-line macro", {Press(A), Wait(1)}, 0, {Press(A), Wait(1)}, NO_LINE},
        {"into the last pair without delay",
         {Press(A), Wait(1), Press(B), Wait(2), Press(C)},
         1,
         {Press(A), Wait(1), Press(C), Wait(0), Press(B)},
         2},
    };
    for (const LineEditCase& c : cases) {
        MacroRecording m = MacroOf(c.before);
        EXPECT_EQ(MoveEventLineDown(m, names, lists, c.line), c.selected) << c.what;
        EXPECT_EQ(EventsOf(m), c.after) << c.what;
    }
}

TEST_F(MacroEdits, MovesNeverTouchTheEntryPastCount) {
    // A full macro of odd length: the entry after Count is outside the block.
    MacroRecording m;
    m.Count = MACRO_EVENT_MAX - 1;
    for (int i = 0; i < m.Count; ++i) m.Events[static_cast<size_t>(i)] = i % 2 ? Wait(1) : Press(A);
    m.Events[MACRO_EVENT_MAX - 2] = Press(C);
    m.Events[MACRO_EVENT_MAX - 1] = MacroEvent{0x99, 7};  // past Count: must stay as it is
    const int last = (MACRO_EVENT_MAX - 2) / 2;
    EXPECT_EQ(MoveEventLineDown(m, names, lists, last - 1), last);
    EXPECT_EQ(m.Events[MACRO_EVENT_MAX - 3], Wait(0));
    EXPECT_EQ(m.Events[MACRO_EVENT_MAX - 2], Press(A));
    EXPECT_EQ(m.Events[MACRO_EVENT_MAX - 1], (MacroEvent{0x99, 7}));
    EXPECT_EQ(MoveEventLineUp(m, names, lists, last), last - 1);
    EXPECT_EQ(m.Events[MACRO_EVENT_MAX - 1], (MacroEvent{0x99, 7}));
}

TEST_F(MacroEdits, MoveButtonsFollowTheSelection) {
    struct Case {
        int selected, lines;
        bool up, down;
    } const cases[] = {
        {-1, 3, false, false}, {0, 3, false, true}, {1, 3, true, true},
        {2, 3, true, false},   {0, 1, false, true},  // a one-line macro keeps move-down enabled
        {5, 3, false, false},
    };
    for (const Case& c : cases) {
        MoveButtons b = MoveButtonsFor(c.selected, c.lines);
        EXPECT_EQ(b.Up, c.up) << c.selected << " of " << c.lines;
        EXPECT_EQ(b.Down, c.down) << c.selected << " of " << c.lines;
    }
}

TEST_F(MacroEdits, InsertCommandBeforeALine) {
    MacroRecording m = MacroOf({Press(A), Wait(1), Release(A), Wait(2)});
    ASSERT_TRUE(InsertCommandBefore(m, names, lists, 0, 2));
    EXPECT_EQ(EventsOf(m), (Events{Cmd(2), Wait(0), Press(A), Wait(1), Release(A), Wait(2)}));
    EXPECT_EQ(lists.EventLines, (std::vector<std::wstring>{L"Copy", L"A Press", L"A Release"}));
    EXPECT_EQ(lists.DelayLines.front(), L"0 ms");

    ASSERT_TRUE(InsertCommandBefore(m, names, lists, 2, 21));
    EXPECT_EQ(EventsOf(m)[4], Cmd(21));
    EXPECT_EQ(EventsOf(m)[6], Release(A));
}

TEST_F(MacroEdits, InsertCommandRefusals) {
    MacroRecording m = MacroOf({Press(A), Wait(1)});
    EXPECT_FALSE(InsertCommandBefore(m, names, lists, 0, -1)) << "no command chosen";
    EXPECT_FALSE(InsertCommandBefore(m, names, lists, 0, 22)) << "no such command";
    EXPECT_FALSE(InsertCommandBefore(m, names, lists, 1, 0)) << "no such line";
    EXPECT_EQ(m.Count, 2);

    MacroRecording full;
    full.Count = MACRO_COMMAND_LIMIT;
    EXPECT_FALSE(InsertCommandBefore(full, names, lists, 0, 0));
    full.Count = MACRO_COMMAND_LIMIT - 1;
    EXPECT_TRUE(InsertCommandBefore(full, names, lists, 0, 0));
}

TEST_F(MacroEdits, InsertScrollsBothListsToTheirLastLines) {
    Events events;
    for (int i = 0; i < 14; ++i) events.insert(events.end(), {Press(A), Wait(1)});
    MacroRecording m = MacroOf(events);
    ASSERT_TRUE(InsertCommandBefore(m, names, lists, 3, 0));
    EXPECT_EQ(lists.EventLines.size(), 15u);
    EXPECT_EQ(lists.Top, 1);
}

TEST_F(MacroEdits, ApplyDelayToLine) {
    struct Case {
        const wchar_t* text;
        std::uint8_t units;
        const wchar_t* line;
    } const cases[] = {
        {L"430", 8, L"400 ms"}, {L"99999", 255, L"12750 ms"}, {L"-5", 0, L"0 ms"},
        {L"", 0, L"0 ms"},      {L"49", 0, L"0 ms"},
    };
    for (const Case& c : cases) {
        MacroRecording m = MacroOf({Press(A), Wait(1), Release(A), Wait(2)});
        RebuildLists(m, names, lists);
        ASSERT_TRUE(ApplyDelayToLine(m, lists, 1, c.text)) << c.text;
        EXPECT_EQ(m.Events[3], Wait(c.units)) << c.text;
        EXPECT_EQ(lists.DelayLines[1], c.line) << c.text;
        EXPECT_EQ(m.Events[1], Wait(1)) << c.text;
    }
}

TEST_F(MacroEdits, ApplyDelayOnlyToDelaysWithinTheMacro) {
    MacroRecording m = MacroOf({Press(A), Wait(1), Release(A)});
    EXPECT_FALSE(ApplyDelayToLine(m, lists, 1, L"100")) << "no delay after the last event";
    EXPECT_EQ(m.Events[3], MacroEvent{});
    EXPECT_FALSE(ApplyDelayToLine(m, lists, -1, L"100"));

    MacroRecording keys = MacroOf({Press(A), Press(B)});  // two keys in a row
    EXPECT_FALSE(ApplyDelayToLine(keys, lists, 0, L"100")) << "a key is not a delay";
    EXPECT_EQ(keys.Events[1], Press(B));
}

TEST_F(MacroEdits, StepDelayText) {
    struct Case {
        const wchar_t* text;
        bool up;
        bool changed;
        const wchar_t* result;
    } const cases[] = {
        {L"100", true, true, L"150"},     {L"120", true, true, L"150"},  {L"100", false, true, L"50"},
        {L"40", false, true, L"0"},       {L"0", false, true, L"0"},     {L"-100", true, true, L"50"},
        {L"12700", true, true, L"12750"}, {L"12750", true, false, L""},  {L"99999", true, false, L""},
        {L"12750", false, false, L""},    {L"99999", false, false, L""}, {L"12700", false, true, L"12650"},
        {L"", true, false, L""},          {L"", false, false, L""},      {L"abc", true, true, L"50"},
    };
    for (const Case& c : cases) {
        std::wstring out;
        EXPECT_EQ(StepDelayText(c.text, c.up, out), c.changed) << c.text << (c.up ? " +" : " -");
        if (c.changed) {
            EXPECT_EQ(out, c.result) << c.text;
        }
    }
}

TEST_F(MacroEdits, DelayTogglesExcludeEachOther) {
    MacroRecording m;
    ToggleIgnoreDelay(m);
    EXPECT_EQ(m.IgnoreDelay, 1);
    ToggleDefaultDelay(m);
    EXPECT_EQ(m.IgnoreDelay, 0);
    EXPECT_EQ(m.DefaultDelay, 1);
    ToggleDefaultDelay(m);
    EXPECT_EQ(m.DefaultDelay, 0);
    EXPECT_EQ(m.IgnoreDelay, 0);
    ToggleIgnoreDelay(m);
    ToggleIgnoreDelay(m);
    EXPECT_EQ(m.IgnoreDelay, 0);
}

}  // namespace
