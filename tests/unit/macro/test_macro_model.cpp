#include <gtest/gtest.h>

#include <functional>

#include "MacroFixture.h"
#include "macro/MacroModel.h"

using namespace zavo;
using namespace macrotest;

namespace {

TEST(MacroModel, ParseDecimalReadsLikeTheEditBoxes) {
    const std::pair<const wchar_t*, std::int32_t> cases[] = {
        {L"430", 430},
        {L"  12", 12},
        {L"+7", 7},
        {L"-40", -40},
        {L"12abc", 12},
        {L"abc", 0},
        {L"", 0},
        {L"-", 0},
        {L"\t99", 99},
        {L"99999999999", INT32_MAX},
        {L"-99999999999", INT32_MIN},
    };
    for (auto [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << "\"" << text << "\"";
}

TEST(MacroModel, EventKindsAndTheirLines) {
    EXPECT_EQ(KindOf(Wait(3)), MacroEventKind::Delay);
    EXPECT_EQ(KindOf(Cmd(2)), MacroEventKind::Command);
    EXPECT_EQ(KindOf(Press(A)), MacroEventKind::Key);
    EXPECT_EQ(KindOf(MacroEvent{0, 0}), MacroEventKind::Key);

    EXPECT_EQ(DelayLine(8), L"400 ms");
    EXPECT_EQ(DelayLine(255), L"12750 ms");
    EXPECT_EQ(KeyLine(Press(A)), L"A Press");
    EXPECT_EQ(KeyLine(Release(A)), L"A Release");
    EXPECT_EQ(KeyLine(MacroEvent{A, 3}), L"A Press");  // odd byte 1 is a press
    EXPECT_EQ(KeyLine(MacroEvent{0x87, 2}), L"\\ Release");
    EXPECT_EQ(KeyLine(MacroEvent{0, 1}), L" Press");  // a key without a key code
}

TEST(MacroModel, CommandNamesComeFromTheLanguageTexts) {
    std::vector<std::wstring> texts(85);
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = L"T" + std::to_wstring(i);
    const CommandNames names = MakeCommandNames(texts);
    const std::pair<int, const wchar_t*> cases[] = {
        {0, L"T29"},  {11, L"T40"},       {12, L"T76"},         {13, L"T77"}, {14, L"T41"}, {18, L"T45"},
        {19, L"T78"}, {20, L"Scroll Up"}, {21, L"Scroll Down"}, {22, L""},    {-1, L""},
    };
    for (auto [index, text] : cases) EXPECT_EQ(CommandName(names, index), text) << index;

    // Before the language module is loaded only the fixed names exist.
    const CommandNames bare = MakeCommandNames({});
    EXPECT_EQ(CommandName(bare, 0), L"");
    EXPECT_EQ(CommandName(bare, 21), L"Scroll Down");
}

TEST(MacroModel, ClearAndValidCount) {
    MacroRecording m = MacroOf({Press(A), Wait(2)});
    m.IgnoreDelay = 1;
    m.DefaultDelayValue = 300;
    m.Clear();
    EXPECT_EQ(m.Count, 0);
    EXPECT_EQ(m.IgnoreDelay, 0);
    EXPECT_EQ(m.DefaultDelayValue, 50);
    EXPECT_EQ(m.Events[0], MacroEvent{});

    m.Count = 9000;
    EXPECT_EQ(m.ValidCount(), 5440);
    m.Count = -4;
    EXPECT_EQ(m.ValidCount(), 0);
}

TEST(MacroModel, SameContentComparesWhatASaveStores) {
    const MacroRecording saved = MacroOf({Press(A), Wait(3), Release(A), Wait(0)});
    struct Case {
        const char* what;
        std::function<void(MacroRecording&)> change;
        bool same;
    } const cases[] = {
        {"untouched", [](MacroRecording&) {}, true},
        {"bytes beyond Count", [](MacroRecording& m) { m.Events[10] = Press(B); }, true},
        {"a delay changed", [](MacroRecording& m) { m.Events[1] = Wait(4); }, false},
        {"a step less", [](MacroRecording& m) { m.Count = 2; }, false},
        {"no delays", [](MacroRecording& m) { m.IgnoreDelay = 1; }, false},
        {"fixed delay", [](MacroRecording& m) { m.DefaultDelay = 1; }, false},
        {"fixed delay value", [](MacroRecording& m) { m.DefaultDelayValue = 100; }, false},
    };
    for (const Case& c : cases) {
        MacroRecording now = saved;
        c.change(now);
        EXPECT_EQ(SameContent(saved, now), c.same) << c.what;
        EXPECT_EQ(SameContent(now, saved), c.same) << c.what;
    }
}

}  // namespace
