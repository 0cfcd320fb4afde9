#include "light/LightZoneBoard.h"

#include "light/LightStateFile.h"
#include "platform/FileSystem.h"

namespace zavo {

void LightZoneBoard::Load(const std::wstring& stateFile, const std::wstring& factoryFile, std::int32_t lightMode) {
    file_ = stateFile;
    factory_ = factoryFile;
    pendingStored_ = false;
    SelectProfile(lightMode);
}

void LightZoneBoard::SelectProfile(std::int32_t lightMode) {
    profile_ = LightProfileOfMode(lightMode);
    if (pending_ && pending_->profile == profile_) {
        zones_ = pending_->zones;
        return;
    }
    const bool firstStart = !factory_.empty() && !fs::FileExists(file_);
    zones_ = ReadLightZones(firstStart ? factory_ : file_, profile_);
}

void LightZoneBoard::SetPending(std::int32_t lightProfile, const LightZoneStates& zones) {
    pending_ = Pending{LightProfileOfMode(lightProfile), zones};
    pendingStored_ = false;
}

IniFileStatus LightZoneBoard::StorePending() {
    if (!pending_) return {};
    const Pending waiting = *pending_;
    const std::int32_t shown = profile_;
    const LightZoneStates shownZones = zones_;
    profile_ = waiting.profile;
    zones_ = waiting.zones;
    IniFileStatus written = StoreShown();
    profile_ = shown;
    if (shown != waiting.profile) zones_ = shownZones;
    return written;
}

IniFileStatus LightZoneBoard::StoreShown() {
    IniBatch batch(Settings());  // the factory copy and the change are one change of the file
    IniFileStatus copied;
    if (!factory_.empty() && !fs::FileExists(file_)) copied = CopyLightStates(factory_, file_);
    const IniFileStatus written =
        WriteLightZones(file_, profile_, AllLightZones().data(), AllLightZones().size(), zones_);
    const IniFileStatus committed = batch.Commit();
    if (!copied) return copied;
    if (!written) return written;
    if (!committed) return committed;
    // The user's change of the pending profile holds the pending zones it
    // showed, or replaces them: either way they no longer wait.
    if (pending_ && pending_->profile == profile_) {
        pending_.reset();
        pendingStored_ = true;
    }
    return {};
}

IniFileStatus LightZoneBoard::SetLetterArea(int preset) {
    ApplyLightPreset(preset, zones_);
    return StoreShown();
}

IniFileStatus LightZoneBoard::ClickLetterZone() {
    const int shown = LetterPresetShown(zones_);
    lastPreset_ = ((shown >= 0 ? shown : lastPreset_) + 1) % LIGHT_PRESET_COUNT;
    return SetLetterArea(lastPreset_);
}

IniFileStatus LightZoneBoard::ApplyDefaultPreset() {
    int preset = DefaultPresetOfLightProfile(profile_);
    if (preset < 0) return {};
    return SetLetterArea(preset);
}

IniFileStatus LightZoneBoard::SwitchZone(LightZone zone, std::int32_t& flag) {
    std::int32_t& state = zones_[ZoneIndex(zone)];
    state = state == 1 ? 0 : 1;
    flag = state;
    return StoreShown();
}

IniFileStatus LightZoneBoard::ClickNumber(LightSettings& values) {
    return SwitchZone(LightZone::Number, values.NumberLight);
}

IniFileStatus LightZoneBoard::ClickDirect(LightSettings& values) {
    return SwitchZone(LightZone::Direct, values.DirectLight);
}

IniFileStatus LightZoneBoard::ClickTKey(LightZone which, LightSettings& values) {
    if (which != LightZone::Tt1To5 && which != LightZone::Tt6To10) return {};
    const TKeyCycleRow row = TKeyCycle(TKeyCycleShown(zones_) + 1);
    zones_[ZoneIndex(LightZone::Tt1To5)] = row.tt1To5;
    zones_[ZoneIndex(LightZone::Tt6To10)] = row.tt6To10;
    FlagsFollowZones(values);
    return StoreShown();
}

IniFileStatus LightZoneBoard::TakeFlags(const LightSettings& values, std::uint32_t changed) {
    if ((changed & LIGHT_FIELDS_AT_ONCE) == 0) return {};
    // Bits as LightSettingsFields numbers the values.
    const struct {
        std::uint32_t bit;
        LightZone zone;
        LightField field;
    } flags[] = {
        {1u << 4, LightZone::Direct, &LightSettings::DirectLight},
        {1u << 5, LightZone::Number, &LightSettings::NumberLight},
        {1u << 6, LightZone::Tt1To5, &LightSettings::Tt1To5Light},
        {1u << 7, LightZone::Tt6To10, &LightSettings::Tt6To10Light},
    };
    for (const auto& f : flags)
        if (changed & f.bit) zones_[ZoneIndex(f.zone)] = values.*f.field == 1 ? 1 : 0;
    return StoreShown();
}

void LightZoneBoard::FlagsFollowZones(LightSettings& values) const {
    values.DirectLight = State(LightZone::Direct);
    values.NumberLight = State(LightZone::Number);
    values.Tt1To5Light = State(LightZone::Tt1To5);
    values.Tt6To10Light = State(LightZone::Tt6To10);
}

std::uint32_t LightZoneBoard::Apply(LightSettings& values) const {
    DeriveLightValues(zones_, values);
    return LightZoneMask(zones_);
}

}  // namespace zavo
