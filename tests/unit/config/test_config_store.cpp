// Loading and saving KeyboardConfig: the three start-up paths, what a save
// writes, what a load keeps, and failure reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ConfigFixtures.h"
#include "TempDir.h"
#include "config/ConfigStore.h"
#include "platform/TextCodec.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zavo;
using zavo::testing::Bytes;
using zavo::testing::Put;
using zavo::testing::RichConfig;

namespace {

std::wstring Sep(const TempDir& d) { return std::wstring(1, d.path().back()); }

// A read-only file; as root (who may write those) natively, a folder in its place.
void MakeUnwritable(const std::wstring& path) {
#ifdef _WIN32
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
#else
    const std::string p = text::ToUtf8(path);
    if (::geteuid() == 0) {
        ::unlink(p.c_str());
        ::mkdir(p.c_str(), 0755);
    } else {
        ::chmod(p.c_str(), 0444);
    }
#endif
}

class Store : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring data = dir.path() + L"ZAVO" + Sep(dir);
    std::unique_ptr<KeyboardConfig> loaded = std::make_unique<KeyboardConfig>();
};

TEST_F(Store, ConfigurationFileTextAndOrder) {
    auto c = std::make_unique<KeyboardConfig>();
    ASSERT_TRUE(SaveConfiguration(data, *c));
    EXPECT_EQ(Bytes(ConfigFilePath(data)),
              "[CONFIG]\r\nCURRENTPROFILE=0\r\nDEVICEPSTATS=-1\r\nMode=0\r\n"
              "[LIGHTOPTION]\r\nLIGHTSTYLE=3\r\nLIGHTMODE=1\r\nWASDLIGHT=1\r\nDIRECTLIGHT=1\r\nNUMBERLIGHT=1\r\n"
              "PINYINLIGHT=1\r\nDFERLIGHT=1\r\n10LIGHT=1\r\nTT15=1\r\nTT610=1\r\n");
    std::string profile = Bytes(ProfileFilePath(data, 4));
    EXPECT_EQ(
        profile.substr(0, 120),
        std::string("[ALTERNATE_PROFILE]\r\nPREKEY=255\r\nNEXTKEY=255\r\nPROFILE1=0\r\nPROFILE2=0\r\nPROFILE3=0\r\n"
                    "PROFILE4=0\r\nPROFILE5=0\r\n[BUTTONCONFIG0]\r\nFunID=0\r\n")
            .substr(0, 120));
    EXPECT_NE(profile.find("[BUTTONCONFIG19]\r\nFunID=0\r\nMappinkey=255\r\n[MAXTRIXSWAPKEY0]\r\nISCHANGED=0\r\n"
                           "CURKEY=0\r\nASSKEY=0\r\nFUNID=0\r\nAPPPath=\r\n[MAXTRIXSWAPKEY1]"),
              std::string::npos);
    EXPECT_EQ(profile.find("MACROG"), std::string::npos);  // no slot holds a macro
}

TEST_F(Store, SlotsAreWrittenByTheirFunction) {
    auto c = RichConfig();
    ASSERT_TRUE(SaveConfiguration(data, *c));
    std::string p = Bytes(ProfileFilePath(data, 0));
    EXPECT_NE(p.find("[BUTTONCONFIG0]\r\nFunID=16\r\nMappinkey=255\r\nSingleKey=16\r\nCurKey=0\r\nAssKey=16\r\n"
                     "[BUTTONCONFIG1]\r\nFunID=17\r\nMappinkey=255\r\nAPP Path=C:\\Games\\Raid\\raid.exe\r\n"
                     "[BUTTONCONFIG2]\r\nFunID=32\r\nMappinkey=255\r\n[MACROG2]\r\nRepeatOption=4\r\nRepeatTimes=3\r\n"
                     "MacroName=Combo 0\r\nMacro="),
              std::string::npos);
    EXPECT_NE(p.find("MacroLength=100\r\n[BUTTONCONFIG3]"), std::string::npos);
}

TEST_F(Store, SaveThenLoadGivesBackEveryStoredField) {
    auto c = RichConfig();
    ASSERT_TRUE(SaveConfiguration(data, *c));
    Settings().DropCache();
    LoadResult r = LoadConfiguration(data, *loaded);
    EXPECT_EQ(r.path, LoadPath::Loaded);
    // A slot without a macro has no "MACROG%d" section: its group reads as the
    // missing-key defaults.
    for (auto& p : c->Profile) {
        for (auto& b : p.Button) {
            if (b.FunID == FUNID_MACRO) continue;
            b.Macro.RepeatOption = 0xFF;
            b.Macro.RepeatTimes = -1;
            b.Macro.MacroLength = 0xFFFF;
        }
    }
    EXPECT_TRUE(*loaded == *c);
}

