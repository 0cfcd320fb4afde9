// The lighting window's zone operations: click counters, flag flips, the
// device's profile switch and the apply, with the file kept in step.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "light/LightStateFile.h"
#include "light/LightZoneBoard.h"

namespace zavo {
namespace {

using Z = LightZone;

class LightZoneBoardTest : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring file = LightStateFilePath(dir.path());
    LightZoneBoard board;
    void SetUp() override { board.Load(file, 1); }
    LightZoneStates Preset(int p, LightZoneStates base = {}) {
        ApplyLightPreset(p, base);
        return base;
    }
};

TEST_F(LightZoneBoardTest, LetterClicksRunThroughThePresetsAcrossOpenings) {
    const int want[] = {1, 2, 3, 4, 0, 1};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        if (i == 3) board.Load(file, 1);  // reopening the window keeps counting
        ASSERT_TRUE(board.ClickLetterZone());
        EXPECT_EQ(board.Zones(), Preset(want[i]));
        EXPECT_EQ(ReadLightZones(file, 1), Preset(want[i]));
    }
}

TEST_F(LightZoneBoardTest, FlagButtonsFlipAndWriteTheirZone) {
    LightSettings values;
    values.NumberLight = -1;  // missing from the configuration
    values.DirectLight = 0;
    ASSERT_TRUE(board.ClickNumber(values));
    ASSERT_TRUE(board.ClickDirect(values));
    EXPECT_EQ(values.NumberLight, 0);
    EXPECT_EQ(values.DirectLight, 1);
    LightZoneStates stored = ReadLightZones(file, 1);
    EXPECT_EQ(stored[ZoneIndex(Z::Number)], 0);
    EXPECT_EQ(stored[ZoneIndex(Z::Direct)], 1);
    EXPECT_EQ(stored, board.Zones());
    ASSERT_TRUE(board.ClickNumber(values));
    EXPECT_EQ(values.NumberLight, 1);
    EXPECT_EQ(ReadLightZones(file, 1)[ZoneIndex(Z::Number)], 1);
}

TEST_F(LightZoneBoardTest, TKeyButtonsShareOneCycleAndTheFlagsFollowIt) {
    LightSettings values;
    values.Tt1To5Light = -1;
    values.Tt6To10Light = -1;
    // Whichever button is clicked, both zones and both flags take the cycle's
    // row: the flags never contradict what the two buttons show.
    struct Click {
        LightZone button;
        std::int32_t tt15, tt610;
    };
    const Click clicks[] = {
        {Z::Tt6To10, 1, 0},  // first click: cycle row 1, whichever button
        {Z::Tt1To5, 0, 1},  {Z::Tt1To5, 1, 1}, {Z::Tt6To10, 0, 0}, {Z::Tt1To5, 1, 0},
    };
    for (const Click& c : clicks) {
        ASSERT_TRUE(board.ClickTKey(c.button, values));
        EXPECT_EQ(board.State(Z::Tt1To5), c.tt15);
        EXPECT_EQ(board.State(Z::Tt6To10), c.tt610);
        EXPECT_EQ(values.Tt1To5Light, c.tt15);
        EXPECT_EQ(values.Tt6To10Light, c.tt610);
        EXPECT_EQ(ReadLightZones(file, 1), board.Zones());
    }
    LightSettings before = values;
    ASSERT_TRUE(board.ClickTKey(Z::W, values));  // not a T-key zone: nothing
    EXPECT_EQ(values, before);
    EXPECT_EQ(board.State(Z::Tt1To5), 1);
}

TEST_F(LightZoneBoardTest, ProfilesKeepTheirOwnSections) {
    ASSERT_TRUE(board.ClickLetterZone());  // profile 1: preset 1
    board.SelectProfile(3);
    EXPECT_EQ(board.Profile(), 3);
    EXPECT_EQ(board.Zones(), LightZoneStates{});
    ASSERT_TRUE(board.ClickLetterZone());  // profile 3: preset 2
    board.SelectProfile(0);                // 0 and below mean profile 1
    EXPECT_EQ(board.Profile(), 1);
    EXPECT_EQ(board.Zones(), Preset(1));
    EXPECT_EQ(ReadLightZones(file, 3), Preset(2));
}

TEST_F(LightZoneBoardTest, DeviceProfileSwitchAppliesTheDefaultPresetOnly) {
    LightSettings values;
    values.DirectLight = 0;
    board.SelectProfile(2);
    ASSERT_TRUE(board.ClickDirect(values));  // direction keys lit; the preset keeps them
    ASSERT_TRUE(board.ApplyDefaultPreset());
    LightZoneStates direct{};
    direct[ZoneIndex(Z::Direct)] = 1;
    EXPECT_EQ(board.Zones(), Preset(4, direct));
    EXPECT_EQ(ReadLightZones(file, 2), Preset(4, direct));
    ASSERT_TRUE(board.ClickLetterZone());  // the click counter did not move
    EXPECT_EQ(board.Zones(), Preset(1, direct));

    board.SelectProfile(7);  // no default preset: nothing changes or is written
    ASSERT_TRUE(board.ApplyDefaultPreset());
    EXPECT_EQ(board.Zones(), LightZoneStates{});
    EXPECT_EQ(ReadLightZones(file, 7), LightZoneStates{});
}

TEST_F(LightZoneBoardTest, ApplyDerivesTheValuesAndTheMask) {
    LightSettings values;
    values.LightStyle = 5;
    values.WasdLight = 0;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(board.ClickLetterZone());  // preset 3
    ASSERT_TRUE(board.ClickTKey(Z::Tt1To5, values));                   // T1..T5 lit
    EXPECT_EQ(values.WasdLight, 0);                                    // letter flags change only at an apply
    std::uint32_t mask = board.Apply(values);
    EXPECT_EQ(mask, (1u << 0) | (1u << 1) | (1u << 2) | (1u << 4) | (1u << 7));
    EXPECT_EQ(values.WasdLight, 1);
    EXPECT_EQ(values.OneToZeroLight, 1);
    EXPECT_EQ(values.DferLight, 0);
    EXPECT_EQ(values.PinyinLight, 0);
    EXPECT_EQ(values.Tt1To5Light, 1);
    EXPECT_EQ(values.Tt6To10Light, 0);
    EXPECT_EQ(values.NumberLight, 0);
    EXPECT_EQ(values.DirectLight, 0);
    EXPECT_EQ(values.LightStyle, 5);
}

TEST_F(LightZoneBoardTest, FailedWriteIsReportedAndTheStateStillShown) {
    board.Load(LightStateFilePath(dir.path() + L"absent\\"), 1);
    IniFileStatus s = board.ClickLetterZone();
    EXPECT_FALSE(s);
    EXPECT_FALSE(s.reason.empty());
    EXPECT_EQ(board.Zones(), Preset(1));
}

}  // namespace
}  // namespace zavo
