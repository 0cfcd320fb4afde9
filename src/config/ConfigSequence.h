// The reads and writes of the settings files, key by key in their order, through
// any IniAccess. ConfigStore.h runs them through write batches of the engine;
// the comparison tests and the benchmark run them through the platform's own
// functions too.
#pragma once
#include <string>

#include "config/Ini.h"
#include "config/KeyboardConfig.h"

namespace zavo::seq {

// The first failed write of a sequence (ok when all succeeded).
struct Failure {
    Outcome first;
    bool failed = false;
    void operator()(const fs::Status& s) {
        if (!s && !failed) failed = true, first = s;
    }
};

void ReadConfigFile(IniAccess& io, const std::wstring& path, KeyboardConfig& config);
void WriteConfigFile(IniAccess& io, const std::wstring& path, const KeyboardConfig& config, Failure& f);
void ReadLightOption(IniAccess& io, const std::wstring& path, LightSettings& light);
void WriteLightOption(IniAccess& io, const std::wstring& path, const LightSettings& light, Failure& f);
void ReadProfileFile(IniAccess& io, const std::wstring& path, ProfileConfig& profile);
void WriteProfileFile(IniAccess& io, const std::wstring& path, const ProfileConfig& profile, Failure& f);

}  // namespace zavo::seq
