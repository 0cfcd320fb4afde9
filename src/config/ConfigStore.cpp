#include "config/ConfigStore.h"

#include "config/ConfigSequence.h"
#include "config/IniFile.h"

#include <memory>
#include <vector>

namespace zavo {
namespace {

SaveResult Result(const std::wstring& path, const seq::Failure& f) {
    return f.failed ? f.first.At(path) : SaveResult{};
}

// Ends the batch of one file's writes: a write refused before reaching the file
// (a value with a line break) is reported even when the file was written.
SaveResult Finish(IniBatch& batch, const std::wstring& path, const seq::Failure& f) {
    SaveResult flushed = batch.Commit();
    return flushed ? Result(path, f) : flushed;
}

// Creates the data folder. The parents of its last level are created first when
// missing (on a new machine the maker's folder under the application-data folder
// does not exist yet); `created` tells whether the last level was made now. Fails
// with the system's reason for the first level that could not be made; a folder
// that is already there is no failure.
fs::Status MakeDataFolder(const std::wstring& folder, bool& created) {
    created = false;
    if (folder.empty()) return Outcome::Refused(FileStep::MakeFolder, folder, Refusal::NoFolder);
    std::wstring path = folder;
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    size_t cut = path.find_last_of(L"\\/");
    if (cut != std::wstring::npos && cut > 0) {
        std::wstring parent = path.substr(0, cut);
        if (!fs::DirectoryExists(parent)) {
            bool ignored = false;
            if (fs::Status made = MakeDataFolder(parent + path[cut], ignored); !made) return made;
        }
    }
    bool exists = false;
    fs::Status made = fs::MakeDirectory(path, &exists);
    created = static_cast<bool>(made);
    return created || exists ? fs::Status::Ok() : made;
}

// Whether a file of the data folder is one the program writes there.
bool IsOwnDataFile(std::wstring_view name) {
    const std::wstring folded = ini::FoldName(name);
    if (folded == ini::FoldName(LIGHT_STATE_FILE_NAME)) return true;
    for (const std::wstring& own : backup::SettingsFileNames())
        if (folded == ini::FoldName(own)) return true;
    return false;
}

}  // namespace

std::wstring ConfigFilePath(const std::wstring& dataFolder) { return dataFolder + L"Config.config"; }

std::wstring ProfileFilePath(const std::wstring& dataFolder, int profile) {
    return dataFolder + L"Profile" + std::to_wstring(profile) + L".prof";
}

void ClearSlot(ButtonConfig& slot) {
    slot.FunID = FUNID_NONE;
    slot.AppPath.clear();
    MacroGroup& m = slot.Macro;
    m.MacroName.clear();
    m.MacroLength = 0;
    m.Macro.fill(0);
    m.RepeatOption = 0;
    m.RepeatTimes = 0;
}

void ReadLightOption(const std::wstring& path, LightSettings& light) {
    IniSnapshot snapshot(Settings());
    seq::ReadLightOption(snapshot, path, light);
}

SaveResult WriteLightOption(const std::wstring& path, const LightSettings& light) {
    IniBatch batch(Settings());
    seq::Failure f;
    seq::WriteLightOption(batch, path, light, f);
    return Finish(batch, path, f);
}

void ReadConfigFile(const std::wstring& path, KeyboardConfig& config) {
    IniSnapshot snapshot(Settings());
    seq::ReadConfigFile(snapshot, path, config);
}

SaveResult WriteConfigFile(const std::wstring& path, const KeyboardConfig& config) {
    IniBatch batch(Settings());
    seq::Failure f;
    seq::WriteConfigFile(batch, path, config, f);
    return Finish(batch, path, f);
}

SaveResult WriteConfigMode(const std::wstring& path, std::int32_t mode) {
    fs::Status s = Settings().IniWriteInt(path, L"CONFIG", L"Mode", mode);
    return s ? SaveResult{} : s.At(path);
}

void ReadProfileFile(const std::wstring& path, ProfileConfig& profile) {
    IniSnapshot snapshot(Settings());
    seq::ReadProfileFile(snapshot, path, profile);
}

SaveResult WriteProfileFile(const std::wstring& path, const ProfileConfig& profile) {
    IniBatch batch(Settings());
    seq::Failure f;
    seq::WriteProfileFile(batch, path, profile, f);
    return Finish(batch, path, f);
}

std::wstring ProfileAsidePath(const std::wstring& dataFolder, int profile) {
    return ProfileFilePath(dataFolder, profile) + L".reset";
}

namespace {

void SettleProfilesSetAside(const std::wstring& dataFolder) {
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        const std::wstring aside = ProfileAsidePath(dataFolder, p);
        if (!fs::FileExists(aside)) continue;
        const std::wstring profile = ProfileFilePath(dataFolder, p);
        if (fs::FileExists(profile))
            fs::RemoveFile(aside);
        else
            fs::RenameFile(aside, profile);
    }
}

}  // namespace

