// Backup generations of the settings files: what a user action keeps, how
// generations are named, rotated and resolved, restoring them, that a backup
// that cannot be made never stops a save, and that nothing but the program's
// own files is ever removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
        ASSERT_TRUE(kept) << text::ToUtf8(DescribeFailure(kept.failure));
    }
    std::wstring Kept(const backup::Generation& g, const std::wstring& file) const {
        return backup::BackupFolder(data) + g.name + L"\\" + file;
    }
    std::wstring Light() const { return data + backup::SettingsFileNames()[backup::kLightFileIndex]; }
    // A user action at `when` that gives Config.config new content.
    void ChangeConfigAt(std::time_t when) {
        backup::ActionBackup action(data, backup::Action::Apply);
        ASSERT_TRUE(fs::WriteFileAtomic(ConfigFilePath(data), "[CONFIG]\r\nMode=" + std::to_string(++changes_) + "\r\n"));
        ASSERT_TRUE(action.Finish(when));
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const auto& g : backup::ListGenerations(data)) names.push_back(g.name);
        return names;
    }
    std::string AllSeven() const {
        std::string all;
        for (const std::wstring& f : backup::SettingsFileNames()) all += Bytes(data + f) + "|";
        return all;
    }

private:
    int changes_ = 0;
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
    {
        // The reset and the factory zones it copies are one action: one entry.
        backup::ActionBackup reset(data, backup::Action::Reset, p);
        fs::RemoveFile(ProfileFilePath(data, p));
        ResetProfile(config->Profile[p]);
        Save();
        ASSERT_TRUE(fs::WriteFileAtomic(Light(), "[Profile1LightState]\r\nm_BTNW=1\r\n"));
        ASSERT_TRUE(reset.Finish());
    }
    ASSERT_NE(Bytes(ProfileFilePath(data, p)), before);

    auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 1u);
    EXPECT_EQ(gens[0].action, backup::Action::Reset);
    EXPECT_EQ(gens[0].profile, p);
    EXPECT_EQ(gens[0].files, std::vector<std::wstring>{ProfileFilePath(L"", p)}) << "no light file before";
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
        const backup::RestoredBytes kept = backup::RestoredBytesAsOf(data, gens, 0);
        ASSERT_TRUE(SaveConfiguration(other.path(), *loaded));
        EXPECT_NE(Bytes(ProfileFilePath(other.path(), p)), before);
        ASSERT_TRUE(backup::PutBackUnchanged(other.path(), *loaded, kept, *loaded));
        EXPECT_EQ(Bytes(ProfileFilePath(other.path(), p)), before);
        // An edit after the restore is saved as it is.
        auto edited2 = std::make_unique<KeyboardConfig>(*loaded);
        edited2->Profile[p].Button[4].FunID = FUNID_APP;
        ASSERT_TRUE(SaveConfiguration(other.path(), *edited2));
        const std::string withEdit = Bytes(ProfileFilePath(other.path(), p));
        ASSERT_TRUE(backup::PutBackUnchanged(other.path(), *loaded, kept, *edited2));
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
    EXPECT_EQ(gens[0].action, backup::Action::Restore);
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
        {"oldest", 2, {g1, g1, g2, now, now, now, now}},
        {"middle", 1, {now, g3, g2, now, now, now, now}},
        {"newest", 0, {now, g3, now, now, now, now, now}},
    };
    for (const Case& c : cases) {
        const auto sources = backup::SourcesAsOf(data, gens, c.index);
        for (size_t f = 0; f < 7; ++f) {
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

// Retention goes by file: 25 lighting saves keep the last 20 contents of
// Config.config and push out nothing of the profile saved before them.
TEST_F(Backups, EachFileKeepsItsLastTwentyContentsWhateverOtherSavesDo) {
    Save();
    const std::string keysBefore = Bytes(ProfileFilePath(data, 1));
    config->Profile[1].Button[6].FunID = FUNID_APP;
    Save();
    for (int i = 0; i < 25; ++i) {
        config->Light.LightStyle = 100 + i;
        Save();
    }
    const auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), backup::kKeptVersions + 1);
    auto styleIn = [&](const backup::Generation& g) {
        LightSettings l;
        ReadLightOption(Kept(g, L"Config.config"), l);
        return l.LightStyle;
    };
    EXPECT_EQ(styleIn(gens.front()), 123);  // before the last save
    EXPECT_EQ(styleIn(gens[backup::kKeptVersions - 1]), 104);
    // The profile's entry, now the oldest, still restores the keys as they were;
    // it took the Config.config content its removed neighbour held, so the
    // lighting of that time comes back with it.
    const backup::Generation& keys = gens.back();
    EXPECT_EQ(Bytes(Kept(keys, L"Profile1.prof")), keysBefore);
    const auto sources = backup::SourcesAsOf(data, gens, gens.size() - 1);
    LightSettings then;
    ReadLightOption(sources[0], then);
    EXPECT_EQ(then.LightStyle, 5);
    EXPECT_EQ(fs::ListFolders(backup::BackupFolder(data)).size(), gens.size()) << "nothing left half-removed";
}

