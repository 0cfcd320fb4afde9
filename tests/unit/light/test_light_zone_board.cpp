// The lighting window's zone operations: each click steps from what the window
// shows, per light profile; the factory states of a first start; the zones of
// an unapplied import; a reload's flags; the apply; the file kept in step.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "light/LightStateFile.h"
#include "light/LightZoneBoard.h"
#include "platform/FileSystem.h"

namespace zavo {
namespace {

using Z = LightZone;

LightZoneStates Preset(int p, LightZoneStates base = {}) {
    ApplyLightPreset(p, base);
    return base;
}

LightZoneStates With(LightZoneStates base, std::initializer_list<LightZone> lit) {
    for (LightZone z : lit) base[ZoneIndex(z)] = 1;
    return base;
}

IniFileStatus WriteSection(const std::wstring& file, int profile, const LightZoneStates& zones) {
    return WriteLightZones(file, profile, AllLightZones().data(), AllLightZones().size(), zones);
}

class LightZoneBoardTest : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring file = LightStateFilePath(dir.path());
    std::wstring factory = dir.path() + L"factory.ini";  // absent unless a test writes it
    LightZoneBoard board;
    void SetUp() override { board.Load(file, factory, 1); }
};

TEST_F(LightZoneBoardTest, LetterClicksStepToThePresetAfterTheOneShown) {
    const int want[] = {1, 2, 3, 4, 0, 1};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        if (i == 3) board.Load(file, factory, 1);  // reopening the window goes on from the file
        ASSERT_TRUE(board.ClickLetterZone());
        EXPECT_EQ(board.Zones(), Preset(want[i]));
        EXPECT_EQ(ReadLightZones(file, 1), Preset(want[i]));
    }
    // Another light profile steps from its own zones: preset 4 shown gives 0.
    ASSERT_TRUE(WriteSection(file, 2, Preset(4)));
    board.SelectProfile(2);
    ASSERT_TRUE(board.ClickLetterZone());
    EXPECT_EQ(board.Zones(), Preset(0));
    // A letter area that shows no preset takes the one after the last set.
    LightZoneStates odd{};
    odd[ZoneIndex(Z::BackSpace)] = 1;
    ASSERT_TRUE(WriteSection(file, 3, odd));
    board.SelectProfile(3);
    ASSERT_TRUE(board.ClickLetterZone());
    EXPECT_EQ(board.Zones(), Preset(1));
}

TEST_F(LightZoneBoardTest, FlagButtonsSwitchWhatTheProfileShows) {
    // Profile 1 shows the number pad lit, profile 2 dark; the flag is keyboard-wide.
    ASSERT_TRUE(WriteSection(file, 1, With({}, {Z::Number})));
    ASSERT_TRUE(WriteSection(file, 2, {}));
    LightSettings values;
    values.NumberLight = 1;
    values.DirectLight = -1;  // missing from the configuration
    board.SelectProfile(2);
    ASSERT_TRUE(board.ClickNumber(values));  // dark on screen: the click lights it
    EXPECT_EQ(board.State(Z::Number), 1);
    EXPECT_EQ(values.NumberLight, 1);
    ASSERT_TRUE(board.ClickDirect(values));
    EXPECT_EQ(values.DirectLight, 1);
    EXPECT_EQ(ReadLightZones(file, 2), With({}, {Z::Number, Z::Direct}));
    board.SelectProfile(1);
    ASSERT_TRUE(board.ClickNumber(values));  // lit on screen: the click darkens it
    EXPECT_EQ(board.State(Z::Number), 0);
    EXPECT_EQ(values.NumberLight, 0);
    EXPECT_EQ(ReadLightZones(file, 1), LightZoneStates{});
    // The flags a zone button sets follow the profile shown.
    board.SelectProfile(2);
    board.FlagsFollowZones(values);
    EXPECT_EQ(values.NumberLight, 1);
    EXPECT_EQ(values.DirectLight, 1);
    EXPECT_EQ(values.Tt1To5Light, 0);
}

TEST_F(LightZoneBoardTest, TKeyButtonsStepTheCycleFromWhatIsShown) {
    LightSettings values;
    struct Click {
        int profile;
        LightZone button;
        std::int32_t tt15, tt610;
    };
    ASSERT_TRUE(WriteSection(file, 2, With({}, {Z::Tt6To10})));
    const Click clicks[] = {
        {1, Z::Tt6To10, 1, 0},  // neither shown: T1..T5, whichever button
        {1, Z::Tt1To5, 0, 1},   {1, Z::Tt1To5, 1, 1}, {1, Z::Tt6To10, 0, 0},
        {2, Z::Tt1To5, 1, 1},  // profile 2 shows T6..T10: both next
    };
    for (const Click& c : clicks) {
        board.SelectProfile(c.profile);
        ASSERT_TRUE(board.ClickTKey(c.button, values));
        EXPECT_EQ(board.State(Z::Tt1To5), c.tt15);
        EXPECT_EQ(board.State(Z::Tt6To10), c.tt610);
        EXPECT_EQ(values.Tt1To5Light, c.tt15);
        EXPECT_EQ(values.Tt6To10Light, c.tt610);
        EXPECT_EQ(ReadLightZones(file, c.profile), board.Zones());
    }
    const LightSettings before = values;
    ASSERT_TRUE(board.ClickTKey(Z::W, values));  // not a T-key zone: nothing
    EXPECT_EQ(values, before);
}