TEST_F(Store, JapaneseApplicationPathSurvives) {
    const std::wstring jp = L"D:\\\u30b2\u30fc\u30e0\\\u30e9\u30f3\u30c1\u30e3\u30fc.exe";
    auto c = RichConfig(jp);
    ASSERT_TRUE(SaveConfiguration(data, *c));
    Settings().DropCache();
    LoadConfiguration(data, *loaded);
    EXPECT_EQ(loaded->Profile[3].Button[1].AppPath, jp);
    EXPECT_EQ(loaded->Profile[3].SwapKey[30].AppPath, jp);
    EXPECT_EQ(Bytes(ProfileFilePath(data, 3)).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Bytes(ConfigFilePath(data)).substr(0, 8), "[CONFIG]");  // nothing to widen there
}

TEST_F(Store, FirstStartCreatesTheFolderAndConfigurationOnly) {
    loaded->Profile[1].Button[4].FunID = FUNID_MACRO;
    loaded->Profile[1].Button[4].Macro.MacroLength = 9;
    loaded->Profile[1].SwapKey[5].IsChanged = 1;
    LoadResult r = LoadConfiguration(data, *loaded);
    EXPECT_EQ(r.path, LoadPath::FolderCreated);
    EXPECT_TRUE(r.written);
    EXPECT_TRUE(fs::FileExists(ConfigFilePath(data)));
    for (int p = 0; p < PROFILE_COUNT; ++p) EXPECT_FALSE(fs::FileExists(ProfileFilePath(data, p)));
    EXPECT_EQ(loaded->Profile[1].Button[4].FunID, FUNID_NONE);
    EXPECT_EQ(loaded->Profile[1].Button[4].Macro.MacroLength, 0);
    EXPECT_EQ(loaded->Profile[1].SwapKey[5].IsChanged, 1);  // standard keys are left alone
}

TEST_F(Store, FolderWithoutConfigurationReadsTheProfilesThere) {
    auto c = RichConfig();
    ASSERT_TRUE(SaveConfiguration(data, *c));
    fs::RemoveFile(ConfigFilePath(data));
    fs::RemoveFile(ProfileFilePath(data, 1));
    loaded->Profile[1].Button[2].FunID = FUNID_MACRO;
    loaded->Profile[1].SwapKey[7].IsChanged = 1;
    LoadResult r = LoadConfiguration(data, *loaded);
    EXPECT_EQ(r.path, LoadPath::FolderExisted);
    EXPECT_EQ(loaded->CurrantProfile, -1);
    EXPECT_EQ(loaded->Light.LightStyle, -1);
    EXPECT_EQ(loaded->Profile[0].Button[2].Macro, c->Profile[0].Button[2].Macro);
    EXPECT_EQ(loaded->Profile[1].Button[2].FunID, FUNID_NONE);  // missing file: slots unassigned ...
    EXPECT_EQ(loaded->Profile[1].SwapKey[7].IsChanged, 1);      // ... the rest as it was
    EXPECT_FALSE(fs::FileExists(ConfigFilePath(data)));         // loading writes nothing here
}

TEST_F(Store, MissingProfileFileReadsAsDefaults) {
    ASSERT_TRUE(SaveConfiguration(data, *RichConfig()));
    fs::RemoveFile(ProfileFilePath(data, 2));
    LoadConfiguration(data, *loaded);
    const ProfileConfig& p = loaded->Profile[2];
    EXPECT_EQ(p.Button[0].FunID, KEY_NONE);
    EXPECT_EQ(p.Button[0].Macro.MacroLength, 0xFFFF);
    EXPECT_EQ(p.SwapKey[70].IsChanged, -1);
    EXPECT_EQ(p.SwapKey[70].FunID, KEY_NONE);
    EXPECT_EQ(p.InstantShift.ProfileKey[0], -1);
    EXPECT_EQ(loaded->Profile[0].Button[0].FunID, FUNID_SINGLEKEY);
}