TEST_F(Backups, NamesKeepTheOrderOfTheSaves) {
    Save();
    const std::time_t t = std::time(nullptr) - 7200;
    const std::time_t times[] = {t, t, t + 5, t - 3600, t + 5};  // the clock goes back an hour
    for (std::time_t when : times) ChangeConfigAt(when);
    for (int i = 0; i < 7; ++i) ChangeConfigAt(t + 5);
    const std::wstring a = backup::GenerationStamp(t), b = backup::GenerationStamp(t + 5);
    const auto gens = backup::ListGenerations(data);
    const std::vector<std::wstring> names = Names();
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

// A generation named by a wrong clock neither stops later names from parsing
// nor stands before them: every later backup is listed, newest first, and is
// what a restore without a date takes.
TEST_F(Backups, ANameFromAWrongClockHidesNoLaterBackup) {
    Save();
    const std::time_t t = std::time(nullptr);
    struct Case {
        const char* name;
        std::wstring folder;
    };
    const Case cases[] = {
        {"far in the future", L"99991231-235959-999999"},
        {"three days ahead", backup::GenerationStamp(t + 3 * 24 * 3600) + L"-999999"},
    };
    for (const Case& c : cases) {
        TempDir other;
        const std::wstring d = other.path();
        ASSERT_TRUE(SaveConfiguration(d, *config));
        ASSERT_TRUE(fs::MakeDirectory(backup::BackupFolder(d)));
        ASSERT_TRUE(fs::MakeDirectory(backup::BackupFolder(d) + c.folder));
        ASSERT_TRUE(fs::WriteFileAtomic(backup::BackupFolder(d) + c.folder + L"\\Config.config", "[CONFIG]\r\n"));
        const std::string before = Bytes(ProfileFilePath(d, 3));
        for (int i = 0; i < 3; ++i) {
            backup::ActionBackup action(d, backup::Action::Apply);
            config->Profile[3].Button[9].FunID = FUNID_APP;
            config->Profile[3].Button[9].AppPath = L"C:\\Tools\\tool" + std::to_wstring(i) + L".exe";
            ASSERT_TRUE(SaveConfiguration(d, *config));
            const backup::KeepOutcome kept = action.Finish(t);
            ASSERT_TRUE(kept) << c.name;
            EXPECT_EQ(kept.generation.substr(0, 15), backup::GenerationStamp(t)) << c.name;
        }
        const auto gens = backup::ListGenerations(d);
        ASSERT_EQ(gens.size(), 4u) << c.name;
        EXPECT_EQ(Bytes(backup::BackupFolder(d) + gens[2].name + L"\\Profile3.prof"), before) << c.name;
        const int newest = backup::FindGeneration(gens, L"");
        EXPECT_NE(gens[static_cast<size_t>(newest)].name, c.folder) << c.name;
    }
}

TEST_F(Backups, ABackupThatCannotBeMadeNeverStopsTheSave) {
    Save();
    // A file where the backup folder should be: no generation can be made.
    ASSERT_TRUE(fs::WriteFileAtomic(data + L"Backup", "in the way"));
    config->Profile[1].Button[3].FunID = FUNID_APP;
    backup::KeepOutcome kept;
    ASSERT_TRUE(SaveConfiguration(data, *config, &kept));
    EXPECT_FALSE(kept);
    EXPECT_NE(kept.failure.file.find(L"Backup"), std::wstring::npos);
    auto loaded = std::make_unique<KeyboardConfig>();
    LoadConfiguration(data, *loaded);
    EXPECT_EQ(loaded->Profile[1].Button[3].FunID, FUNID_APP);
}

// LightOption.ini is the seventh file: the zones a lighting change wrote come
// back with a restore, through the files and through the window's put-back.
TEST_F(Backups, TheLightStateFileIsKeptAndRestored) {
    Save();
    const std::string zones = "[Profile1LightState]\r\nm_BTNW=1\r\nm_BTNAS=0\r\n";
    ASSERT_TRUE(fs::WriteFileAtomic(Light(), zones));
    {
        backup::ActionBackup lighting(data, backup::Action::Lighting);
        ASSERT_TRUE(fs::WriteFileAtomic(Light(), "[Profile1LightState]\r\nm_BTNW=0\r\nm_BTNAS=1\r\n"));
        config->Light.LightStyle = 2;
        Save();
    }
    auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 1u);
    EXPECT_EQ(gens[0].action, backup::Action::Lighting);
    EXPECT_EQ(gens[0].files, (std::vector<std::wstring>{L"Config.config", L"LightOption.ini"}));

    const backup::RestoredBytes kept = backup::RestoredBytesAsOf(data, gens, 0);
    ASSERT_TRUE(backup::PutBackUnchanged(data, *config, kept, *config));
    EXPECT_EQ(Bytes(Light()), zones);

    ASSERT_TRUE(fs::WriteFileAtomic(Light(), "[Profile1LightState]\r\nm_BTNW=0\r\n"));
    backup::KeepOutcome restored;
    std::vector<std::wstring> written;
    ASSERT_TRUE(backup::RestoreFiles(data, gens, 0, restored, written));
    EXPECT_EQ(Bytes(Light()), zones);
}

