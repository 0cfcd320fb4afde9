// What the simulated service does on SVC_APPLY_PROFILE: read the six settings
// files with the tool's own reader and check them, as the keyboard would be
// programmed from them.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "SimState.h"
#include "config/KeyboardConfig.h"

namespace devicesim {

struct FileReport {
    std::wstring name;                   // "Config.config", "Profile0.prof", ...
    std::vector<std::wstring> problems;  // empty when the file is sound
};

struct ApplyReport {
    std::vector<FileReport> files;  // always the six files, in this order
    bool ok = true;
    bool loaded = false;                           // "Config.config" was there and the record was read
    std::unique_ptr<zavo::KeyboardConfig> config;  // ~1 MB, so on the heap
};

// Reads nothing but the six files and writes nothing.
ApplyReport ReadAndCheckSettings(const std::wstring& dataFolder, int profile);

// Puts the applied profile's summary, the mode and the lighting into `state`.
void ApplyToState(const ApplyReport& report, int profile, SimState& state);

}  // namespace devicesim
