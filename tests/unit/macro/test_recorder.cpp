#include <gtest/gtest.h>

#include "MacroFixture.h"
#include "macro/KeyTables.h"
#include "macro/MacroRecorder.h"

using namespace zavo;
using namespace macrotest;

namespace {

using Events = std::vector<MacroEvent>;
using Lines = std::vector<std::wstring>;
using Result = MacroRecorder::KeyResult;

constexpr std::int32_t VK_A = 0x41, VK_B = 0x42;

// One key report as the hook sends it, and what the recorder answers.
struct Report {
    std::int32_t vk;
    std::uint32_t up;
    std::uint32_t tick;
    Result expected = Result::Recorded;
};

class Recorder : public ::testing::Test {
protected:
    Recorder() : names(MakeCommandNames(Texts())), recorder(macro, lists, names, memory) {}

    static std::vector<std::wstring> Texts() {
        std::vector<std::wstring> t(85);
        t[29] = L"Page Up";
        t[31] = L"Copy";
        return t;
    }

    void Feed(const std::vector<Report>& reports, const std::wstring& layout = L"EN") {
        for (const Report& r : reports) {
            EXPECT_EQ(recorder.OnKeyReport(r.vk, r.up, r.tick, layout), r.expected)
                << "vk " << r.vk << " up " << r.up << " at " << r.tick;
        }
    }

    MacroRecording macro;
    MacroLists lists;
    CommandNames names;
    RecorderMemory memory;
    MacroRecorder recorder;
};

TEST_F(Recorder, MeasuredDelaysAndTheClosingDelay) {
    recorder.Start();
    Feed({{VK_A, 0, 1000}, {VK_A, 1, 1430}, {VK_B, 0, 1500}, {VK_B, 1, 1549}});
    recorder.Stop();
    EXPECT_EQ(EventsOf(macro),
              (Events{Press(A), Wait(8), Release(A), Wait(1), Press(B), Wait(0), Release(B), Wait(0)}));
    EXPECT_EQ(lists.EventLines, (Lines{L"A Press", L"A Release", L"B Press", L"B Release"}));
    EXPECT_EQ(lists.DelayLines, (Lines{L"400 ms", L"50 ms", L"0 ms", L"0 ms"}));
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(memory.LastTick, 0u);
}

TEST_F(Recorder, HeldKeyGivesOnePressAndOneRelease) {
    recorder.Start();
    Feed({{VK_A, 0, 100},
          {VK_A, 0, 130, Result::Repeated},
          {VK_A, 0, 160, Result::Repeated},
          {VK_A, 5, 400},  // any non-zero release flag is a release
          {VK_A, 1, 420, Result::Repeated}});
    EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(6), Release(A)}));
}

TEST_F(Recorder, LongPauseIsCappedAt255Units) {
    recorder.Start();
    Feed({{VK_A, 0, 1000}, {VK_A, 1, 21000}});
    EXPECT_EQ(EventsOf(macro)[1], Wait(255));
    EXPECT_EQ(lists.DelayLines, (Lines{L"12750 ms"}));
}

TEST_F(Recorder, TickCountWrappingAround) {
    recorder.Start();
    Feed({{VK_A, 0, 0xFFFFFFF0u}, {VK_A, 1, 0x100}});  // 272 ms across the wrap
    EXPECT_EQ(EventsOf(macro)[1], Wait(5));
}

TEST_F(Recorder, DefaultDelayValues) {
    const std::pair<std::int32_t, std::uint8_t> cases[] = {{20, 1}, {99999, 255}, {430, 8}, {-30, 1}, {0, 1}};
    for (auto [ms, units] : cases) {
        macro.DefaultDelay = 1;
        macro.DefaultDelayValue = ms;
        recorder.Start();
        Feed({{VK_A, 0, 1000}, {VK_A, 1, 9000}});
        recorder.End();
        EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(units), Release(A)})) << ms << " ms";
        EXPECT_EQ(lists.DelayLines, (Lines{DelayLine(units)}));
    }
}

TEST_F(Recorder, IgnoreDelayStoresZeroAndNoClosingDelay) {
    macro.IgnoreDelay = 1;
    macro.DefaultDelay = 0;
    recorder.Start();
    Feed({{VK_A, 0, 1000}, {VK_A, 1, 3000}});
    recorder.Stop();
    EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(0), Release(A)}));
    EXPECT_EQ(lists.DelayLines, (Lines{L"0 ms"}));
}

TEST_F(Recorder, EndingWithoutStopAddsNoClosingDelay) {
    recorder.Start();
    Feed({{VK_A, 0, 1000}});
    recorder.End();
    EXPECT_EQ(EventsOf(macro), (Events{Press(A)}));
    EXPECT_EQ(memory.LastTick, 0u);
    recorder.Start();
    recorder.Stop();  // an empty recording gets no closing delay either
    EXPECT_EQ(macro.Count, 0);
}

