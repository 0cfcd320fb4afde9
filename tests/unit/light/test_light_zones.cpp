// The lighting rules that need no file: presets, flips, the T-key cycle,
// deriving the values at an apply and the zone bit mask.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "light/LightZones.h"

namespace zavo {
namespace {

using Z = LightZone;

LightZoneStates Lit(std::initializer_list<LightZone> zones) {
    LightZoneStates s{};
    for (LightZone z : zones) s[ZoneIndex(z)] = 1;
    return s;
}

TEST(LightZones, PresetsSetTheLetterAreaOnly) {
    const LightZoneStates want[LIGHT_PRESET_COUNT] = {
        Lit({}),
        Lit({Z::W, Z::AS, Z::D, Z::OneTo6}),
        Lit({Z::W, Z::D, Z::Q, Z::ER, Z::F, Z::OneTo6}),
        Lit({Z::W, Z::AS, Z::D, Z::OneTo6, Z::OneTo0}),
        Lit({Z::W, Z::AS, Z::D, Z::Q, Z::ER, Z::F, Z::OneTo6, Z::OneTo0, Z::BackSpace, Z::Pinyin1, Z::Pinyin2,
             Z::Pinyin3, Z::Pinyin4, Z::Pinyin5}),
    };
    for (int p = 0; p < LIGHT_PRESET_COUNT; ++p) {
        SCOPED_TRACE("preset " + std::to_string(p));
        LightZoneStates zones{};
        ApplyLightPreset(p, zones);
        EXPECT_EQ(zones, want[p]);
        for (LightZone z : AllLightZones()) EXPECT_EQ(PresetZoneState(p, z), want[p][ZoneIndex(z)]);
        // The T-key, number-pad and direction zones keep what they had.
        LightZoneStates others = Lit({Z::Tt1To5, Z::Tt6To10, Z::Number, Z::Direct});
        ApplyLightPreset(p, others);
        EXPECT_EQ(others[ZoneIndex(Z::Tt1To5)] + others[ZoneIndex(Z::Tt6To10)] + others[ZoneIndex(Z::Number)] +
                      others[ZoneIndex(Z::Direct)],
                  4);
    }
    LightZoneStates untouched = Lit({Z::W});
    ApplyLightPreset(5, untouched);
    ApplyLightPreset(-1, untouched);
    EXPECT_EQ(untouched, Lit({Z::W}));
}

TEST(LightZones, KeysAndPresetWriteOrder) {
    std::wstring keys;
    for (LightZone z : AllLightZones()) keys += std::wstring(LightZoneKey(z)) + L" ";
    EXPECT_EQ(keys,
              L"m_BTNW m_BTNAS m_BTND m_BTNQ m_BTNER m_BTNF m_BTN1To6 m_BTNOneTo0 m_BTNBackSpace m_BTNPINYIN1 "
              L"m_BTNPINYIN2 m_BTNPINYIN3 m_BTNPINYIN4 m_BTNPINYIN5 m_BTNTt1TO5 m_BTNTt6TO10 m_BTNNumber "
              L"m_BTNDirect ");
    std::wstring order;
    for (LightZone z : PresetWriteOrder()) order += std::wstring(LightZoneKey(z)) + L" ";
    EXPECT_EQ(order,
              L"m_BTNW m_BTN1To6 m_BTNAS m_BTND m_BTNPINYIN1 m_BTNPINYIN2 m_BTNPINYIN3 m_BTNPINYIN4 m_BTNPINYIN5 "
              L"m_BTNQ m_BTNER m_BTNF m_BTNBackSpace m_BTNOneTo0 ");
    for (LightZone z : PresetWriteOrder()) EXPECT_TRUE(IsLetterZone(z));
}

TEST(LightZones, SmallRuleTables) {
    struct Row {
        std::int32_t in, profileOfMode, styleOnOpen;
        int defaultPreset;
    };
    const Row rows[] = {
        // in  profile  style  preset
        {-1, 1, 1, -1}, {0, 1, 0, -1}, {1, 1, 1, 4},   {2, 2, 2, 4},
        {3, 3, 3, 1},   {4, 4, 4, 2},  {5, 5, 5, 3},  // styles 5 and 6 have their own buttons: kept
        {6, 6, 6, -1},  {7, 7, 1, -1}, {-7, 1, 1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("value " + std::to_string(r.in));
        EXPECT_EQ(LightProfileOfMode(r.in), r.profileOfMode);
        EXPECT_EQ(LightStyleOnOpen(r.in), r.styleOnOpen);
        EXPECT_EQ(DefaultPresetOfLightProfile(r.in), r.defaultPreset);
    }
}

TEST(LightZones, DeviceSyncRequestsAreRangeChecked) {
    using K = LightSyncKind;
    struct Row {
        const char* name;
        std::int64_t w, l;
        K kind;
        std::int32_t value;
    };
    const Row rows[] = {
        {"style", 0, 3, K::Style, 3},
        {"style by w=2", 2, 6, K::Style, 6},
        {"device style 0 is off", 0, 0, K::Style, 7},
        {"style 7 is off too", 2, 7, K::Style, 7},
        {"negative style", 0, -1, K::None, 0},
        {"style past off", 0, 8, K::None, 0},
        {"huge style", 2, 0x100000000LL, K::None, 0},
        {"device profile 1", 1, 0, K::DeviceProfile, 1},
        {"device profile 5", 1, 4, K::DeviceProfile, 5},
        {"device profile below", 1, -1, K::None, 0},
        {"device profile above", 1, 5, K::None, 0},
        {"profile 1", 3, 1, K::Profile, 1},
        {"profile 5", 3, 5, K::Profile, 5},
        {"profile 0", 3, 0, K::None, 0},
        {"profile 6", 3, 6, K::None, 0},
        {"unknown request", 4, 1, K::None, 0},
        {"negative request", -1, 1, K::None, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const LightSyncRequest got = DecodeLightSync(r.w, r.l);
        EXPECT_EQ(got.kind, r.kind);
        if (r.kind != K::None) {
            EXPECT_EQ(got.value, r.value);
        }
    }
}

TEST(LightZones, TKeyCycle) {
    const TKeyCycleRow want[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int clicks = -4; clicks <= 9; ++clicks) {
        SCOPED_TRACE("clicks " + std::to_string(clicks));
        TKeyCycleRow row = TKeyCycle(clicks);
        const TKeyCycleRow& w = want[((clicks % 4) + 4) % 4];
        EXPECT_EQ(row.tt1To5, w.tt1To5);
        EXPECT_EQ(row.tt6To10, w.tt6To10);
    }
}

TEST(LightZones, ShownPresetAndCycleRowAreFoundBack) {
    for (int p = 0; p < LIGHT_PRESET_COUNT; ++p) {
        LightZoneStates zones{};
        zones[ZoneIndex(LightZone::Number)] = 1;  // zones outside the letter area do not matter
        ApplyLightPreset(p, zones);
        EXPECT_EQ(LetterPresetShown(zones), p);
        zones[ZoneIndex(LightZone::Pinyin3)] ^= 1;  // one zone off the preset
        EXPECT_EQ(LetterPresetShown(zones), -1) << p;
    }
    for (int clicks = 0; clicks < TKEY_CYCLE_LENGTH; ++clicks) {
        LightZoneStates zones{};
        zones[ZoneIndex(LightZone::Tt1To5)] = TKeyCycle(clicks).tt1To5;
        zones[ZoneIndex(LightZone::Tt6To10)] = TKeyCycle(clicks).tt6To10;
        EXPECT_EQ(TKeyCycleShown(zones), clicks);
    }
}

TEST(LightZones, ReloadTakesOnlyTheValuesTheFileChanged) {
    LightSettings before;  // what the file held
    LightSettings editing = before;
    editing.LightStyle = 5;  // the user's choices
    editing.NumberLight = 0;
    LightSettings after = before;
    after.LightMode = 3;  // the device's changes
    after.NumberLight = 1;
    after.DirectLight = 0;
    const std::uint32_t taken = TakeChangedLight(before, after, editing);
    EXPECT_EQ(taken, LIGHT_FIELD_MODE | (1u << 4));
    EXPECT_EQ(editing.LightStyle, 5);   // kept: the file did not change it
    EXPECT_EQ(editing.LightMode, 3);    // taken
    EXPECT_EQ(editing.DirectLight, 0);  // taken
    EXPECT_EQ(editing.NumberLight, 0);  // the file holds what it held: the user's edit stays
    EXPECT_EQ(TakeChangedLight(after, after, editing), 0u);
}

TEST(LightZones, DeriveTakesFlagsFromZonesAndLeavesStyleAndMode) {
    LightSettings values;
    values.LightStyle = 6;
    values.LightMode = 4;
    LightZoneStates zones = Lit({Z::AS, Z::Pinyin1, Z::Direct, Z::Tt6To10});
    DeriveLightValues(zones, values);
    EXPECT_EQ(values.LightStyle, 6);
    EXPECT_EQ(values.LightMode, 4);
    EXPECT_EQ(values.WasdLight, 1);
    EXPECT_EQ(values.PinyinLight, 1);
    EXPECT_EQ(values.DirectLight, 1);
    EXPECT_EQ(values.Tt6To10Light, 1);
    EXPECT_EQ(values.DferLight, 0);
    EXPECT_EQ(values.OneToZeroLight, 0);
    EXPECT_EQ(values.NumberLight, 0);
    EXPECT_EQ(values.Tt1To5Light, 0);

    // Only a state of exactly 1 lights a flag; the T-key flags copy the state.
    zones = {};
    zones[ZoneIndex(Z::ER)] = 2;
    zones[ZoneIndex(Z::Tt1To5)] = 2;
    DeriveLightValues(zones, values);
    EXPECT_EQ(values.DferLight, 0);
    EXPECT_EQ(values.Tt1To5Light, 2);
}

TEST(LightZones, MaskHasOneBitPerReportedZone) {
    struct Bit {
        LightZone zone;
        std::uint32_t mask;
    };
    const Bit bits[] = {
        {Z::OneTo6, 1u << 0},
        {Z::W, 1u << 1},
        {Z::AS, 1u << 2},
        {Z::ER, 1u << 3},
        {Z::OneTo0, 1u << 4},
        {Z::Number, 1u << 5},
        {Z::Pinyin1, 1u << 6},
        {Z::Tt1To5, 1u << 7},
        {Z::Tt6To10, 1u << 8},
        {Z::Direct, 1u << 9},
        {Z::D, 0},
        {Z::Q, 0},
        {Z::F, 0},
        {Z::BackSpace, 0},
        {Z::Pinyin2, 0},
        {Z::Pinyin5, 0},
    };
    for (const Bit& b : bits) {
        SCOPED_TRACE(LightZoneKey(b.zone));
        EXPECT_EQ(LightZoneMask(Lit({b.zone})), b.mask);
    }
    LightZoneStates all;
    all.fill(1);
    EXPECT_EQ(LightZoneMask(all), 0x3FFu);
    all.fill(2);
    EXPECT_EQ(LightZoneMask(all), 0u);
}

TEST(LightZones, FactoryLightingIsStyleThreeWithEveryZoneOn) {
    const LightSettings f = FactoryLightSettings();
    const struct {
        const char* name;
        std::int32_t value;
        std::int32_t want;
    } rows[] = {
        {"LightStyle", f.LightStyle, 3},         {"LightMode", f.LightMode, 1},       {"WasdLight", f.WasdLight, 1},
        {"PinyinLight", f.PinyinLight, 1},       {"DirectLight", f.DirectLight, 1},   {"NumberLight", f.NumberLight, 1},
        {"Tt1To5Light", f.Tt1To5Light, 1},       {"Tt6To10Light", f.Tt6To10Light, 1}, {"DferLight", f.DferLight, 1},
        {"OneToZeroLight", f.OneToZeroLight, 1},
    };
    for (const auto& row : rows) EXPECT_EQ(row.value, row.want) << row.name;
}

}  // namespace
}  // namespace zavo
