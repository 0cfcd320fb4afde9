// Backup generations of the settings files: what a save keeps, how generations
// are named, rotated and resolved, restoring them, and that a backup that
// cannot be made never stops a save.
#include <gtest/gtest.h>

#include "ConfigFixtures.h"
#include "TempDir.h"
#include "config/Backups.h"
#include "config/ConfigStore.h"
#include "config/ProfileEdits.h"

using namespace zavo;
using zavo::testing::Bytes;
using zavo::testing::RichConfig;

namespace {

class Backups : public ::testing::Test {
protected:
    TempDir dir;
    const std::wstring& data = dir.path();
    std::unique_ptr<KeyboardConfig> config = RichConfig();

    void Save() {
        backup::KeepOutcome kept;
        ASSERT_TRUE(SaveConfiguration(data, *config, &kept));
        ASSERT_TRUE(kept) << text::ToUtf8(kept.reason);
    }
    std::wstring Kept(const backup::Generation& g, const std::wstring& file) const {
        return backup::BackupFolder(data) + g.name + L"\\" + file;
    }
};

TEST_F(Backups, ASaveKeepsOnlyTheFilesItChangesWithTheirOldBytes) {
    Save();
    EXPECT_TRUE(backup::ListGenerations(data).empty()) << "a first save replaces nothing";
    const std::string oldProfile = Bytes(ProfileFilePath(data, 2));
    config->Profile[2].Button[5].FunID = FUNID_APP;
    config->Profile[2].Button[5].AppPath = L"C:\\Tools\\calc.exe";
    Save();
    const auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 1u);
    EXPECT_EQ(gens[0].files, std::vector<std::wstring>{L"Profile2.prof"});
    EXPECT_EQ(Bytes(Kept(gens[0], L"Profile2.prof")), oldProfile);
    EXPECT_NE(Bytes(ProfileFilePath(data, 2)), oldProfile);
    Save();  // nothing changed: nothing kept
    EXPECT_EQ(backup::ListGenerations(data).size(), 1u);
}

// The main window's reset keeps the profile file, removes it and saves the
// cleared profile; a restore brings the file back byte for byte.
TEST_F(Backups, ResetByMistakeThenRestore) {
    Save();
    const int p = config->CurrantProfile;
    const std::string before = Bytes(ProfileFilePath(data, p));
    // What loading the file gives (a load keeps what the file does not hold).
    ProfileConfig edited = config->Profile[p];
    ResetProfile(edited);
    ReadProfileFile(ProfileFilePath(data, p), edited);
    ASSERT_TRUE(backup::KeepBeforeReplace(data, {ProfileFilePath(data, p)}));
    fs::RemoveFile(ProfileFilePath(data, p));
    ResetProfile(config->Profile[p]);
    Save();
    ASSERT_NE(Bytes(ProfileFilePath(data, p)), before);

    auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 1u);
    // As an edit: the profile as it was, other state as it is now.
    auto loaded = std::make_unique<KeyboardConfig>(*config);
    loaded->Mode = 0;
    backup::LoadAsOf(data, gens, 0, *loaded);
    EXPECT_EQ(loaded->Profile[p], edited);
    EXPECT_EQ(loaded->Mode, 0);
    // Saved as the window's APPLY saves it: the kept file comes back as it was
    // (the save alone would add its macro sections at the end of the reset file).
    {
        TempDir other;
        for (const std::wstring& f : backup::SettingsFileNames())
            ASSERT_TRUE(fs::WriteFileAtomic(other.path() + f, Bytes(data + f)));
        const backup::ProfileBytes kept = backup::ProfileBytesAsOf(data, gens, 0);
        ASSERT_TRUE(SaveConfiguration(other.path(), *loaded));
        EXPECT_NE(Bytes(ProfileFilePath(other.path(), p)), before);
        ASSERT_TRUE(backup::PutBackUnchangedProfiles(other.path(), *loaded, kept, *loaded));
        EXPECT_EQ(Bytes(ProfileFilePath(other.path(), p)), before);
        // An edit after the restore is saved as it is.
        auto edited2 = std::make_unique<KeyboardConfig>(*loaded);
        edited2->Profile[p].Button[4].FunID = FUNID_APP;
        ASSERT_TRUE(SaveConfiguration(other.path(), *edited2));
        const std::string withEdit = Bytes(ProfileFilePath(other.path(), p));
        ASSERT_TRUE(backup::PutBackUnchangedProfiles(other.path(), *loaded, kept, *edited2));
        EXPECT_EQ(Bytes(ProfileFilePath(other.path(), p)), withEdit);
    }
    // As files: byte for byte, the reset state kept first.
    backup::KeepOutcome kept;
    std::vector<std::wstring> written;
    ASSERT_TRUE(backup::RestoreFiles(data, gens, 0, kept, written));
    EXPECT_EQ(written, std::vector<std::wstring>{ProfileFilePath(data, p)});
    EXPECT_EQ(Bytes(ProfileFilePath(data, p)), before);
    gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 2u);
    EXPECT_EQ(gens[0].name, kept.generation);
}