LoadResult LoadConfiguration(const std::wstring& dataFolder, KeyboardConfig& c) {
    SettleProfilesSetAside(dataFolder);
    LoadResult r;
    const std::wstring config = ConfigFilePath(dataFolder);
    if (fs::FileExists(config)) {
        r.path = LoadPath::Loaded;
        ReadConfigFile(config, c);
        for (int p = 0; p < PROFILE_COUNT; ++p) ReadProfileFile(ProfileFilePath(dataFolder, p), c.Profile[p]);
        return r;
    }
    bool created = false;
    MakeDataFolder(dataFolder, created);
    if (created) {
        r.path = LoadPath::FolderCreated;
        r.written = WriteConfigFile(config, c);
        for (auto& profile : c.Profile)
            for (auto& slot : profile.Button) ClearSlot(slot);
        return r;
    }
    r.path = LoadPath::FolderExisted;
    ReadConfigFile(config, c);
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        const std::wstring file = ProfileFilePath(dataFolder, p);
        if (fs::FileExists(file)) {
            ReadProfileFile(file, c.Profile[p]);
        } else {
            for (auto& slot : c.Profile[p].Button) slot.FunID = FUNID_NONE;
        }
    }
    return r;
}

bool ReadDataFolder(const std::wstring& dataFolder, KeyboardConfig& config, std::wstring& error) {
    if (!fs::DirectoryExists(dataFolder)) {
        error = dataFolder + L": no such folder";
        return false;
    }
    const std::wstring configFile = ConfigFilePath(dataFolder);
    if (!fs::FileExists(configFile)) {
        error = configFile + L": no such file";
        return false;
    }
    std::vector<std::wstring> files = {configFile};
    for (int p = 0; p < PROFILE_COUNT; ++p) files.push_back(ProfileFilePath(dataFolder, p));
    for (const auto& f : files) {
        std::string bytes;
        if (!fs::FileExists(f)) continue;
        if (fs::Status s = fs::ReadWholeFile(f, bytes); !s) {
            error = DescribeFailure(s.At(f));
            return false;
        }
    }
    IniSnapshot snapshot(Settings());
    seq::ReadConfigFile(snapshot, configFile, config);
    for (int p = 0; p < PROFILE_COUNT; ++p)
        seq::ReadProfileFile(snapshot, ProfileFilePath(dataFolder, p), config.Profile[p]);
    return true;
}

SaveResult SaveConfiguration(const std::wstring& dataFolder, const KeyboardConfig& c, backup::KeepOutcome* kept) {
    const std::wstring config = ConfigFilePath(dataFolder);
    if (!fs::FileExists(config)) {
        bool created = false;
        // Without the folder no file can be written: its own reason is the one to report.
        if (fs::Status made = MakeDataFolder(dataFolder, created); !made)
            return made.At(dataFolder);
    }
    // The content the save replaces is kept once the files are written (as part
    // of the caller's user action when one is open).
    backup::ActionBackup backup(dataFolder, backup::Action::Save);
    SaveResult first, flushed;
    {
        // One batch around the six: every file is written once, at the end.
        IniBatch batch(Settings());
        first = WriteConfigFile(config, c);
        for (int p = 0; p < PROFILE_COUNT; ++p) {
            SaveResult r = WriteProfileFile(ProfileFilePath(dataFolder, p), c.Profile[p]);
            if (!r && first) first = r;
        }
        flushed = batch.Commit();
    }
    backup::KeepOutcome outcome = backup.Finish();
    if (kept) *kept = std::move(outcome);
    RemoveStaleSettingsTemporaries(dataFolder);
    return first ? flushed : first;
}

size_t RemoveStaleSettingsTemporaries(const std::wstring& dataFolder) {
    return fs::RemoveStaleTemporaries(dataFolder, IsOwnDataFile);
}

}  // namespace zavo
