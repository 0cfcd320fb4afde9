// What the tool last read or wrote of its six settings files (Config.config
// and the five profile files): each file's size and modification time. Before
// a save the window compares them with the files on disk, so a file another
// program replaced meanwhile (a restore from the command line, the service, a
// copy by hand) is never overwritten without asking.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "config/KeyboardConfig.h"
#include "platform/FileSystem.h"

namespace zavo {

class SettingsStamps {
public:
    // The stamps of the files of `dataFolder` as they are now.
    static SettingsStamps Take(const std::wstring& dataFolder);
    // The names of the files of `now` whose stamp differs from this one's (a
    // file that appeared included, one that went away not), in the order
    // Config.config, Profile0..4.
    std::vector<std::wstring> ChangedIn(const SettingsStamps& now) const;
    // Takes Config.config's stamp again after the tool read the whole file.
    void TakeConfig(const std::wstring& dataFolder);
    // Takes Config.config's stamp again after the tool wrote that file alone,
    // but only when nobody else had changed it before (`before` is its stamp
    // taken just ahead of the write): an outside change stays noticed.
    void TakeConfigAfterOwnWrite(const std::wstring& dataFolder, const fs::FileStamp& before);

private:
    std::array<fs::FileStamp, 1 + PROFILE_COUNT> m_Files{};
};

}  // namespace zavo