// Three saves: g1 kept Config.config and Profile0, g2 Profile1, g3 Profile0.
// As of a generation, a file it lacks comes from the next later one that has
// it, or is the current file.
TEST_F(Backups, AGenerationResolvesEachFileToItsContentAtThatTime) {
    Save();
    auto first = std::make_unique<KeyboardConfig>(*config);
    LoadConfiguration(data, *first);
    config->Mode = 0;
    config->Profile[0].Button[7].FunID = FUNID_APP;
    Save();
    config->Profile[1].Button[7].FunID = FUNID_APP;
    Save();
    config->Profile[0].Button[8].FunID = FUNID_APP;
    Save();
    const auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 3u);
    const std::wstring g1 = gens[2].name, g2 = gens[1].name, g3 = gens[0].name, now = L"";
    struct Case {
        const char* name;
        size_t index;
        std::vector<std::wstring> from;  // the generation each of the six comes from ("" current)
    };
    const Case cases[] = {
        {"oldest", 2, {g1, g1, g2, now, now, now}},
        {"middle", 1, {now, g3, g2, now, now, now}},
        {"newest", 0, {now, g3, now, now, now, now}},
    };
    for (const Case& c : cases) {
        const auto sources = backup::SourcesAsOf(data, gens, c.index);
        for (size_t f = 0; f < 6; ++f) {
            const std::wstring& file = backup::SettingsFileNames()[f];
            const std::wstring want =
                c.from[f].empty() ? data + file : backup::BackupFolder(data) + c.from[f] + L"\\" + file;
            EXPECT_EQ(sources[f], want) << c.name << " " << text::ToUtf8(file);
        }
    }
    // The oldest state read back is the first save's.
    auto loaded = std::make_unique<KeyboardConfig>(*config);
    backup::LoadAsOf(data, gens, 2, *loaded);
    EXPECT_EQ(loaded->Profile, first->Profile);
}

TEST_F(Backups, TwentyAreKeptOldestGoFirst) {
    Save();
    for (int i = 0; i < 25; ++i) {
        config->Light.LightStyle = 100 + i;
        Save();
    }
    const auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), backup::kKeptGenerations);
    auto styleIn = [&](const backup::Generation& g) {
        LightSettings l;
        ReadLightOption(Kept(g, L"Config.config"), l);
        return l.LightStyle;
    };
    EXPECT_EQ(styleIn(gens.front()), 123);  // before the last save
    EXPECT_EQ(styleIn(gens.back()), 104);   // the first five are gone
    EXPECT_EQ(fs::ListFolders(backup::BackupFolder(data)).size(), backup::kKeptGenerations);
}

TEST_F(Backups, NamesKeepTheOrderOfTheSaves) {
    Save();
    const std::time_t t = 1700000000;
    const std::wstring file = ConfigFilePath(data);
    const std::time_t times[] = {t, t, t + 5, t - 3600, t + 5};  // the clock goes back an hour
    for (std::time_t when : times) ASSERT_TRUE(backup::KeepBeforeReplace(data, {file}, when));
    for (int i = 0; i < 7; ++i) ASSERT_TRUE(backup::KeepBeforeReplace(data, {file}, t + 5));
    const std::wstring a = backup::GenerationStamp(t), b = backup::GenerationStamp(t + 5);
    const auto gens = backup::ListGenerations(data);
    std::vector<std::wstring> names;
    for (const auto& g : gens) names.push_back(g.name);
    const std::vector<std::wstring> want = {b + L"-10", b + L"-9", b + L"-8", b + L"-7", b + L"-6", b + L"-5",
                                            b + L"-4",  b + L"-3", b + L"-2", b,         a + L"-2", a};
    EXPECT_EQ(names, want);
    struct Case {
        const char* name;
        std::wstring when;
        int index;
    };
    const Case cases[] = {
        {"newest by default", L"", 0},
        {"folder name", a, 11},
        {"folder name with number", b + L"-2", 8},
        {"date-time prefix: newest match", a.substr(0, 8), 0},
        {"no such", L"19990101", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(backup::FindGeneration(gens, c.when), c.index) << c.name;
    EXPECT_EQ(backup::GenerationLabel({L"20261210-183700-2", {L"Config.config", L"Profile2.prof"}}),
              L"2026-12-10 18:37:00 (2)   Config.config, Profile2.prof");
}

TEST_F(Backups, ABackupThatCannotBeMadeNeverStopsTheSave) {
    Save();
    // A file where the backup folder should be: no generation can be made.
    ASSERT_TRUE(fs::WriteFileAtomic(data + L"Backup", "in the way"));
    config->Profile[1].Button[3].FunID = FUNID_APP;
    backup::KeepOutcome kept;
    ASSERT_TRUE(SaveConfiguration(data, *config, &kept));
    EXPECT_FALSE(kept);
    EXPECT_NE(kept.reason.find(L"Backup"), std::wstring::npos);
    auto loaded = std::make_unique<KeyboardConfig>();
    LoadConfiguration(data, *loaded);
    EXPECT_EQ(loaded->Profile[1].Button[3].FunID, FUNID_APP);
}

}  // namespace
