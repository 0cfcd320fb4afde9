// The light state file: per-profile sections of zone keys, and the reset's copy
// of the factory states from the skin.
#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "light/LightStateFile.h"
#include "platform/FileSystem.h"

namespace zavo {
namespace {

using Z = LightZone;

std::string FileText(const std::wstring& path) {
    std::string bytes;
    EXPECT_TRUE(fs::ReadWholeFile(path, bytes));
    return bytes;
}

TEST(LightStateFile, NamesAndSections) {
    EXPECT_EQ(LightStateSection(3), L"Profile3LightState");
    TempDir dir;
    EXPECT_EQ(LightStateFilePath(dir.path()), dir.path() + L"LightOption.ini");
}

TEST(LightStateFile, MissingFileReadsDark) {
    TempDir dir;
    EXPECT_EQ(ReadLightZones(LightStateFilePath(dir.path()), 1), LightZoneStates{});
}

TEST(LightStateFile, ZonesRoundTripPerProfile) {
    TempDir dir;
    const std::wstring file = LightStateFilePath(dir.path());
    LightZoneStates zones{};
    zones[ZoneIndex(Z::W)] = 1;
    zones[ZoneIndex(Z::Pinyin5)] = 1;
    zones[ZoneIndex(Z::Direct)] = 1;
    const auto& all = AllLightZones();
    ASSERT_TRUE(WriteLightZones(file, 2, all.data(), all.size(), zones));
    ASSERT_TRUE(WriteLightZone(file, 4, Z::Number, 1));

    EXPECT_EQ(ReadLightZones(file, 2), zones);
    LightZoneStates four{};
    four[ZoneIndex(Z::Number)] = 1;
    EXPECT_EQ(ReadLightZones(file, 4), four);
    EXPECT_EQ(ReadLightZones(file, 1), LightZoneStates{});

    std::string text = FileText(file);
    EXPECT_NE(text.find("[Profile2LightState]"), std::string::npos);
    EXPECT_NE(text.find("m_BTNW=1"), std::string::npos);
    EXPECT_NE(text.find("m_BTNAS=0"), std::string::npos);
    EXPECT_NE(text.find("[Profile4LightState]"), std::string::npos);
}

TEST(LightStateFile, OnlyOneReadsLit) {
    TempDir dir;
    const std::wstring file = LightStateFilePath(dir.path());
    ASSERT_TRUE(fs::WriteFileAtomic(file,
                                    "[Profile1LightState]\r\nm_BTNW=1\r\nm_BTNAS=2\r\nm_BTND=-1\r\n"
                                    "m_BTNQ=abc\r\nm_BTNER=\r\nm_BTNF=1\r\n"));
    LightZoneStates want{};
    want[ZoneIndex(Z::W)] = 1;
    want[ZoneIndex(Z::F)] = 1;
    EXPECT_EQ(ReadLightZones(file, 1), want);
}

TEST(LightStateFile, FactoryCopyReplacesTheFiveProfilesAndKeepsTheRest) {
    TempDir skin, data;
    ASSERT_TRUE(fs::WriteFileAtomic(FactoryLightStatePath(skin.path()),
                                    "[SCREEN]\r\nMain=light.bmp\r\n"
                                    "[Profile1LightState]\r\nm_BTNW=1\r\nm_BTNDirect=1\r\n"
                                    "[Profile5LightState]\r\nm_BTNTt6TO10=1\r\nm_BTNQ=7\r\n"));
    const std::wstring file = LightStateFilePath(data.path());
    ASSERT_TRUE(fs::WriteFileAtomic(file,
                                    "[Profile1LightState]\r\nm_BTNAS=1\r\nm_BTNW=0\r\n"
                                    "[Notes]\r\nkept=yes\r\n"));

    ASSERT_TRUE(CopyFactoryLightStates(skin.path(), data.path()));

    LightZoneStates one{}, five{};
    one[ZoneIndex(Z::W)] = 1;
    one[ZoneIndex(Z::Direct)] = 1;
    five[ZoneIndex(Z::Tt6To10)] = 1;
    EXPECT_EQ(ReadLightZones(file, 1), one);  // AS back to its factory 0
    EXPECT_EQ(ReadLightZones(file, 5), five);
    for (int p = 2; p <= 4; ++p) EXPECT_EQ(ReadLightZones(file, p), LightZoneStates{});
    std::string text = FileText(file);
    EXPECT_NE(text.find("kept=yes"), std::string::npos);
    EXPECT_NE(text.find("[Profile3LightState]"), std::string::npos);
    EXPECT_EQ(text.find("SCREEN"), std::string::npos);
}

TEST(LightStateFile, WriteIntoAMissingFolderReportsTheFile) {
    TempDir dir;
    const std::wstring file = LightStateFilePath(fs::JoinPath(dir.path(), L"absent\\"));
    IniFileStatus one = WriteLightZone(file, 1, Z::W, 1);
    EXPECT_FALSE(one);
    EXPECT_EQ(one.file, file);
    EXPECT_NE(one.code, 0u) << "the system's reason";
    const auto& order = PresetWriteOrder();
    EXPECT_FALSE(WriteLightZones(file, 1, order.data(), order.size(), LightZoneStates{}));
    EXPECT_FALSE(CopyFactoryLightStates(dir.path(), fs::JoinPath(dir.path(), L"absent\\")));
}

}  // namespace
}  // namespace zavo
