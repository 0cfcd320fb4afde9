// The lighting save: only the lighting values reach the disk (key edits wait
// for the main window's apply), with a backup of Config.config only when the
// save changes it.
#include <gtest/gtest.h>

#include <string>

#include "../config/ConfigFixtures.h"
#include "TempDir.h"
#include "config/Ini.h"
#include "light/LightSave.h"
#include "platform/FileSystem.h"

namespace zavo {
namespace {

using zavo::testing::Bytes;

class LightSave : public ::testing::Test {
protected:
    TempDir dir;
    const std::wstring& data = dir.path();
    std::unique_ptr<KeyboardConfig> config = zavo::testing::RichConfig();
    void SetUp() override { ASSERT_TRUE(SaveConfiguration(data, *config)); }
    std::int32_t Stored(const wchar_t* section, const wchar_t* key) {
        return Settings().IniReadInt(ConfigFilePath(data), section, key, -7);
    }
};

TEST_F(LightSave, WritesTheLightingAloneAndKeepsTheOldFileOnlyWhenItChanges) {
    std::string profiles[PROFILE_COUNT];
    for (int p = 0; p < PROFILE_COUNT; ++p) profiles[p] = Bytes(ProfileFilePath(data, p));
    const std::int32_t storedMode = Stored(L"CONFIG", L"Mode");
    // Unapplied edits beside the lighting: a key and the profile's alternate.
    config->Profile[0].Button[0].FunID = config->Profile[0].Button[0].FunID == 0x10 ? 0x20 : 0x10;
    config->Profile[1].SwapKey[5].IsChanged = 1 - config->Profile[1].SwapKey[5].IsChanged;
    config->Mode = 1 - config->Mode;
    config->Light.LightStyle = 5;
    config->Light.NumberLight = 0;

    backup::KeepOutcome kept;
    ASSERT_TRUE(SaveLightSettings(data, *config, &kept));
    EXPECT_EQ(Stored(L"LIGHTOPTION", L"LIGHTSTYLE"), 5);
    EXPECT_EQ(Stored(L"LIGHTOPTION", L"NUMBERLIGHT"), 0);
    EXPECT_EQ(Stored(L"CONFIG", L"Mode"), storedMode);
    for (int p = 0; p < PROFILE_COUNT; ++p) EXPECT_EQ(Bytes(ProfileFilePath(data, p)), profiles[p]) << p;
    ASSERT_TRUE(kept);
    const auto gens = backup::ListGenerations(data);
    ASSERT_EQ(gens.size(), 1u);
    EXPECT_EQ(gens[0].files, std::vector<std::wstring>{L"Config.config"});

    // The same lighting again changes nothing and keeps nothing.
    ASSERT_TRUE(SaveLightSettings(data, *config, &kept));
    EXPECT_TRUE(kept.generation.empty());
    EXPECT_EQ(backup::ListGenerations(data).size(), 1u);
}

TEST_F(LightSave, WithoutConfigFileWritesItWholeAndFailuresNameTheFile) {
    ASSERT_TRUE(fs::RemoveFile(ConfigFilePath(data)));
    config->Light.LightStyle = 2;
    ASSERT_TRUE(SaveLightSettings(data, *config));
    EXPECT_EQ(Stored(L"LIGHTOPTION", L"LIGHTSTYLE"), 2);
    EXPECT_EQ(Stored(L"CONFIG", L"CURRENTPROFILE"), config->CurrantProfile);
    EXPECT_EQ(Stored(L"CONFIG", L"Mode"), config->Mode);

    const std::wstring absent = data + L"absent\\";
    const SaveResult failed = SaveLightSettings(absent, *config);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.file, ConfigFilePath(absent));
    EXPECT_FALSE(fs::FileExists(ConfigFilePath(absent)));
}

}  // namespace
}  // namespace zavo
