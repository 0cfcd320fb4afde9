// Telling a settings file another program changed since the tool read it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "TempDir.h"
#include "config/ConfigStore.h"
#include "config/SettingsStamps.h"

using namespace zavo;

namespace {

void Write(const std::wstring& path, const std::string& bytes) { ASSERT_TRUE(fs::WriteFileAtomic(path, bytes)); }

// The six files, each with a little content.
void WriteSix(const std::wstring& folder) {
    Write(ConfigFilePath(folder), "[CONFIG]\r\nMode=1\r\n");
    for (int p = 0; p < PROFILE_COUNT; ++p) Write(ProfileFilePath(folder, p), "[BUTTONCONFIG0]\r\nFunID=0\r\n");
}

}  // namespace

TEST(SettingsStamps, NamesEveryKindOfOutsideChangeAndNothingElse) {
    struct Case {
        const char* name;
        std::function<void(const std::wstring&)> change;
        std::vector<std::wstring> expected;
    } cases[] = {
        {"untouched", [](const std::wstring&) {}, {}},
        {"longer", [](const std::wstring& d) { Write(ProfileFilePath(d, 2), "[BUTTONCONFIG0]\r\nFunID=12\r\n"); },
         {L"Profile2.prof"}},
        // Same size, same bytes, only the time differs: a restore of an equal file still counts.
        {"same size, other time",
         [](const std::wstring& d) {
             const std::filesystem::path p(ConfigFilePath(d));
             std::filesystem::last_write_time(p, std::filesystem::last_write_time(p) - std::chrono::hours(1));
         },
         {L"Config.config"}},
        // Nothing there to overwrite: the save makes the file again.
        {"removed", [](const std::wstring& d) { ASSERT_TRUE(fs::RemoveFile(ProfileFilePath(d, 4))); }, {}},
        {"two files",
         [](const std::wstring& d) {
             Write(ConfigFilePath(d), "[CONFIG]\r\nMode=0\r\nCURRENTPROFILE=3\r\n");
             Write(ProfileFilePath(d, 0), "");
         },
         {L"Config.config", L"Profile0.prof"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteSix(dir.path());
        const SettingsStamps loaded = SettingsStamps::Take(dir.path());
        c.change(dir.path());
        EXPECT_EQ(loaded.ChangedIn(SettingsStamps::Take(dir.path())), c.expected) << c.name;
    }
}

TEST(SettingsStamps, AFileThatAppearsAfterTheLoadCounts) {
    TempDir dir;
    Write(ConfigFilePath(dir.path()), "[CONFIG]\r\n");
    const SettingsStamps loaded = SettingsStamps::Take(dir.path());
    EXPECT_TRUE(loaded.ChangedIn(SettingsStamps::Take(dir.path())).empty());
    Write(ProfileFilePath(dir.path(), 1), "[BUTTONCONFIG0]\r\n");
    EXPECT_EQ(loaded.ChangedIn(SettingsStamps::Take(dir.path())), std::vector<std::wstring>{L"Profile1.prof"});
}

TEST(SettingsStamps, OwnWriteOfTheConfigFileIsTakenInButNotOverAnOutsideChange) {
    TempDir dir;
    WriteSix(dir.path());
    const std::wstring config = ConfigFilePath(dir.path());

    // The tool writes the file itself: nothing to ask about afterwards.
    SettingsStamps mine = SettingsStamps::Take(dir.path());
    fs::FileStamp before = fs::Stat(config);
    Write(config, "[CONFIG]\r\nMode=0\r\nx\r\n");
    mine.TakeConfigAfterOwnWrite(dir.path(), before);
    EXPECT_TRUE(mine.ChangedIn(SettingsStamps::Take(dir.path())).empty());

    // Someone else wrote it first: the tool's own write must not hide that.
    Write(config, "[CONFIG]\r\nMode=1\r\nCURRENTPROFILE=2\r\n");
    before = fs::Stat(config);
    Write(config, "[CONFIG]\r\nMode=0\r\nCURRENTPROFILE=2\r\n");
    mine.TakeConfigAfterOwnWrite(dir.path(), before);
    EXPECT_EQ(mine.ChangedIn(SettingsStamps::Take(dir.path())), std::vector<std::wstring>{L"Config.config"});
}
