// Earlier settings: before a save replaces any of the six settings files, the
// content it replaces is kept in a generation folder under "<data>\Backup\",
// named after the time of the save ("20261210-183700", a second one in the same
// second "20261210-183700-2"). A generation holds only the files that save
// changed; the newest kKeptGenerations are kept, older ones removed.
//
// The old content is kept by a hard link made before the replace (the settings
// engine replaces a file by renaming a new one over it, so the link keeps the
// old bytes), or by a copy where the file system cannot link. Nothing here
// touches the six files themselves except RestoreFiles, which writes them the
// way every save does.
#pragma once
#include <array>
#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "config/Ini.h"
#include "config/KeyboardConfig.h"

namespace zavo::backup {

constexpr size_t kKeptGenerations = 20;

// "<dataFolder>Backup\".
std::wstring BackupFolder(const std::wstring& dataFolder);

// The names of the six settings files, Config.config first.
const std::vector<std::wstring>& SettingsFileNames();

// One generation: its folder name and the settings files it holds (in the order
// of SettingsFileNames).
struct Generation {
    std::wstring name;
    std::vector<std::wstring> files;
};

// How a list shows a generation: its date and time ("2026-12-10 18:37:00", with
// " (2)" for the second of that second) and the files it holds.
std::wstring GenerationLabel(const Generation& g);

// The generations of a data folder, newest first. Folders of other names under
// "Backup\" are not generations and are left alone.
std::vector<Generation> ListGenerations(const std::wstring& dataFolder);

// What keeping the old content came to. `generation` is empty when nothing
// needed keeping; on failure `reason` says why (the save goes on regardless).
struct KeepOutcome {
    bool ok = true;
    std::wstring generation;
    std::wstring reason;
    explicit operator bool() const { return ok; }
};

// Keeps the current content of those `paths` (files of `dataFolder`) that exist,
// in a new generation named after `now` (never older than the newest one, so
// the names keep the order of the saves even when the clock goes back), then
// removes the generations past kKeptGenerations, oldest first. A generation
// that could not be completed is removed again.
KeepOutcome KeepBeforeReplace(const std::wstring& dataFolder, const std::vector<std::wstring>& paths,
                              std::time_t now = std::time(nullptr));

// "yyyymmdd-hhmmss" of `t` in local time.
std::wstring GenerationStamp(std::time_t t);

// The generation `when` names among `gens` (newest first): the folder name
// itself, else the newest whose name starts with `when` (a date-time prefix
// such as "20261210" or "20261210-18"). -1 when none.
int FindGeneration(const std::vector<Generation>& gens, const std::wstring& when);

// The settings as they were just before generation gens[index] was made: for
// each of the six files (SettingsFileNames order) the path holding that
// content. A generation holds only the files its save changed, so a file it
// lacks had the content the next later generation kept of it, or, when no later
// one holds it, still has it: the current file.
std::vector<std::wstring> SourcesAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens,
                                      size_t index);

// Reads the configuration as of gens[index] into `config`: the five profiles
// and the lighting. The active profile, the device state and the mode are the
// keyboard's present state and are kept as `config` holds them.
void LoadAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index,
              KeyboardConfig& config);

// The bytes of the five profile files as of gens[index] (`present` false for a
// file that was not there).
struct ProfileBytes {
    std::array<std::string, PROFILE_COUNT> bytes;
    std::array<bool, PROFILE_COUNT> present{};
};
ProfileBytes ProfileBytesAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index);

// After a save of `config` that followed a LoadAsOf giving `loaded`: every
// profile still equal to the loaded one gets its kept file back byte for byte
// (the values the save just wrote, in the kept file's own layout, so a restore
// left unedited gives back the very file). Returns the first failure.
IniFileStatus PutBackUnchangedProfiles(const std::wstring& dataFolder, const KeyboardConfig& loaded,
                                       const ProfileBytes& kept, const KeyboardConfig& config);

// Writes the six files back as they were before gens[index] was made, byte for
// byte: the current content of every file that changes is kept first (as a new
// generation, reported in `kept`); files equal to it are not written. A file
// that did not exist then is left as it is now. `written` gets the paths
// written. On failure the result names the file and the reason.
IniFileStatus RestoreFiles(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index,
                           KeepOutcome& kept, std::vector<std::wstring>& written);

}  // namespace zavo::backup