TEST_F(LightZoneBoardTest, FirstStartShowsTheFactoryZonesAndKeepsThemAtTheFirstWrite) {
    for (int p = 1; p <= LIGHT_PROFILE_COUNT; ++p)
        ASSERT_TRUE(WriteSection(factory, p, With(Preset(p % 5), {Z::Number, Z::Tt1To5})));
    board.Load(file, factory, 3);
    EXPECT_EQ(board.Zones(), With(Preset(3), {Z::Number, Z::Tt1To5}));
    EXPECT_FALSE(fs::FileExists(file));  // showing writes nothing
    LightSettings values;
    ASSERT_TRUE(board.ClickNumber(values));  // lit on screen: dark now
    EXPECT_EQ(values.NumberLight, 0);
    EXPECT_EQ(ReadLightZones(file, 3), With(Preset(3), {Z::Tt1To5}));
    for (int p : {1, 2, 4, 5}) EXPECT_EQ(ReadLightZones(file, p), ReadLightZones(factory, p)) << p;
    // From now on the data file is what is shown.
    ASSERT_TRUE(WriteSection(factory, 3, {}));
    board.SelectProfile(3);
    EXPECT_EQ(board.Zones(), With(Preset(3), {Z::Tt1To5}));
}

TEST_F(LightZoneBoardTest, PendingZonesAreShownAndGiveWayToTheUsersChange) {
    ASSERT_TRUE(WriteSection(file, 2, Preset(1)));
    const LightZoneStates imported = With(Preset(3), {Z::Direct});
    board.SetPending(2, imported);
    board.SelectProfile(2);
    EXPECT_EQ(board.Zones(), imported);
    board.SelectProfile(1);  // another profile: not taken
    LightSettings values;
    ASSERT_TRUE(board.ClickNumber(values));
    EXPECT_FALSE(board.PendingStored());
    EXPECT_EQ(ReadLightZones(file, 2), Preset(1));
    board.SelectProfile(2);
    ASSERT_TRUE(board.ClickLetterZone());  // preset 3 shown: preset 4, over the import
    EXPECT_TRUE(board.PendingStored());
    EXPECT_EQ(ReadLightZones(file, 2), With(Preset(4), {Z::Direct}));
    board.SelectProfile(1);
    board.SelectProfile(2);  // no longer pending: the file
    EXPECT_EQ(board.Zones(), With(Preset(4), {Z::Direct}));

    // Kept as shown (OK or Apply): written whole, the profile shown stays.
    board.Load(file, factory, 1);
    board.SetPending(4, imported);
    ASSERT_TRUE(board.StorePending());
    EXPECT_TRUE(board.PendingStored());
    EXPECT_EQ(ReadLightZones(file, 4), imported);
    EXPECT_EQ(board.Profile(), 1);
    EXPECT_EQ(board.Zones(), ReadLightZones(file, 1));
}

TEST_F(LightZoneBoardTest, ReloadedFlagsSetOnlyTheirChangedZones) {
    ASSERT_TRUE(WriteSection(file, 1, With({}, {Z::Number, Z::Tt1To5})));
    board.SelectProfile(1);
    LightSettings values;
    values.NumberLight = 0;
    values.DirectLight = 1;
    values.Tt1To5Light = 0;
    ASSERT_TRUE(board.TakeFlags(values, LIGHT_FIELD_STYLE | LIGHT_FIELD_MODE));  // no flag changed
    EXPECT_EQ(board.Zones(), With({}, {Z::Number, Z::Tt1To5}));
    ASSERT_TRUE(board.TakeFlags(values, (1u << 4) | (1u << 5)));  // direction and number pad
    EXPECT_EQ(board.Zones(), With({}, {Z::Direct, Z::Tt1To5}));
    EXPECT_EQ(ReadLightZones(file, 1), board.Zones());
}

TEST_F(LightZoneBoardTest, ApplyDerivesTheValuesAndTheMask) {
    LightSettings values;
    values.LightStyle = 5;
    values.WasdLight = 0;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(board.ClickLetterZone());  // preset 3
    ASSERT_TRUE(board.ClickTKey(Z::Tt1To5, values));                   // T1..T5 lit
    EXPECT_EQ(values.WasdLight, 0);                                    // letter flags change at an apply
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

TEST_F(LightZoneBoardTest, DeviceProfileSwitchAppliesTheDefaultPresetOnly) {
    LightSettings values;
    board.SelectProfile(2);
    ASSERT_TRUE(board.ClickDirect(values));  // direction keys lit; the preset keeps them
    ASSERT_TRUE(board.ApplyDefaultPreset());
    EXPECT_EQ(board.Zones(), With(Preset(4), {Z::Direct}));
    EXPECT_EQ(ReadLightZones(file, 2), With(Preset(4), {Z::Direct}));
    board.SelectProfile(7);  // no default preset: nothing changes or is written
    ASSERT_TRUE(board.ApplyDefaultPreset());
    EXPECT_EQ(board.Zones(), LightZoneStates{});
    EXPECT_EQ(ReadLightZones(file, 7), LightZoneStates{});
}

TEST_F(LightZoneBoardTest, FailedWriteIsReportedAndTheStateStillShown) {
    board.Load(LightStateFilePath(dir.path() + L"absent\\"), factory, 1);
    IniFileStatus s = board.ClickLetterZone();
    EXPECT_FALSE(s);
    EXPECT_NE(s.code, 0u) << "the system's reason";
    EXPECT_EQ(board.Zones(), Preset(1));
}

}  // namespace
}  // namespace zavo
