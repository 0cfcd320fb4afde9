#include "light/LightStateFile.h"

#include "platform/FileSystem.h"

namespace zavo {
namespace {

// Only 1 is lit; anything else found in a file reads dark.
std::int32_t ReadState(IniAccess& ini, const std::wstring& file, const std::wstring& section, LightZone zone) {
    return ini.IniReadInt(file, section, LightZoneKey(zone), 0) == 1 ? 1 : 0;
}

IniFileStatus FromWrite(const std::wstring& file, const fs::Status& s) {
    return s ? IniFileStatus{} : s.At(file);
}

// The first failure of a write inside a batch, else the batch's commit.
IniFileStatus Finish(IniBatch& batch, const IniFileStatus& firstWrite) {
    IniFileStatus committed = batch.Commit();
    return firstWrite ? committed : firstWrite;
}

}  // namespace

std::wstring LightStateFilePath(const std::wstring& dataFolder) {
    return fs::JoinPath(dataFolder, LIGHT_STATE_FILE_NAME);
}

std::wstring FactoryLightStatePath(const std::wstring& skinFolder) {
    return fs::JoinPath(skinFolder, LIGHT_STATE_FILE_NAME);
}

std::wstring LightStateSection(std::int32_t lightProfile) {
    return L"Profile" + std::to_wstring(lightProfile) + L"LightState";
}

LightZoneStates ReadLightZones(const std::wstring& file, std::int32_t lightProfile) {
    LightZoneStates zones{};
    std::wstring section = LightStateSection(lightProfile);
    IniSnapshot snapshot(Settings());  // one look at the disk for all 18 keys
    for (LightZone z : AllLightZones()) zones[ZoneIndex(z)] = ReadState(snapshot, file, section, z);
    return zones;
}

IniFileStatus WriteLightZone(const std::wstring& file, std::int32_t lightProfile, LightZone zone, std::int32_t state) {
    return FromWrite(file, Settings().IniWriteInt(file, LightStateSection(lightProfile), LightZoneKey(zone), state));
}

IniFileStatus WriteLightZones(const std::wstring& file, std::int32_t lightProfile, const LightZone* which, size_t count,
                              const LightZoneStates& zones) {
    IniBatch batch(Settings());
    IniFileStatus first;
    std::wstring section = LightStateSection(lightProfile);
    for (size_t i = 0; i < count; ++i) {
        fs::Status s = batch.IniWriteInt(file, section, LightZoneKey(which[i]), zones[ZoneIndex(which[i])]);
        if (first && !s) first = FromWrite(file, s);
    }
    return Finish(batch, first);
}

IniFileStatus CopyLightStates(const std::wstring& from, const std::wstring& to) {
    IniBatch batch(Settings());
    IniFileStatus first;
    for (std::int32_t p = 1; p <= LIGHT_PROFILE_COUNT; ++p) {
        std::wstring section = LightStateSection(p);
        for (LightZone z : AllLightZones()) {
            fs::Status s = batch.IniWriteInt(to, section, LightZoneKey(z), ReadState(batch, from, section, z));
            if (first && !s) first = FromWrite(to, s);
        }
    }
    return Finish(batch, first);
}

IniFileStatus CopyFactoryLightStates(const std::wstring& skinFolder, const std::wstring& dataFolder) {
    return CopyLightStates(FactoryLightStatePath(skinFolder), LightStateFilePath(dataFolder));
}

}  // namespace zavo