#ifndef _WIN32
// Writes fail with "File too large" past `bytes` while it lives (as root too).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

// A save that cannot write leaves no backup: no generation that is only
// another name of the live file, however often it is retried.
TEST_F(Backups, AFailedSaveKeepsNothing) {
    Save();
    const std::string before = AllSeven();
    config->Profile[2].Button[5].FunID = FUNID_APP;
    {
        FileSizeLimit full(64);
        for (int attempt = 0; attempt < 3; ++attempt) EXPECT_FALSE(SaveConfiguration(data, *config));
    }
    EXPECT_TRUE(backup::ListGenerations(data).empty());
    EXPECT_EQ(AllSeven(), before);
    Save();
    const auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 1u);
    EXPECT_EQ(gens[0].files, std::vector<std::wstring>{L"Profile2.prof"});
    std::string kept = text::ToUtf8(Kept(gens[0], L"Profile2.prof"));
    std::replace(kept.begin(), kept.end(), '\\', '/');
    struct stat st {};
    ASSERT_EQ(::stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 1u) << "a copy, not a second name of a settings file";
}

// A restore that cannot write all its files writes none of them.
TEST_F(Backups, ARestoreIsAllOrNothing) {
    Save();
    const std::string configBefore = Bytes(ConfigFilePath(data));
    {
        backup::ActionBackup apply(data, backup::Action::Apply);
        config->Mode = 0;
        for (auto& profile : config->Profile) profile.Button[4].FunID = FUNID_APP;
        Save();
    }
    const std::string now = AllSeven();
    const auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 1u);
    ASSERT_EQ(gens[0].files.size(), 6u);
    backup::KeepOutcome kept;
    std::vector<std::wstring> written;
    {
        // Room for Config.config, not for a profile file.
        FileSizeLimit full(configBefore.size() + 16);
        EXPECT_FALSE(backup::RestoreFiles(data, gens, 0, kept, written));
    }
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(AllSeven(), now);
    EXPECT_EQ(backup::ListGenerations(data).size(), 1u) << "nothing replaced, nothing kept";
}

