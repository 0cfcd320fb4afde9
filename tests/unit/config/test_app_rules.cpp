// Profiles by application: which profile the program in front gets, what the
// rules file keeps through a write and a read, what a damaged or hand-edited
// file gives, and the switcher's decision.
#include <gtest/gtest.h>

#include "ConfigFixtures.h"
#include "TempDir.h"
#include "config/AppRules.h"
#include "platform/TextCodec.h"

using namespace zavo;
using namespace zavo::apps;
using zavo::testing::Bytes;
using zavo::testing::Put;

namespace {

AppRules Sample() {
    AppRules r;
    r.rules = {{L"game.exe", 1}, {L"C:\\Tools\\Editor.exe", 3}, {L"editor.exe", 2}};
    r.fallback = 4;
    return r;
}

}  // namespace

TEST(AppRules, ProfileForTheProgramInFront) {
    const AppRules rules = Sample();
    AppRules keep = rules;
    keep.fallback = KEEP_PROFILE;
    struct Case {
        const char* what;
        const AppRules& rules;
        const wchar_t* image;
        int profile;
    } cases[] = {
        {"by name", rules, L"D:\\Games\\game.exe", 1},
        {"name without regard to case", rules, L"D:\\GAMES\\GAME.EXE", 1},
        {"a name rule matches the file name, not a folder", rules, L"C:\\game.exe\\other.exe", 4},
        {"a name must match whole", rules, L"C:\\x\\mygame.exe", 4},
        {"the path rule wins over the name rule", rules, L"c:\\tools\\editor.exe", 3},
        {"forward slashes are separators", rules, L"C:/Tools/editor.exe", 3},
        {"same name elsewhere: the name rule", rules, L"E:\\editor.exe", 2},
        {"no rule: the fallback profile", rules, L"C:\\Windows\\explorer.exe", 4},
        {"no rule, fallback keep", keep, L"C:\\Windows\\explorer.exe", KEEP_PROFILE},
        {"a process that could not be opened: no rule matches", rules, L"", 4},
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileFor(c.rules, c.image), c.profile) << c.what;
}

TEST(AppRules, FileKeepsWhatWasWritten) {
    TempDir dir;
    const std::wstring path = RulesFilePath(dir.path());
    AppRules rules = Sample();
    rules.rules.push_back({L"C:\\Spiele\\Größe ゲーム.exe", 0});
    rules.automatic = false;
    ASSERT_TRUE(WriteAppRules(path, rules));
    std::vector<RulesProblem> problems;
    EXPECT_EQ(ReadAppRules(path, &problems), rules);
    EXPECT_TRUE(problems.empty());

    // Fewer rules: the old ones beyond the count are emptied, not left to come back.
    rules.rules.resize(1);
    rules.fallback = KEEP_PROFILE;
    ASSERT_TRUE(WriteAppRules(path, rules));
    EXPECT_EQ(ReadAppRules(path), rules);
    EXPECT_EQ(Bytes(path).find("editor.exe"), std::string::npos);

    // A missing file: no rules, keep the profile, switching on.
    EXPECT_EQ(ReadAppRules(dir.path() + L"none.ini"), AppRules{});
}

