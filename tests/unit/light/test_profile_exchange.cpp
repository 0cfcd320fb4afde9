// The profile file: export one profile, import it into another, and the check
// that refuses a foreign or damaged file without changing anything.
#include <gtest/gtest.h>

#include <string>

#include "../config/ConfigFixtures.h"
#include "TempDir.h"
#include "config/ConfigStore.h"
#include "light/LightStateFile.h"
#include "light/ProfileExchange.h"

namespace zavo {
namespace {

using zavo::testing::Bytes;

class Exchange : public ::testing::Test {
protected:
    TempDir dir;
    const std::wstring& data = dir.path();
    std::wstring file = dir.path() + L"friend.zavoprofile";
    std::unique_ptr<KeyboardConfig> config = zavo::testing::RichConfig();

    void SetUp() override {
        config->Light.LightMode = 2;
        ASSERT_TRUE(SaveConfiguration(data, *config));
        LightZoneStates zones{};
        zones[ZoneIndex(LightZone::W)] = 1;
        zones[ZoneIndex(LightZone::Direct)] = 1;
        ASSERT_TRUE(WriteLightZones(LightStateFilePath(data), 2, AllLightZones().data(), AllLightZones().size(), zones));
    }
    // The profile file of profile p of the data folder as it is on disk.
    std::string ExportOf(int p, const std::wstring& to) {
        auto onDisk = std::make_unique<KeyboardConfig>();
        std::wstring error;
        EXPECT_TRUE(ReadDataFolder(data, *onDisk, error));
        EXPECT_TRUE(WriteProfileExchange(to, ProfileForExport(data, *onDisk, p)));
        return Bytes(to);
    }
    void Import(int p) {
        ProfileExchange x;
        ProfileRefusal why;
        ASSERT_TRUE(ReadProfileExchange(file, x, why)) << text::ToUtf8(DescribeProfileRefusal(why));
        PutImportedProfile(*config, p, x);
        ASSERT_TRUE(SaveConfiguration(data, *config));
        ASSERT_TRUE(WriteImportedZones(data, x));
    }
};

TEST_F(Exchange, TheFileNamesNoProfileAndCarriesMacrosAndLighting) {
    const std::string text = ExportOf(0, file);
    EXPECT_EQ(text.rfind("[ZAVOPROFILE]\r\nFormat=ZAVOConfig profile\r\nVersion=1\r\nDigest=", 0), 0u) << text;
    EXPECT_NE(text.find("[MACROG2]\r\nRepeatOption=4\r\nRepeatTimes=3\r\nMacroName=Combo 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("[LIGHTSTATE]\r\nm_BTNW=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("LIGHTMODE=2\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Profile0"), std::string::npos);
    // Exporting again over the file replaces it rather than adding to it.
    EXPECT_EQ(ExportOf(0, file), text);
}

// Export profile 1 (file Profile0.prof), import it into profile 3: profile 3
// then holds what profile 1 holds. Into an empty profile the file is the same
// byte for byte; over a profile in use, what it holds is the same (its file
// keeps old values nothing reads, as every edit does).
TEST_F(Exchange, ExportOneImportIntoThree) {
    struct Case {
        const char* name;
        bool profileFileThere;
    };
    for (const Case c : {Case{"profile 3 without a file", false}, Case{"profile 3 in use", true}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SaveConfiguration(data, *zavo::testing::RichConfig()));
        if (!c.profileFileThere) fs::RemoveFile(ProfileFilePath(data, 2));
        const std::string one = ExportOf(0, file);
        Import(2);
        EXPECT_EQ(ExportOf(2, dir.path() + L"three.zavoprofile"), one);
        if (!c.profileFileThere) {
            EXPECT_EQ(Bytes(ProfileFilePath(data, 2)), Bytes(ProfileFilePath(data, 0)));
        }
    }
}

TEST_F(Exchange, AForeignOrDamagedFileIsRefusedAndChangesNothing) {
    const std::string good = ExportOf(1, file);
    auto cut = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    struct Case {
        const char* name;
        std::string bytes;
        ProfileRefusalKind kind;
        const char* says;
    };
    const Case cases[] = {
        {"another settings file", Bytes(ProfileFilePath(data, 1)), ProfileRefusalKind::NotProfile, "is not a ZAVOConfig profile file"},
        {"other format", cut("Format=ZAVOConfig profile", "Format=Something else"), ProfileRefusalKind::NotProfile, "is not a ZAVOConfig profile"},
        {"newer version", cut("Version=1", "Version=7"), ProfileRefusalKind::Newer, "made by a newer version"},
        {"no version", cut("Version=1", "Versio=1"), ProfileRefusalKind::VersionMissing, "is damaged"},
        {"a version never written", cut("Version=1", "Version=1.9"), ProfileRefusalKind::VersionInvalid, "is damaged"},
        {"a version with a zero", cut("Version=1", "Version=01"), ProfileRefusalKind::VersionInvalid, "is damaged"},
        {"padded beyond any profile file", good + std::string(PROFILE_FILE_MAX_BYTES, ';'), ProfileRefusalKind::TooLarge, "a profile file is at most"},
        {"cut short", good.substr(0, good.size() / 2), ProfileRefusalKind::Damaged, "is damaged"},
        {"a value altered", cut("MacroName=Combo 1", "MacroName=Combo 9"), ProfileRefusalKind::Damaged, "is damaged"},
        {"a zone altered", cut("m_BTNW=1", "m_BTNW=0"), ProfileRefusalKind::Damaged, "is damaged"},
        {"empty", "", ProfileRefusalKind::NotProfile, "is not a ZAVOConfig profile file"},
    };
    ProfileExchange untouched;
    untouched.profile.Button[0].FunID = FUNID_APP;
    for (const Case& c : cases) {
        const std::wstring bad = dir.path() + L"bad.zavoprofile";
        ASSERT_TRUE(fs::WriteFileAtomic(bad, c.bytes));
        ProfileExchange x = untouched;
        ProfileRefusal why;
        EXPECT_FALSE(ReadProfileExchange(bad, x, why)) << c.name;
        EXPECT_EQ(why.kind, c.kind) << c.name;
        EXPECT_EQ(why.file, bad) << c.name;
        const std::string error = text::ToUtf8(DescribeProfileRefusal(why));
        EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(x, untouched) << c.name;
    }
    ProfileRefusal why;
    ProfileExchange x;
    EXPECT_FALSE(ReadProfileExchange(dir.path() + L"nowhere.zavoprofile", x, why));
    EXPECT_EQ(why.kind, ProfileRefusalKind::Unreadable);
    EXPECT_NE(DescribeProfileRefusal(why).find(L"nowhere.zavoprofile: "), std::wstring::npos);
}

// The digest is a public hash: a file made with the right one still holds only
// settings that the checks of the settings files pass.
TEST_F(Exchange, SettingsTheChecksRefuseAreNotImported) {
    auto fullMacros = [](ProfileConfig& p) {
        for (ButtonConfig& b : p.Button) {
            b.FunID = FUNID_MACRO;
            b.Mappinkey = KEY_NONE;
            zavo::testing::FillMacro(b.Macro, L"Long", MACRO_EVENT_MAX);
        }
    };
    struct Case {
        const char* name;
        void (*spoil)(ProfileConfig&);
        ProblemKind kind;
        const char* says;
    };
    const Case cases[] = {
        {"macro budget", +fullMacros, ProblemKind::OverBudget, "more than the budget"},
        {"repeat option", [](ProfileConfig& p) { p.Button[2].Macro.RepeatOption = 77; }, ProblemKind::OutOfRange, "RepeatOption"},
        {"repeat times", [](ProfileConfig& p) { p.Button[2].Macro.RepeatTimes = -5; }, ProblemKind::OutOfRange, "RepeatTimes"},
        {"one key lent two slots", [](ProfileConfig& p) { p.Button[12] = p.Button[10]; }, ProblemKind::KeyLentTwice, "lent two slots"},
        {"key code 0 in a macro", [](ProfileConfig& p) { p.Button[2].Macro.Macro[0] = 0; }, ProblemKind::KeyCodeZero, "names no key"},
        {"unknown function", [](ProfileConfig& p) { p.Button[3].FunID = 0x33; }, ProblemKind::UnknownFunction, "unknown function code"},
    };
    for (const Case& c : cases) {
        ProfileExchange x = ProfileForExport(data, *config, 0);
        c.spoil(x.profile);
        ASSERT_TRUE(WriteProfileExchange(file, x)) << c.name;
        ProfileExchange read;
        const ProfileExchange before = read;
        ProfileRefusal why;
        EXPECT_FALSE(ReadProfileExchange(file, read, why)) << c.name;
        EXPECT_TRUE(why.kind == ProfileRefusalKind::UnusableOne || why.kind == ProfileRefusalKind::UnusableMany)
            << c.name;
        EXPECT_EQ(why.problem.kind, c.kind) << c.name;
        const std::string error = text::ToUtf8(DescribeProfileRefusal(why));
        EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
        EXPECT_TRUE(read == before) << c.name;
    }
    // The same profile unspoilt is taken.
    ASSERT_TRUE(WriteProfileExchange(file, ProfileForExport(data, *config, 0)));
    ProfileExchange read;
    ProfileRefusal why;
    EXPECT_TRUE(ReadProfileExchange(file, read, why)) << text::ToUtf8(DescribeProfileRefusal(why));
}

// A character beyond U+FFFF in an application path: the digest is that of the
// text's UTF-16 units, so the Windows build (16-bit wchar_t) and this one agree.
// The digest below is the one the Windows build writes for this content.
TEST_F(Exchange, TheDigestIsTheSameOnEveryBuild) {
    ProfileExchange x;
    x.profile = zavo::testing::RichConfig(L"C:\\Games\\\U0001F3AE\\play.exe")->Profile[0];
    x.light = config->Light;
    ASSERT_TRUE(WriteProfileExchange(file, x));
    EXPECT_EQ(Settings().IniReadString(file, L"ZAVOPROFILE", L"Digest", L""), L"C4B458DD4B128419");
    ProfileExchange read;
    ProfileRefusal why;
    EXPECT_TRUE(ReadProfileExchange(file, read, why)) << text::ToUtf8(DescribeProfileRefusal(why));
    EXPECT_EQ(read.profile.Button[1].AppPath, x.profile.Button[1].AppPath);
}

}  // namespace
}  // namespace zavo