TEST_F(Recorder, ClosingDelayOnlyAfterAnEvent) {
    // Stop pressed again, or after a full macro ended the recording, must not add
    // a second delay: the event and delay lists would fall out of step.
    recorder.Start();
    Feed({{VK_A, 0, 1000}});
    recorder.Stop();
    recorder.Stop();
    EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(0)}));
    EXPECT_EQ(lists.DelayLines, (Lines{L"0 ms"}));

    // A macro that already ends with a delay (set up by hand: Start empties it).
    recorder.Start();
    Feed({{VK_B, 0, 1000}});
    macro.Events[1] = Wait(3);
    macro.Count = 2;
    recorder.Stop();
    EXPECT_EQ(EventsOf(macro), (Events{Press(B), Wait(3)}));

    // A command ends the macro: it gets its closing delay.
    recorder.Start();
    Feed({{VK_A, 0, 1000}});
    ASSERT_EQ(recorder.AppendCommand(2, 1100), MacroRecorder::CommandResult::Appended);
    recorder.Stop();
    EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(2), Cmd(2), Wait(0)}));
    EXPECT_EQ(lists.EventLines.size(), lists.DelayLines.size());
}

TEST_F(Recorder, NewRecordingDropsARepeatOfThePreviousLastReport) {
    recorder.Start();
    Feed({{VK_A, 0, 1000}, {VK_A, 1, 1100}});
    recorder.Stop();
    recorder.Start();
    EXPECT_EQ(macro.Count, 0);
    EXPECT_TRUE(lists.EventLines.empty());
    Feed({{VK_A, 1, 5000, Result::Repeated}, {VK_B, 0, 5100}});
    EXPECT_EQ(EventsOf(macro), (Events{Press(B)}));
}

// The key that pressed Record (Enter on the focused button) is released after
// the recording started: a release without its press is no step of the macro.
TEST_F(Recorder, AReleaseWithoutItsPressIsNotRecorded) {
    recorder.Start();
    Feed({{0x0D, 1, 1000, Result::Repeated}, {VK_A, 0, 1100}, {VK_A, 1, 1200}, {VK_B, 1, 1300, Result::Repeated}});
    EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(2), Release(A)}));
}

TEST_F(Recorder, ReportsAreIgnoredWhileNotRecording) {
    Feed({{VK_A, 0, 1000, Result::NotRecording}});
    EXPECT_EQ(macro.Count, 0);
    EXPECT_TRUE(lists.EventLines.empty());
}

TEST_F(Recorder, JapaneseLayoutSubstitutions) {
    struct Case {
        std::int32_t vk;
        const wchar_t* layout;
        std::uint8_t code;
        const wchar_t* line;
    } const cases[] = {
        {0xEB, L"JP", 0x9D, L"\u7121\u53D8\u5316 Press"},
        {0xFF, L"JP", 0x9E, L"\\ Press"},
        {0xEB, L"EN", 0x00, L" Press"},  // no key code: recorded as 0 with an empty name
        {VK_A, L"JP", A, L"A Press"},
    };
    for (const Case& c : cases) {
        recorder.Start();
        std::wstring name = L"unset";
        EXPECT_EQ(recorder.OnKeyReport(c.vk, 0, 1000, c.layout, &name), Result::Recorded);
        recorder.End();
        memory = RecorderMemory();
        EXPECT_EQ(EventsOf(macro), (Events{Press(c.code)})) << c.vk;
        EXPECT_EQ(lists.EventLines, (Lines{c.line})) << c.vk;
        EXPECT_EQ(name + L" Press", c.line);
    }
}

TEST_F(Recorder, FullMacroEndsTheRecording) {
    recorder.Start();
    macro.Count = MACRO_EVENT_MAX - 2;  // room for one more delay and key
    Feed({{VK_A, 0, 1000}});
    EXPECT_EQ(macro.Count, MACRO_EVENT_MAX);
    Feed({{VK_A, 1, 1100, Result::Full}});
    EXPECT_FALSE(recorder.IsRecording());
    recorder.Stop();  // no room for the closing delay
    EXPECT_EQ(macro.Count, MACRO_EVENT_MAX);

    recorder.Start();
    macro.Count = MACRO_EVENT_MAX - 1;
    Feed({{VK_B, 0, 1000, Result::Full}});
    EXPECT_EQ(macro.Count, MACRO_EVENT_MAX - 1);
    recorder.Stop();  // the recording already ended: no closing delay
    EXPECT_EQ(macro.Count, MACRO_EVENT_MAX - 1);
}

TEST_F(Recorder, AppendingACommand) {
    recorder.Start();
    Feed({{VK_A, 0, 1000}});
    EXPECT_EQ(recorder.AppendCommand(2, 1230), MacroRecorder::CommandResult::Appended);
    EXPECT_EQ(memory.LastVk, VK_A) << "a held A still repeats after the command";
    Feed({{VK_A, 1, 1300}});
    EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(4), Cmd(2), Wait(1), Release(A)}));
    EXPECT_EQ(lists.EventLines, (Lines{L"A Press", L"Copy", L"A Release"}));
    EXPECT_EQ(lists.DelayLines, (Lines{L"200 ms", L"50 ms"}));

    EXPECT_EQ(recorder.AppendCommand(-1, 1400), MacroRecorder::CommandResult::Ignored);
    EXPECT_EQ(recorder.AppendCommand(22, 1400), MacroRecorder::CommandResult::Ignored);
    recorder.End();
    EXPECT_EQ(recorder.AppendCommand(0, 1400), MacroRecorder::CommandResult::Ignored);
}