TEST(AppRules, DamagedFilesKeepWhatIsValid) {
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::wstring> apps;  // the rules read
        std::vector<RulesProblem> problems;
        int fallback = KEEP_PROFILE;
    } cases[] = {
        {"sound", "[SWITCH]\r\nCount=1\r\nFallback=2\r\n[RULES]\r\nApp0=a.exe\r\nProfile0=5\r\n", {L"a.exe"}, {}, 1},
        {"empty application",
         "[SWITCH]\r\nCount=2\r\n[RULES]\r\nApp0=\r\nProfile0=1\r\nApp1=b.exe\r\nProfile1=1\r\n",
         {L"b.exe"},
         {{RuleFault::EmptyApp, 0, L""}}},
        {"duplicate without regard to case",
         "[SWITCH]\r\nCount=2\r\n[RULES]\r\nApp0=a.exe\r\nProfile0=1\r\nApp1=A.EXE\r\nProfile1=2\r\n",
         {L"a.exe"},
         {{RuleFault::Duplicate, 1, L"A.EXE"}}},
        {"profiles outside 1..5",
         "[SWITCH]\r\nCount=3\r\n[RULES]\r\nApp0=a.exe\r\nProfile0=0\r\nApp1=b.exe\r\nProfile1=6\r\n"
         "App2=c.exe\r\nProfile2=x\r\n",
         {},
         {{RuleFault::BadProfile, 0, L"a.exe"}, {RuleFault::BadProfile, 1, L"b.exe"}, {RuleFault::BadProfile, 2, L"c.exe"}}},
        {"no file name",
         "[SWITCH]\r\nCount=2\r\n[RULES]\r\nApp0=a?.exe\r\nProfile0=1\r\nApp1=C:\\Games\\\r\nProfile1=1\r\n",
         {},
         {{RuleFault::BadName, 0, L"a?.exe"}, {RuleFault::BadName, 1, L"C:\\Games\\"}}},
        {"no count: read up to the first missing rule",
         "[RULES]\r\nApp0=a.exe\r\nProfile0=1\r\nApp1=b.exe\r\nProfile1=2\r\nApp3=d.exe\r\nProfile3=2\r\n",
         {L"a.exe", L"b.exe"},
         {{RuleFault::Damaged, -1, L""}}},
        {"binary garbage", std::string("\x01\xff\xfe[\0\0==\x80\r\n", 12), {}, {{RuleFault::Damaged, -1, L""}}},
        {"fallback outside 0..5",
         "[SWITCH]\r\nCount=0\r\nFallback=9\r\n",
         {},
         {{RuleFault::BadFallback, -1, L""}}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::wstring path = RulesFilePath(dir.path());
        Put(path, c.file);
        std::vector<RulesProblem> problems;
        const AppRules read = ReadAppRules(path, &problems);
        std::vector<std::wstring> apps;
        for (const AppRule& r : read.rules) apps.push_back(r.app);
        EXPECT_EQ(apps, c.apps) << c.what;
        EXPECT_EQ(problems, c.problems) << c.what;
        EXPECT_EQ(read.fallback, c.fallback) << c.what;
    }
}

TEST(AppRules, TenThousandRulesReadTheFirstThousand) {
    TempDir dir;
    const std::wstring path = RulesFilePath(dir.path());
    std::string file = "[SWITCH]\r\nCount=10000\r\n[RULES]\r\n";
    for (int i = 0; i < 10000; ++i)
        file += "App" + std::to_string(i) + "=g" + std::to_string(i) + ".exe\r\nProfile" + std::to_string(i) + "=2\r\n";
    Put(path, file);
    std::vector<RulesProblem> problems;
    const AppRules read = ReadAppRules(path, &problems);
    EXPECT_EQ(read.rules.size(), kMaxRules);
    EXPECT_EQ(problems, (std::vector<RulesProblem>{{RuleFault::TooMany, -1, L""}}));
    EXPECT_EQ(ProfileFor(read, L"C:\\g999.exe"), 1);
    EXPECT_EQ(ProfileFor(read, L"C:\\g1000.exe"), KEEP_PROFILE);
}