// A reset keeps the profile's old file aside while its save writes the cleared
// one; a run killed in between leaves the aside file, which the next load
// settles: back when the save never came, gone when it was done.
TEST_F(Store, ProfileSetAsideByAKilledResetIsSettledAtTheNextLoad) {
    ASSERT_TRUE(SaveConfiguration(data, *RichConfig()));
    std::string old;
    ASSERT_TRUE(fs::ReadWholeFile(ProfileFilePath(data, 2), old));

    // Killed before the save: the old content wins.
    ASSERT_TRUE(fs::RenameFile(ProfileFilePath(data, 2), ProfileAsidePath(data, 2)));
    LoadConfiguration(data, *loaded);
    std::string back;
    ASSERT_TRUE(fs::ReadWholeFile(ProfileFilePath(data, 2), back));
    EXPECT_EQ(back, old);
    EXPECT_FALSE(fs::FileExists(ProfileAsidePath(data, 2)));
    EXPECT_EQ(loaded->Profile[2].Button[0].FunID, RichConfig()->Profile[2].Button[0].FunID);

    // Killed after the save: the new file stays, the aside one goes.
    ASSERT_TRUE(fs::WriteFileAtomic(ProfileAsidePath(data, 2), "[stale]\r\n"));
    LoadConfiguration(data, *loaded);
    ASSERT_TRUE(fs::ReadWholeFile(ProfileFilePath(data, 2), back));
    EXPECT_EQ(back, old);
    EXPECT_FALSE(fs::FileExists(ProfileAsidePath(data, 2)));
}

TEST_F(Store, ClearedMacroSlotKeepsItsSectionAndComesBackFromIt) {
    auto c = RichConfig();
    ASSERT_TRUE(SaveConfiguration(data, *c));
    const MacroGroup old = c->Profile[0].Button[2].Macro;
    ClearSlot(c->Profile[0].Button[2]);
    ASSERT_TRUE(SaveConfiguration(data, *c));
    EXPECT_NE(Bytes(ProfileFilePath(data, 0)).find("[MACROG2]"), std::string::npos);
    LoadConfiguration(data, *loaded);
    EXPECT_EQ(loaded->Profile[0].Button[2].FunID, FUNID_NONE);
    EXPECT_EQ(loaded->Profile[0].Button[2].Macro, old);
}

TEST_F(Store, DamagedMacroTextKeepsTheDataInMemory) {
    auto c = RichConfig();
    ASSERT_TRUE(SaveConfiguration(data, *c));
    const std::wstring file = ProfileFilePath(data, 0);
    std::wstring text = Settings().IniReadString(file, L"MACROG2", L"Macro", L"");
    ASSERT_EQ(text.size(), INI_MAX_VALUE);  // a macro value is longer than a string read gives ...
    std::string bytes = Bytes(file);
    size_t at = bytes.find("Macro=", bytes.find("[MACROG2]"));
    bytes.erase(at + 6, 1);  // ... so cut one digit out of the file itself
    Put(file, bytes);
    loaded->Profile[0].Button[2].Macro.Macro.fill(0xAB);
    LoadConfiguration(data, *loaded);
    EXPECT_EQ(loaded->Profile[0].Button[2].Macro.Macro[0], 0xAB);
    EXPECT_EQ(loaded->Profile[0].Button[2].Macro.MacroLength, 100);
}

TEST_F(Store, DeviceStateIsWrittenBackAsLastRead) {
    ASSERT_TRUE(SaveConfiguration(data, *RichConfig()));
    auto c = std::make_unique<KeyboardConfig>();
    LoadConfiguration(data, *c);
    Settings().IniWriteInt(ConfigFilePath(data), L"CONFIG", L"DEVICEPSTATS", 7);  // the service, between two saves
    ASSERT_TRUE(SaveConfiguration(data, *c));
    EXPECT_EQ(Settings().IniReadInt(ConfigFilePath(data), L"CONFIG", L"DEVICEPSTATS", 0), 1);
}

TEST_F(Store, WriteConfigModeTouchesOnlyTheMode) {
    ASSERT_TRUE(SaveConfiguration(data, *RichConfig()));
    std::string before = Bytes(ConfigFilePath(data));
    ASSERT_TRUE(WriteConfigMode(ConfigFilePath(data), 0));
    std::string after = Bytes(ConfigFilePath(data));
    before.replace(before.find("Mode=1"), 6, "Mode=0");
    EXPECT_EQ(after, before);
}

TEST_F(Store, SaveCreatesMissingParentFolders) {
    const std::wstring deep = dir.path() + L"Brimvale" + Sep(dir) + L"ZAVO" + Sep(dir);
    EXPECT_TRUE(SaveConfiguration(deep, *RichConfig()));
    EXPECT_TRUE(fs::FileExists(ProfileFilePath(deep, 4)));
}