TEST_F(Recorder, DelaysAroundACommandAddUpToTheRealGap) {
    // a, 6 s, a command, 0.6 s, b: the two delays together are the 6.6 s that passed.
    recorder.Start();
    Feed({{VK_A, 0, 10000}});
    ASSERT_EQ(recorder.AppendCommand(0, 16000), MacroRecorder::CommandResult::Appended);
    Feed({{VK_B, 0, 16600}});
    EXPECT_EQ(EventsOf(macro), (Events{Press(A), Wait(120), Cmd(0), Wait(12), Press(B)}));
}

TEST_F(Recorder, CommandFirstThenAKeyMeasuresFromTheCommand) {
    recorder.Start();
    EXPECT_EQ(recorder.AppendCommand(0, 5000), MacroRecorder::CommandResult::Appended);
    Feed({{VK_A, 0, 7000}});
    EXPECT_EQ(EventsOf(macro), (Events{Cmd(0), Wait(40), Press(A)}));
    EXPECT_EQ(lists.EventLines, (Lines{L"Page Up", L"A Press"}));
}

TEST_F(Recorder, CommandNearTheLimitEndsTheRecording) {
    recorder.Start();
    macro.Count = MACRO_COMMAND_LIMIT;
    EXPECT_EQ(recorder.AppendCommand(0, 1000), MacroRecorder::CommandResult::Full);
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(macro.Count, MACRO_COMMAND_LIMIT);
}

TEST_F(Recorder, ListsScrollToTheirLast14Lines) {
    recorder.Start();
    std::vector<Report> reports;
    for (std::uint32_t i = 0; i < 16; ++i) reports.push_back({VK_A, i % 2, 1000 + 100 * i});
    Feed(reports);
    EXPECT_EQ(lists.EventLines.size(), 16u);
    EXPECT_EQ(lists.DelayLines.size(), 15u);
    EXPECT_EQ(lists.Top, 2) << "one first row for both lists: the delay beside each step is its own";

    recorder.Stop();  // the rebuilt lists start at the top again
    EXPECT_EQ(lists.DelayLines.size(), 16u);
    EXPECT_EQ(lists.Top, 0);
}

}  // namespace

// Every key is recorded, Escape and Enter included; Escape twice in a row is
// the way out, and the first of the two is taken out again.
TEST_F(Recorder, EscapeTwiceInARowLeavesAndKeepsNeitherEscape) {
    constexpr std::int32_t VK_ESC = 0x1B;
    const std::uint8_t esc = VkToKeyCode(VK_ESC);
    ASSERT_NE(esc, 0);
    struct Case {
        const char* what;
        std::vector<Report> reports;
        Events kept;
        bool stillRecording;
    } const cases[] = {
        {"after a key: its closing delay as Stop gives",
         {{VK_A, 0, 1000},
          {VK_A, 1, 1100},
          {VK_ESC, 0, 1500},
          {VK_ESC, 1, 1600},
          {VK_ESC, 0, 1700, Result::Left},
          {VK_ESC, 1, 1800, Result::NotRecording}},
         {Press(A), Wait(2), Release(A), Wait(0)},
         false},
        {"at the start: nothing", {{VK_ESC, 0, 1000}, {VK_ESC, 1, 1100}, {VK_ESC, 0, 1200, Result::Left}}, {}, false},
        {"a key between: both recorded",
         {{VK_ESC, 0, 1000}, {VK_ESC, 1, 1100}, {VK_B, 0, 1200}, {VK_B, 1, 1300}, {VK_ESC, 0, 1400}},
         {Press(esc), Wait(2), Release(esc), Wait(2), Press(B), Wait(2), Release(B), Wait(2), Press(esc)},
         true},
        {"a held Escape is one press",
         {{VK_ESC, 0, 1000}, {VK_ESC, 0, 1050, Result::Repeated}, {VK_ESC, 1, 1100}},
         {Press(esc), Wait(2), Release(esc)},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        memory = RecorderMemory();
        recorder.Start();
        Feed(c.reports);
        EXPECT_EQ(EventsOf(macro), c.kept);
        EXPECT_EQ(recorder.IsRecording(), c.stillRecording);
        // The lists show what the macro holds, and no entry past Count is left behind.
        if (!c.stillRecording) {
            EXPECT_EQ(lists.EventLines.size(), lists.DelayLines.size());
            for (int i = macro.Count; i < MACRO_EVENT_MAX; ++i)
                ASSERT_EQ(macro.Events[static_cast<size_t>(i)], MacroEvent{});
        }
    }
}