TEST(AppRules, EditsCheckLikeTheWindow) {
    AppRules rules;
    struct Case {
        const wchar_t* app;
        int profile;
        RuleEdit edit;
        RuleFault fault;
    } cases[] = {
        {L"game.exe", 2, RuleEdit::Added, RuleFault::None},
        {L"GAME.exe", 4, RuleEdit::Changed, RuleFault::None},
        {L"C:\\Games\\game.exe", 1, RuleEdit::Added, RuleFault::None},
        {L"  ", 1, RuleEdit::Refused, RuleFault::EmptyApp},
        {L"a|b.exe", 1, RuleEdit::Refused, RuleFault::BadName},
        {L"a:b.exe", 1, RuleEdit::Refused, RuleFault::BadName},
        {L"x.exe", 5, RuleEdit::Refused, RuleFault::BadProfile},
        {L"x.exe", -1, RuleEdit::Refused, RuleFault::BadProfile},
    };
    for (const Case& c : cases) {
        const RuleEditResult r = SetRule(rules, c.app, c.profile);
        EXPECT_EQ(r.edit, c.edit) << text::ToUtf8(c.app);
        EXPECT_EQ(r.fault, c.fault) << text::ToUtf8(c.app);
    }
    EXPECT_EQ(rules.rules, (std::vector<AppRule>{{L"game.exe", 4}, {L"C:\\Games\\game.exe", 1}}));
    EXPECT_EQ(RemoveRule(rules, L"Game.EXE").edit, RuleEdit::Removed);
    EXPECT_EQ(RemoveRule(rules, L"game.exe").edit, RuleEdit::NotFound);
    EXPECT_EQ(rules.rules, (std::vector<AppRule>{{L"C:\\Games\\game.exe", 1}}));

    AppRules full;
    for (size_t i = 0; i < kMaxRules; ++i) full.rules.push_back({L"g" + std::to_wstring(i) + L".exe", 0});
    EXPECT_EQ(SetRule(full, L"one-more.exe", 0).fault, RuleFault::TooMany);
    EXPECT_EQ(SetRule(full, L"g5.exe", 3).edit, RuleEdit::Changed);
}

TEST(AppRules, ProfileArguments) {
    struct Case {
        const wchar_t* text;
        bool allowKeep;
        bool ok;
        int profile;
    } cases[] = {
        {L"1", false, true, 0}, {L"5", false, true, 4},  {L"0", false, false, 0},   {L"6", false, false, 0},
        {L"", false, false, 0}, {L" 2", false, false, 0}, {L"keep", false, false, 0}, {L"KEEP", true, true, KEEP_PROFILE},
    };
    for (const Case& c : cases) {
        int p = 0;
        EXPECT_EQ(ParseProfileArg(c.text, c.allowKeep, p), c.ok) << text::ToUtf8(c.text);
        if (c.ok) {
            EXPECT_EQ(p, c.profile) << text::ToUtf8(c.text);
        }
    }
}

TEST(AppRules, SwitchDecision) {
    struct Case {
        const char* what;
        SwitchInputs in;
        SwitchAction action;
    } cases[] = {
        {"a rule's profile", {true, false, false, true, 2, 0}, SwitchAction::Select},
        {"already active", {true, false, false, true, 2, 2}, SwitchAction::None},
        {"keep", {true, false, false, true, KEEP_PROFILE, 0}, SwitchAction::None},
        {"paused", {true, true, false, true, 2, 0}, SwitchAction::None},
        {"switching off", {false, false, false, true, 2, 0}, SwitchAction::None},
        {"the main window is open", {true, false, true, true, 2, 0}, SwitchAction::None},
        {"no service: once it is there", {true, false, false, false, 2, 0}, SwitchAction::WhenServiceUp},
    };
    for (const Case& c : cases) EXPECT_EQ(DecideSwitch(c.in), c.action) << c.what;
}

TEST(AppRules, SaveKeepsTheEarlierFileAsABackup) {
    TempDir dir;
    AppRules rules = Sample();
    ASSERT_TRUE(SaveAppRules(dir.path(), rules));
    const std::string first = Bytes(RulesFilePath(dir.path()));
    rules.rules.pop_back();
    backup::KeepOutcome kept;
    ASSERT_TRUE(SaveAppRules(dir.path(), rules, &kept));
    ASSERT_TRUE(kept) << text::ToUtf8(DescribeFailure(kept.failure));
    const auto gens = backup::ListGenerations(dir.path());
    ASSERT_FALSE(gens.empty());
    EXPECT_EQ(gens[0].action, backup::Action::AppProfiles);
    EXPECT_EQ(gens[0].files, std::vector<std::wstring>{RULES_FILE_NAME});
    EXPECT_EQ(Bytes(backup::BackupFolder(dir.path()) + gens[0].name + L"\\" + RULES_FILE_NAME), first);
}
