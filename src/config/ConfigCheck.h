// Validation of a data folder's six settings files: that every value is there and
// well formed, within its range, and that the profiles keep the invariants the
// editing windows maintain (lent slots, macro budget, instant-shift choices).
// Reads only; never writes or creates anything.
#pragma once
#include <string>
#include <vector>

#include "config/KeyboardConfig.h"

namespace zavo {

struct ConfigProblem {
    std::wstring file;     // full path
    std::wstring section;  // "" for a problem with the whole file
    std::wstring key;      // "" for a problem with a whole section
    std::wstring reason;   // one short sentence
    bool operator==(const ConfigProblem& o) const {
        return file == o.file && section == o.section && key == o.key && reason == o.reason;
    }
};

// Checks "Config.config" and "Profile0.prof" .. "Profile4.prof" in `dataFolder`
// (with its trailing separator). An empty list means the folder is sound.
std::vector<ConfigProblem> CheckDataFolder(const std::wstring& dataFolder);

// Checks a file that holds one profile's sections and a [LIGHTOPTION] section (a
// profile file made for exchange) by the same rules as the data folder's files.
std::vector<ConfigProblem> CheckProfileAndLighting(const std::wstring& file);

// The invariants of one loaded profile alone (no file access); `file` is used to
// name where each problem lies.
std::vector<ConfigProblem> CheckProfile(const ProfileConfig& profile, const std::wstring& file);

// "file [section] key: reason", the form the tools print.
std::wstring FormatProblem(const ConfigProblem& p);

}  // namespace zavo
