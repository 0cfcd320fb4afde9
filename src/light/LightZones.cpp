#include "light/LightZones.h"

namespace zavo {
namespace {

using Z = LightZone;

const wchar_t* const kZoneKeys[LIGHT_ZONE_COUNT] = {
    L"m_BTNW",       L"m_BTNAS",      L"m_BTND",         L"m_BTNQ",       L"m_BTNER",      L"m_BTNF",
    L"m_BTN1To6",    L"m_BTNOneTo0",  L"m_BTNBackSpace", L"m_BTNPINYIN1", L"m_BTNPINYIN2", L"m_BTNPINYIN3",
    L"m_BTNPINYIN4", L"m_BTNPINYIN5", L"m_BTNTt1TO5",    L"m_BTNTt6TO10", L"m_BTNNumber",  L"m_BTNDirect",
};

// Letter-area zone states of presets 0..4, one row per zone in LightZone order.
const std::int32_t kPresets[LETTER_ZONE_COUNT][LIGHT_PRESET_COUNT] = {
    {0, 1, 1, 1, 1},  // W
    {0, 1, 0, 1, 1},  // AS
    {0, 1, 1, 1, 1},  // D
    {0, 0, 1, 0, 1},  // Q
    {0, 0, 1, 0, 1},  // ER
    {0, 0, 1, 0, 1},  // F
    {0, 1, 1, 1, 1},  // 1To6
    {0, 0, 0, 1, 1},  // OneTo0
    {0, 0, 0, 0, 1},  // BackSpace
    {0, 0, 0, 0, 1},  // PINYIN1
    {0, 0, 0, 0, 1},  // PINYIN2
    {0, 0, 0, 0, 1},  // PINYIN3
    {0, 0, 0, 0, 1},  // PINYIN4
    {0, 0, 0, 0, 1},  // PINYIN5
};

// Bit of each zone in the apply mask; zones without a bit are left out.
struct MaskBit {
    LightZone zone;
    int bit;
};
const MaskBit kMaskBits[] = {
    {Z::OneTo6, 0}, {Z::W, 1},       {Z::AS, 2},     {Z::ER, 3},      {Z::OneTo0, 4},
    {Z::Number, 5}, {Z::Pinyin1, 6}, {Z::Tt1To5, 7}, {Z::Tt6To10, 8}, {Z::Direct, 9},
};

std::int32_t LitBit(std::int32_t state) { return state == 1 ? 1 : 0; }

}  // namespace

const wchar_t* LightZoneKey(LightZone z) {
    int i = ZoneIndex(z);
    return i >= 0 && i < LIGHT_ZONE_COUNT ? kZoneKeys[i] : L"";
}

const std::array<LightZone, LIGHT_ZONE_COUNT>& AllLightZones() {
    static const std::array<LightZone, LIGHT_ZONE_COUNT> zones = {
        Z::W,       Z::AS,      Z::D,       Z::Q,       Z::ER,      Z::F,      Z::OneTo6,  Z::OneTo0, Z::BackSpace,
        Z::Pinyin1, Z::Pinyin2, Z::Pinyin3, Z::Pinyin4, Z::Pinyin5, Z::Tt1To5, Z::Tt6To10, Z::Number, Z::Direct,
    };
    return zones;
}

const std::array<LightZone, LETTER_ZONE_COUNT>& PresetWriteOrder() {
    static const std::array<LightZone, LETTER_ZONE_COUNT> order = {
        Z::W,       Z::OneTo6,  Z::AS, Z::D,  Z::Pinyin1, Z::Pinyin2,   Z::Pinyin3,
        Z::Pinyin4, Z::Pinyin5, Z::Q,  Z::ER, Z::F,       Z::BackSpace, Z::OneTo0,
    };
    return order;
}

std::int32_t PresetZoneState(int preset, LightZone z) {
    if (preset < 0 || preset >= LIGHT_PRESET_COUNT || !IsLetterZone(z) || ZoneIndex(z) < 0) return 0;
    return kPresets[ZoneIndex(z)][preset];
}

void ApplyLightPreset(int preset, LightZoneStates& zones) {
    if (preset < 0 || preset >= LIGHT_PRESET_COUNT) return;
    for (int i = 0; i < LETTER_ZONE_COUNT; ++i) zones[i] = kPresets[i][preset];
}

int DefaultPresetOfLightProfile(std::int32_t lightProfile) {
    switch (lightProfile) {
        case 1:
            return 4;
        case 2:
            return 4;
        case 3:
            return 1;
        case 4:
            return 2;
        case 5:
            return 3;
        default:
            return -1;
    }
}

TKeyCycleRow TKeyCycle(std::int32_t clicks) {
    int phase = ((clicks % TKEY_CYCLE_LENGTH) + TKEY_CYCLE_LENGTH) % TKEY_CYCLE_LENGTH;
    switch (phase) {
        case 1:
            return {1, 0};
        case 2:
            return {0, 1};
        case 3:
            return {1, 1};
        default:
            return {0, 0};
    }
}

std::int32_t LightProfileOfMode(std::int32_t lightMode) { return lightMode > 0 ? lightMode : 1; }

std::int32_t LightStyleOnOpen(std::int32_t lightStyle) {
    return lightStyle < 0 || lightStyle > LIGHT_STYLE_MAX ? 1 : lightStyle;
}

LightSyncRequest DecodeLightSync(std::int64_t w, std::int64_t l) {
    auto within = [l](std::int64_t lo, std::int64_t hi) { return l >= lo && l <= hi; };
    switch (w) {
        case 0:
        case 2:
            // 7 is the device's own number for style 0; both select "off".
            if (within(0, 7)) return {LightSyncKind::Style, l == 0 ? 7 : static_cast<std::int32_t>(l)};
            break;
        case 1:
            if (within(0, LIGHT_PROFILE_COUNT - 1))
                return {LightSyncKind::DeviceProfile, static_cast<std::int32_t>(l + 1)};
            break;
        case 3:
            if (within(1, LIGHT_PROFILE_COUNT)) return {LightSyncKind::Profile, static_cast<std::int32_t>(l)};
            break;
        default:
            break;
    }
    return {};
}

void DeriveLightValues(const LightZoneStates& zones, LightSettings& values) {
    auto state = [&](LightZone z) { return zones[ZoneIndex(z)]; };
    values.Tt1To5Light = state(Z::Tt1To5);
    values.Tt6To10Light = state(Z::Tt6To10);
    values.WasdLight = LitBit(state(Z::AS));
    values.DferLight = LitBit(state(Z::ER));
    values.OneToZeroLight = LitBit(state(Z::OneTo0));
    values.PinyinLight = LitBit(state(Z::Pinyin1));
    values.NumberLight = LitBit(state(Z::Number));
    values.DirectLight = LitBit(state(Z::Direct));
}

std::uint32_t LightZoneMask(const LightZoneStates& zones) {
    std::uint32_t mask = 0;
    for (const MaskBit& m : kMaskBits) mask |= static_cast<std::uint32_t>(LitBit(zones[ZoneIndex(m.zone)])) << m.bit;
    return mask;
}

LightSettings FactoryLightSettings() {
    LightSettings light;
    light.LightStyle = 3;
    light.LightMode = 1;
    light.WasdLight = light.PinyinLight = light.DirectLight = light.NumberLight = 1;
    light.Tt1To5Light = light.Tt6To10Light = light.DferLight = light.OneToZeroLight = 1;
    return light;
}

int LetterPresetShown(const LightZoneStates& zones) {
    for (int p = 0; p < LIGHT_PRESET_COUNT; ++p) {
        bool same = true;
        for (int z = 0; z < LETTER_ZONE_COUNT && same; ++z) same = LitBit(zones[static_cast<size_t>(z)]) == kPresets[z][p];
        if (same) return p;
    }
    return -1;
}

int TKeyCycleShown(const LightZoneStates& zones) {
    // Rows 1, 2, 3, 0 light T1..T5, T6..T10, both, neither.
    return LitBit(zones[ZoneIndex(Z::Tt1To5)]) + 2 * LitBit(zones[ZoneIndex(Z::Tt6To10)]);
}

const std::array<LightField, 10>& LightSettingsFields() {
    static const std::array<LightField, 10> fields = {
        &LightSettings::LightStyle,  &LightSettings::LightMode,   &LightSettings::WasdLight,
        &LightSettings::PinyinLight, &LightSettings::DirectLight, &LightSettings::NumberLight,
        &LightSettings::Tt1To5Light, &LightSettings::Tt6To10Light, &LightSettings::DferLight,
        &LightSettings::OneToZeroLight,
    };
    return fields;
}

std::uint32_t TakeChangedLight(const LightSettings& before, const LightSettings& after, LightSettings& editing) {
    std::uint32_t taken = 0;
    const auto& fields = LightSettingsFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (before.*fields[i] == after.*fields[i]) continue;
        editing.*fields[i] = after.*fields[i];
        taken |= 1u << i;
    }
    return taken;
}

}  // namespace zavo
