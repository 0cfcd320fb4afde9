#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "macro/EditorButtons.h"

using namespace zavo;

namespace {

// The pressable buttons among those that change, e.g. "7 8 +box".
std::string Pressable(const MacroEditorButtons& b) {
    std::string out;
    for (int n : {6, 7, 8, 9, 10, 11, 12, 13, 15, 17, 18, 21})
        if (b.Enabled(n)) out += (out.empty() ? "" : " ") + std::to_string(n);
    if (b.DelayBoxEnabled()) out += out.empty() ? "+box" : " +box";
    return out;
}

using Step = std::function<void(MacroEditorButtons&)>;

struct Scenario {
    const char* what;
    std::vector<Step> steps;
    const char* pressable;
};

const Step created = [](MacroEditorButtons& b) { b.MacroCreated(); };
const Step picked = [](MacroEditorButtons& b) { b.MacroPicked(); };
const Step deleted = [](MacroEditorButtons& b) { b.MacroDeleted(); };
const Step recording = [](MacroEditorButtons& b) { b.RecordingStarted(); };
const Step ended = [](MacroEditorButtons& b) { b.RecordingEnded(); };
const Step stopped = [](MacroEditorButtons& b) { b.RecordingStopped(); };
const Step emptied = [](MacroEditorButtons& b) { b.EventListEmptied(); };
Step EventLine(int line, int count) {
    return [=](MacroEditorButtons& b) { b.EventLineSelected(line, count); };
}
Step DelayLine(bool selected) {
    return [=](MacroEditorButtons& b) { b.DelayLineSelected(selected); };
}

TEST(MacroEditorButtons, FollowWhatHappensInTheEditor) {
    const Scenario scenarios[] = {
        {"opened: nothing current", {}, ""},
        {"new macro: record and delete, no export of an empty macro yet", {created}, "7 8"},
        {"picked macro", {picked}, "6 7 8"},
        {"recording offers stop and the commands", {picked, recording}, "6 7 8 9 15 21"},
        {"stop takes stop and the commands away", {picked, recording, stopped}, "6 7 8"},
        {"DONE or another button ends a recording: no line is selected, so insert and the command menu go too",
         {picked, recording, ended},
         "6 7 8"},
        {"ending no recording keeps a selected line's buttons", {picked, EventLine(1, 3), ended}, "6 7 8 10 11 12 15 21"},
        {"ending no recording keeps a selected delay's buttons", {picked, DelayLine(true), ended}, "6 7 8 13 17 18 +box"},
        {"first line of several: down only", {picked, EventLine(0, 3)}, "6 7 8 10 12 15 21"},
        {"middle line: both moves", {picked, EventLine(1, 3)}, "6 7 8 10 11 12 15 21"},
        {"last line: up only", {picked, EventLine(2, 3)}, "6 7 8 10 11 15 21"},
        {"the only line keeps down (it moves nothing)", {picked, EventLine(0, 1)}, "6 7 8 10 12 15 21"},
        {"no event line selected", {picked, EventLine(-1, 3)}, "6 7 8"},
        {"delay line: the delay buttons and box, no line buttons",
         {picked, EventLine(1, 3), DelayLine(true)},
         "6 7 8 13 17 18 +box"},
        {"event line after a delay line takes the delay buttons away",
         {picked, DelayLine(true), EventLine(0, 2)},
         "6 7 8 10 12 15 21"},
        {"delay selection cleared", {picked, DelayLine(true), DelayLine(false)}, "6 7 8"},
        {"recording takes the line and delay buttons away", {picked, DelayLine(true), recording}, "6 7 8 9 15 21"},
        {"last line deleted", {picked, EventLine(0, 1), emptied}, "6 7 8"},
        {"deleted: back to nothing current", {picked, DelayLine(true), deleted}, ""},
        {"new after a pick keeps export, drops the line buttons", {picked, EventLine(1, 3), created}, "6 7 8"},
        {"a pick fills the lists again: no line selected", {picked, DelayLine(true), picked}, "6 7 8"},
    };
    for (const Scenario& s : scenarios) {
        MacroEditorButtons b;
        for (const Step& step : s.steps) step(b);
        EXPECT_EQ(Pressable(b), s.pressable) << s.what;
    }
}

TEST(MacroEditorButtons, TheFixedButtonsAlwaysPressAndOutOfRangeNever) {
    MacroEditorButtons b;
    for (int n : {1, 2, 3, 4, 5, 14, 16, 19, 20}) EXPECT_TRUE(b.Enabled(n)) << n;
    b.RecordingStarted();
    b.MacroDeleted();
    for (int n : {1, 2, 3, 4, 5, 14, 16, 19, 20}) EXPECT_TRUE(b.Enabled(n)) << n;
    for (int n : {0, -1, 22}) EXPECT_FALSE(b.Enabled(n)) << n;
}

}  // namespace
