#include "config/SettingsStamps.h"

#include "config/ConfigStore.h"

namespace zavo {

namespace {

// The file of stamp slot i: 0 Config.config, 1 + p profile p.
std::wstring SlotPath(const std::wstring& dataFolder, size_t i) {
    return i == 0 ? ConfigFilePath(dataFolder) : ProfileFilePath(dataFolder, static_cast<int>(i - 1));
}

std::wstring SlotName(size_t i) {
    return i == 0 ? std::wstring(L"Config.config") : L"Profile" + std::to_wstring(i - 1) + L".prof";
}

}  // namespace

SettingsStamps SettingsStamps::Take(const std::wstring& dataFolder) {
    SettingsStamps s;
    for (size_t i = 0; i < s.m_Files.size(); ++i) s.m_Files[i] = fs::Stat(SlotPath(dataFolder, i));
    return s;
}

std::vector<std::wstring> SettingsStamps::ChangedIn(const SettingsStamps& now) const {
    std::vector<std::wstring> changed;
    // A file that went away holds nothing a save could overwrite: the save
    // simply makes it again.
    for (size_t i = 0; i < m_Files.size(); ++i)
        if (now.m_Files[i].exists && m_Files[i] != now.m_Files[i]) changed.push_back(SlotName(i));
    return changed;
}

void SettingsStamps::TakeConfig(const std::wstring& dataFolder) { m_Files[0] = fs::Stat(SlotPath(dataFolder, 0)); }

void SettingsStamps::TakeConfigAfterOwnWrite(const std::wstring& dataFolder, const fs::FileStamp& before) {
    if (before == m_Files[0]) TakeConfig(dataFolder);
}

}  // namespace zavo
