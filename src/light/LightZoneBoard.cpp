#include "light/LightZoneBoard.h"

#include "light/LightStateFile.h"

namespace zavo {

void LightZoneBoard::Load(const std::wstring& stateFile, std::int32_t lightMode) {
    file_ = stateFile;
    SelectProfile(lightMode);
}

void LightZoneBoard::SelectProfile(std::int32_t lightMode) {
    profile_ = LightProfileOfMode(lightMode);
    zones_ = ReadLightZones(file_, profile_);
}

IniFileStatus LightZoneBoard::SetLetterArea(int preset) {
    ApplyLightPreset(preset, zones_);
    const auto& order = PresetWriteOrder();
    return WriteLightZones(file_, profile_, order.data(), order.size(), zones_);
}

IniFileStatus LightZoneBoard::ClickLetterZone() {
    presetClicks_ = (presetClicks_ + 1) % LIGHT_PRESET_COUNT;
    return SetLetterArea(presetClicks_);
}

IniFileStatus LightZoneBoard::ApplyDefaultPreset() {
    int preset = DefaultPresetOfLightProfile(profile_);
    if (preset < 0) return {};
    return SetLetterArea(preset);
}

IniFileStatus LightZoneBoard::SetFlagZone(LightZone zone, std::int32_t& flag) {
    flag = FlipZoneFlag(flag);
    zones_[ZoneIndex(zone)] = flag;
    return WriteLightZone(file_, profile_, zone, flag);
}

IniFileStatus LightZoneBoard::ClickNumber(LightSettings& values) {
    return SetFlagZone(LightZone::Number, values.NumberLight);
}

IniFileStatus LightZoneBoard::ClickDirect(LightSettings& values) {
    return SetFlagZone(LightZone::Direct, values.DirectLight);
}

IniFileStatus LightZoneBoard::ClickTKey(LightZone which, LightSettings& values) {
    if (which != LightZone::Tt1To5 && which != LightZone::Tt6To10) return {};
    tkeyClicks_ = (tkeyClicks_ + 1) % TKEY_CYCLE_LENGTH;
    const TKeyCycleRow row = TKeyCycle(tkeyClicks_);
    // Both zones change together, so both flags follow them: an OK without an
    // apply then stores what the two buttons show.
    values.Tt1To5Light = row.tt1To5;
    values.Tt6To10Light = row.tt6To10;
    zones_[ZoneIndex(LightZone::Tt1To5)] = row.tt1To5;
    zones_[ZoneIndex(LightZone::Tt6To10)] = row.tt6To10;
    static const LightZone kBoth[] = {LightZone::Tt1To5, LightZone::Tt6To10};
    return WriteLightZones(file_, profile_, kBoth, 2, zones_);
}

std::uint32_t LightZoneBoard::Apply(LightSettings& values) const {
    DeriveLightValues(zones_, values);
    return LightZoneMask(zones_);
}

}  // namespace zavo
