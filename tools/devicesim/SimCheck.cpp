#include "SimCheck.h"

#include "config/ConfigCheck.h"
#include "config/ConfigStore.h"

namespace devicesim {

namespace {

std::wstring FileName(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring Describe(const zavo::ConfigProblem& p) {
    std::wstring where;
    if (!p.section.empty()) where += L"[" + p.section + L"]";
    if (!p.key.empty()) where += (where.empty() ? L"" : L" ") + p.key;
    return where.empty() ? ProblemReason(p) : where + L": " + ProblemReason(p);
}

}  // namespace

ApplyReport ReadAndCheckSettings(const std::wstring& dataFolder, int profile) {
    ApplyReport report;
    report.files.push_back({FileName(zavo::ConfigFilePath(dataFolder)), {}});
    for (int p = 0; p < zavo::PROFILE_COUNT; ++p)
        report.files.push_back({FileName(zavo::ProfileFilePath(dataFolder, p)), {}});

    for (const auto& problem : zavo::CheckDataFolder(dataFolder)) {
        std::wstring name = FileName(problem.file);
        for (auto& file : report.files) {
            if (file.name == name) file.problems.push_back(Describe(problem));
        }
        report.ok = false;
    }
    if (profile < 0 || profile >= zavo::PROFILE_COUNT) {
        report.files[0].problems.push_back(L"applied profile " + std::to_wstring(profile) + L" is not 0..4");
        report.ok = false;
    }
    // Only the path of LoadConfiguration that reads: with "Config.config" missing
    // it would create the folder and the file, which is the tool's business.
    if (zavo::fs::FileExists(zavo::ConfigFilePath(dataFolder))) {
        report.config = std::make_unique<zavo::KeyboardConfig>();
        zavo::LoadConfiguration(dataFolder, *report.config);
        report.loaded = true;
    }
    return report;
}

void ApplyToState(const ApplyReport& report, int profile, SimState& state) {
    state.profile = profile;
    state.filesChecked = true;
    state.filesOk = report.ok;
    state.filesSummary = L"6 files read, no problems";
    state.filesDetail = L"Config.config and Profile0..4.prof, at " + ClockNow();
    for (const auto& file : report.files) {
        if (!file.problems.empty()) {
            size_t n = file.problems.size();
            state.filesSummary = file.name + L": " + std::to_wstring(n) + (n == 1 ? L" problem" : L" problems");
            state.filesDetail = file.problems.front();
            break;
        }
    }
    state.tkeysAssigned = state.macros = state.keysRemapped = 0;
    if (!report.loaded) return;
    const zavo::KeyboardConfig& c = *report.config;
    state.mode = c.Mode;
    state.light = c.Light;
    state.lightKnown = true;
    if (profile < 0 || profile >= zavo::PROFILE_COUNT) return;
    const zavo::ProfileConfig& p = c.Profile[profile];
    for (const auto& slot : p.Button) {
        if (zavo::IsAssigned(slot.FunID)) ++state.tkeysAssigned;
        if (slot.FunID == zavo::FUNID_MACRO) ++state.macros;
    }
    for (const auto& key : p.SwapKey) {
        if (key.IsChanged == 1) ++state.keysRemapped;
    }
}

}  // namespace devicesim
