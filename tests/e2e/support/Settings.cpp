#include "Harness.h"
#include "config/Ini.h"

namespace zavo::e2e {

int SettingInt(const std::wstring& dataFolder, const std::wstring& file, const std::wstring& section,
               const std::wstring& key, int fallback) {
    return Settings().IniReadInt(dataFolder + file, section, key, fallback);
}

std::wstring SettingString(const std::wstring& dataFolder, const std::wstring& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& fallback) {
    return Settings().IniReadString(dataFolder + file, section, key, fallback);
}

}  // namespace zavo::e2e