// Rotation removes only what a generation can hold, never through a link, and
// a folder only when that leaves it empty; a folder a killed run was making is
// not a generation and is cleared away.
TEST_F(Backups, RotationTouchesNothingThatIsNotOurs) {
    Save();
    TempDir outside;
    ASSERT_TRUE(fs::WriteFileAtomic(outside.path() + L"thesis.txt", "years of work"));
    ASSERT_TRUE(fs::WriteFileAtomic(outside.path() + L"Config.config", "theirs"));
    ChangeConfigAt(std::time(nullptr));
    const std::wstring backups = backup::BackupFolder(data);
    const std::string link = text::ToUtf8(backups) + "20250101-000000";
    ASSERT_EQ(::symlink(text::ToUtf8(outside.path()).c_str(), link.c_str()), 0);
    ASSERT_EQ(::symlink(text::ToUtf8(outside.path() + L"Config.config").c_str(),
                        (text::ToUtf8(backups) + "20250101-000001").c_str()),
              0);
    // An old generation holding a file of someone else's, and a half-made one.
    ASSERT_TRUE(fs::MakeDirectory(backups + L"20250102-000000"));
    ASSERT_TRUE(fs::WriteFileAtomic(backups + L"20250102-000000\\Config.config", "old"));
    ASSERT_TRUE(fs::WriteFileAtomic(backups + L"20250102-000000\\notes.txt", "mine"));
    ASSERT_TRUE(fs::MakeDirectory(backups + L"20250103-000000-1.partial"));
    ASSERT_TRUE(fs::WriteFileAtomic(backups + L"20250103-000000-1.partial\\Profile0.prof", "half"));
    EXPECT_EQ(Names().back(), L"20250102-000000") << "the linked folder is no generation";
    for (int i = 0; i < 25; ++i) ChangeConfigAt(std::time(nullptr));

    EXPECT_EQ(Bytes(outside.path() + L"thesis.txt"), "years of work");
    EXPECT_EQ(Bytes(outside.path() + L"Config.config"), "theirs");
    struct stat st {};
    EXPECT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_EQ(Bytes(backups + L"20250102-000000.removed\\notes.txt"), "mine");
    EXPECT_FALSE(fs::FileExists(backups + L"20250102-000000.removed\\Config.config"));
    EXPECT_FALSE(fs::DirectoryExists(backups + L"20250103-000000-1.partial"));
    const std::vector<std::wstring> names = Names();
    EXPECT_EQ(names.size(), backup::kKeptVersions);
    EXPECT_EQ(std::count(names.begin(), names.end(), L"20250102-000000"), 0);
}
#endif

// One save removes a bounded number of folders, however many are due: a
// backup folder full of old ones is cleared over several saves.
TEST_F(Backups, ASaveRemovesABoundedNumberOfOldFolders) {
    Save();
    const std::wstring backups = backup::BackupFolder(data);
    ASSERT_TRUE(fs::MakeDirectory(backups));
    const size_t junk = 3 * backup::kRemovalsPerSave + 5;
    for (size_t i = 0; i < junk; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"20200101-00%02u%02u", static_cast<unsigned>(i / 60), static_cast<unsigned>(i % 60));
        ASSERT_TRUE(fs::MakeDirectory(backups + name));
    }
    ChangeConfigAt(std::time(nullptr));
    EXPECT_EQ(fs::ListFolders(backups).size(), junk - backup::kRemovalsPerSave + 1);
    for (int i = 0; i < 3; ++i) ChangeConfigAt(std::time(nullptr));
    EXPECT_EQ(Names().size(), 4u);
}

}  // namespace
