// Validation of a data folder: a sound folder has no problems, and each kind of
// damage is reported at its file, section and key.
#include <gtest/gtest.h>

#include <functional>

#include "ConfigFixtures.h"
#include "TempDir.h"
#include "config/ConfigCheck.h"
#include "config/ConfigStore.h"

using namespace zavo;
using zavo::testing::FillMacro;
using zavo::testing::RichConfig;

namespace {

struct Damage {
    const char* name;
    std::function<void(KeyboardConfig&)> edit;        // before saving
    std::function<void(const std::wstring&)> onDisk;  // after saving, on the folder
    int file;                                         // -1 Config.config, else the profile
    const wchar_t* section;
    const wchar_t* key;
    size_t count = 1;  // problems in all, the first being the one named
};

void None(KeyboardConfig&) {}
void Nothing(const std::wstring&) {}

TEST(ConfigCheck, SoundFolderHasNoProblems) {
    TempDir dir;
    ASSERT_TRUE(SaveConfiguration(dir.path(), *RichConfig()));
    EXPECT_TRUE(CheckDataFolder(dir.path()).empty());
    auto fresh = std::make_unique<KeyboardConfig>();
    TempDir other;
    ASSERT_TRUE(SaveConfiguration(other.path(), *fresh));
    for (const auto& p : CheckDataFolder(other.path())) ADD_FAILURE() << text::ToUtf8(FormatProblem(p));
}

// The device service creates "Config.config" before the tool ever saved: the tool
// then loads its profiles without files (every value at its read default) and the
// next save writes those defaults. That is a sound folder, not 800 problems.
TEST(ConfigCheck, ProfilesSavedFromTheirReadDefaultsAreSound) {
    TempDir dir;
    ASSERT_TRUE(Settings().IniWriteInt(ConfigFilePath(dir.path()), L"CONFIG", L"DEVICEPSTATS", 1));
    auto config = std::make_unique<KeyboardConfig>();
    LoadConfiguration(dir.path(), *config);
    EXPECT_EQ(config->Profile[0].SwapKey[0].IsChanged, -1);
    EXPECT_EQ(config->Profile[0].InstantShift.ProfileKey[0], -1);
    config->CurrantProfile = 0;
    config->Mode = 0;
    config->Light = LightSettings{};
    ASSERT_TRUE(SaveConfiguration(dir.path(), *config));
    for (const auto& p : CheckDataFolder(dir.path())) ADD_FAILURE() << text::ToUtf8(FormatProblem(p));
}

// A Config.config holding only Mode: every other value reads as -1 and a save
// writes -1 back. Those are values the tool never wrote, not damage.
TEST(ConfigCheck, ConfigValuesSavedFromTheirReadDefaultsAreSound) {
    TempDir dir;
    zavo::testing::Put(ConfigFilePath(dir.path()), "[CONFIG]\r\nMode=0\r\n");
    auto config = std::make_unique<KeyboardConfig>();
    LoadConfiguration(dir.path(), *config);
    ASSERT_EQ(config->CurrantProfile, -1);
    ASSERT_EQ(config->Light.LightMode, -1);
    ASSERT_TRUE(SaveConfiguration(dir.path(), *config));
    for (const auto& p : CheckDataFolder(dir.path())) ADD_FAILURE() << text::ToUtf8(FormatProblem(p));
}

TEST(ConfigCheck, ReportsEachKindOfDamageWhereItLies) {
    const Damage cases[] = {
        {"macro text one digit short", None,
         [](const std::wstring& d) {
             std::wstring f = ProfileFilePath(d, 1);
             std::string b = zavo::testing::Bytes(f);
             b.erase(b.find("Macro=", b.find("[MACROG2]")) + 6, 1);
             zavo::testing::Put(f, b);
         },
         1, L"MACROG2", L"Macro"},
        {"macro checksum", None,
         [](const std::wstring& d) {
             std::wstring f = ProfileFilePath(d, 1);
             std::string b = zavo::testing::Bytes(f);
             size_t at = b.find("\r\n", b.find("Macro=", b.find("[MACROG2]"))) - 1;
             b[at] = b[at] == '0' ? '1' : '0';
             zavo::testing::Put(f, b);
         },
         1, L"MACROG2", L"Macro"},
        {"macro budget",
         [](KeyboardConfig& c) {
             FillMacro(c.Profile[2].Button[3].Macro, L"Big", 5400);
             c.Profile[2].Button[3].FunID = FUNID_MACRO;
         },
         Nothing, 2, L"", L""},
        {"macro length", None,
         [](const std::wstring& d) {
             Settings().IniWriteInt(ProfileFilePath(d, 0), L"MACROG10", L"MacroLength", 6000);
         },
         0, L"MACROG10", L"MacroLength", 2},  // and the budget
        {"key code 0 in a macro", [](KeyboardConfig& c) { c.Profile[3].Button[2].Macro.Macro[6] = 0; }, Nothing, 3,
         L"MACROG2", L"Macro"},
        {"light value outside its range", None,
         [](const std::wstring& d) { Settings().IniWriteInt(ConfigFilePath(d), L"LIGHTOPTION", L"TT15", -2); }, -1,
         L"LIGHTOPTION", L"TT15"},
        {"command event in a slot", [](KeyboardConfig& c) { c.Profile[3].Button[2].Macro.Macro[0] = 0xEE; }, Nothing, 3,
         L"MACROG2", L"Macro"},
        {"instant-shift choice twice", [](KeyboardConfig& c) { c.Profile[4].InstantShift.ProfileKey[1] = 2; }, Nothing,
         4, L"ALTERNATE_PROFILE", L"PROFILE3"},  // the second holder is named
        {"two slots lent to one key", [](KeyboardConfig& c) { c.Profile[0].Button[11].Mappinkey = 20; }, Nothing, 0,
         L"BUTTONCONFIG11", L"Mappinkey", 2},  // and key 20 not marked as an application
        {"application key not marked", [](KeyboardConfig& c) { c.Profile[0].SwapKey[30].IsChanged = 0; }, Nothing, 0,
         L"MAXTRIXSWAPKEY30", L"FUNID"},
        {"T-key slot lent", [](KeyboardConfig& c) { c.Profile[1].Button[5].Mappinkey = 3; }, Nothing, 1,
         L"BUTTONCONFIG5", L"Mappinkey"},
        {"active profile", [](KeyboardConfig& c) { c.CurrantProfile = 204; }, Nothing, -1, L"CONFIG",
         L"CURRENTPROFILE"},
        {"not a number", None,
         [](const std::wstring& d) { Settings().IniWriteString(ConfigFilePath(d), L"CONFIG", L"Mode", L"one"); }, -1,
         L"CONFIG", L"Mode"},
        {"missing key", None,
         [](const std::wstring& d) {
             std::wstring f = ProfileFilePath(d, 2);
             std::string b = zavo::testing::Bytes(f);
             b.erase(b.find("NEXTKEY=59\r\n"), 12);
             zavo::testing::Put(f, b);
         },
         2, L"ALTERNATE_PROFILE", L"NEXTKEY"},
        {"missing profile file", None, [](const std::wstring& d) { fs::RemoveFile(ProfileFilePath(d, 4)); }, 4, L"",
         L""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto config = RichConfig();
        c.edit(*config);
        ASSERT_TRUE(SaveConfiguration(dir.path(), *config)) << c.name;
        c.onDisk(dir.path());
        auto problems = CheckDataFolder(dir.path());
        const std::wstring file = c.file < 0 ? ConfigFilePath(dir.path()) : ProfileFilePath(dir.path(), c.file);
        ASSERT_EQ(problems.size(), c.count)
            << c.name << ": " << (problems.empty() ? "none" : text::ToUtf8(FormatProblem(problems[0])));
        EXPECT_EQ(problems[0].file, file) << c.name;
        EXPECT_EQ(problems[0].section, c.section) << c.name;
        EXPECT_EQ(problems[0].key, c.key) << c.name;
        EXPECT_FALSE(ProblemReason(problems[0]).empty()) << c.name;
        EXPECT_EQ(ProblemReason(problems[0]).find(L'%'), std::wstring::npos) << c.name << ": every place filled";
    }
}

// A problem carries its kind and values; the tools print the English sentence
// made from them, the same words they printed before the values were carried.
TEST(ConfigCheck, ProblemsReadAsTheirEnglishSentence) {
    const struct {
        ConfigProblem problem;
        const wchar_t* printed;
    } cases[] = {
        {{L"C:\\d\\Config.config", L"CONFIG", L"Mode", ProblemKind::NotDecimal, {L"one"}},
         L"C:\\d\\Config.config [CONFIG] Mode: \"one\" is not a decimal number"},
        {{L"p.prof", L"ALTERNATE_PROFILE", L"PROFILE2", ProblemKind::OutOfRange, {L"7", L"0", L"3"}},
         L"p.prof [ALTERNATE_PROFILE] PROFILE2: 7 is outside 0..3"},
        {{L"p.prof", L"", L"", ProblemKind::OverBudget, {L"400", L"200"}},
         L"p.prof: the macros use 400 events, more than the budget of 200"},
        {{L"p.prof", L"MACROG2", L"Macro", ProblemKind::WrongLength, {L"12", L"802"}},
         L"p.prof [MACROG2] Macro: is 12 characters long, not 802"},
        {{L"p.prof", L"", L"", ProblemKind::FileMissing, {}}, L"p.prof: the file is missing"},
        // A value holding a place of the sentence is written as it is.
        {{L"p.prof", L"CONFIG", L"Mode", ProblemKind::NotDecimal, {L"%2"}},
         L"p.prof [CONFIG] Mode: \"%2\" is not a decimal number"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatProblem(c.problem), c.printed);
}

TEST(ConfigCheck, WritesNothing) {
    TempDir dir;
    EXPECT_EQ(CheckDataFolder(dir.path()).size(), 6u);  // six missing files
    EXPECT_TRUE(fs::ListFiles(dir.path(), L"").empty());
}

}  // namespace