TEST_F(Store, FailedSaveNamesTheFileAndWritesTheRest) {
    ASSERT_TRUE(SaveConfiguration(data, *RichConfig()));
    const std::wstring locked = ProfileFilePath(data, 3);
    const std::string lockedBytes = Bytes(locked);
    MakeUnwritable(locked);
    auto c = RichConfig();
    c->Mode = 0;
    c->Profile[4].Button[0].SingleKey = 0x33;
    c->Profile[3].Button[0].SingleKey = 0x33;  // an unchanged file is not rewritten
    SaveResult r = SaveConfiguration(data, *c);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.file, locked);
    EXPECT_FALSE(ReasonText(r).empty());
    if (fs::FileExists(locked)) {
        EXPECT_EQ(Bytes(locked), lockedBytes);
    }
    EXPECT_EQ(Settings().IniReadInt(ConfigFilePath(data), L"CONFIG", L"Mode", -1), 0);
    EXPECT_EQ(Settings().IniReadInt(ProfileFilePath(data, 4), L"BUTTONCONFIG0", L"SingleKey", -1), 0x33);
#ifdef _WIN32
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

TEST_F(Store, SaveIntoAnImpossibleFolderFailsAtTheFirstFile) {
    Put(dir.path() + L"file", "x");
    const std::wstring under = dir.path() + L"file" + Sep(dir);
    SaveResult r = SaveConfiguration(under, *RichConfig());
    EXPECT_FALSE(r);
    EXPECT_EQ(r.file, ConfigFilePath(under));
}

// A save clears what writers killed half-way left in the data folder (an earlier
// save of the tool, the inspector, the simulator), once the writer is gone; a
// file another writer is still writing, temporaries of files the program does
// not write there, and anything that is not a temporary file of a writer, stay
// as they are.
TEST_F(Store, SavesRemoveTemporariesOfDeadWritersOnly) {
    ASSERT_TRUE(SaveConfiguration(data, *RichConfig()));
    // What killed writers leave: files of the pattern that nobody holds.
    const std::string half(145000, 'x');
    Put(data + L"Profile0.prof.999999-7.zavotmp", half);
    Put(data + L"Profile4.prof.999999-8.zavotmp", half);
    Put(data + L"Profile0.prof.999999-1.zavotmp.part", "not the pattern");
    Put(data + L"notes.txt.999999-2.zavotmp", "another program's");
    Put(data + L"game.prof.999999-3.zavotmp", "another program's");
    fs::PendingFile live(data + L"Profile1.prof");  // another writer, still at work
    ASSERT_TRUE(live.Write("the other writer's bytes"));
    const std::wstring liveName = live.path().substr(data.size());

    auto second = RichConfig(L"C:\\Other\\path.exe");
    ASSERT_TRUE(SaveConfiguration(data, *second));
    std::vector<std::wstring> names = fs::ListFiles(data, L""), expected = {L"Config.config",
                                                                            L"Profile0.prof",
                                                                            L"Profile1.prof",
                                                                            L"Profile2.prof",
                                                                            L"Profile3.prof",
                                                                            L"Profile4.prof",
                                                                            L"Profile0.prof.999999-1.zavotmp.part",
                                                                            L"notes.txt.999999-2.zavotmp",
                                                                            L"game.prof.999999-3.zavotmp",
                                                                            liveName};
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    EXPECT_EQ(Bytes(data + L"Profile0.prof.999999-1.zavotmp.part"), "not the pattern");
    // The settings files hold what the same two saves write into a clean folder.
    const std::wstring clean = dir.path() + L"clean" + Sep(dir);
    ASSERT_TRUE(SaveConfiguration(clean, *RichConfig()));
    ASSERT_TRUE(SaveConfiguration(clean, *second));
    EXPECT_EQ(Bytes(ConfigFilePath(data)), Bytes(ConfigFilePath(clean)));
    for (int p = 0; p < PROFILE_COUNT; ++p)
        EXPECT_EQ(Bytes(ProfileFilePath(data, p)), Bytes(ProfileFilePath(clean, p))) << p;

    // The light state file is the program's too; a single write leaves the
    // clearing to the next save.
    Put(data + L"LightOption.ini.999999-9.zavotmp", half);
    ASSERT_TRUE(WriteConfigMode(ConfigFilePath(data), 0));
    EXPECT_TRUE(fs::FileExists(data + L"LightOption.ini.999999-9.zavotmp"));
    ASSERT_TRUE(SaveConfiguration(data, *second));
    EXPECT_FALSE(fs::FileExists(data + L"LightOption.ini.999999-9.zavotmp"));
    EXPECT_TRUE(fs::FileExists(live.path()));
    ASSERT_TRUE(live.Replace());  // and the other writer finishes undisturbed
    EXPECT_EQ(Bytes(ProfileFilePath(data, 1)), "the other writer's bytes");
}

}  // namespace
