// Earlier settings: what one user action (an APPLY, a reset, the lighting
// window, an import, a restore) replaced of the settings files is kept as
// one generation, a folder under "<data>\Backup\" named after the time
// ("20261210-183700", a second one in the same second "20261210-183700-2").
//
// An ActionBackup reads the settings files when the action starts; when it ends,
// the earlier bytes of every file whose content then differs are written into a
// folder of another name ("<stamp>-<k>.partial"), with a small "Generation.ini"
// saying what the action was, and that folder is renamed to the generation's
// name: a generation is there whole or not at all, and only a change that
// reached the disk is kept (a failed save leaves nothing). The bytes are copies,
// never other names of the live files.
//
// Retention goes by file, not by count of saves: a generation stays while it
// holds one of the last kKeptVersions earlier contents of any of its files, so
// no kind of save pushes out the history of another file. Removing one renames
// it away first ("<name>.removed") and never follows a link; one rotation
// removes at most kRemovalsPerSave folders, so a folder full of old ones never
// holds a save up for long.
#pragma once
#include <array>
#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "config/Ini.h"
#include "config/KeyboardConfig.h"

namespace zavo::backup {

// Earlier contents of each file that are kept at least.
constexpr size_t kKeptVersions = 20;
// Folders one rotation removes at most.
constexpr size_t kRemovalsPerSave = 20;

// "<dataFolder>Backup\".
std::wstring BackupFolder(const std::wstring& dataFolder);

// The names of the settings files: Config.config, Profile0.prof ..
// Profile4.prof, LightOption.ini, and the application rules AppProfiles.ini.
const std::vector<std::wstring>& SettingsFileNames();
constexpr size_t kLightFileIndex = 6;

// What a generation was kept before.
enum class Action : int { Save, Apply, Reset, Lighting, Import, Restore, AppProfiles };

// One generation: its folder name, the settings files it holds (in the order of
// SettingsFileNames) and the action it was kept before. Generations made before
// the label file existed read as Action::Save.
struct Generation {
    std::wstring name;
    std::vector<std::wstring> files;
    Action action = Action::Save;
    int profile = -1;  // 0..4: the profile a reset or an import was of
};

// The generation's date and time, "2026-12-10 18:37:00" (" (2)" added for the
// second of that second).
std::wstring GenerationTime(const Generation& g);
// The time and the files it holds, for the tools.
std::wstring GenerationLabel(const Generation& g);
// "Apply", "Reset"...: the word of the label file.
const wchar_t* ActionWord(Action a);

// The generations of a data folder, newest first; one dated more than a day
// after the clock (a clock that was wrong) comes after the others. Folders of
// other names, and links, are not generations and are left alone.
std::vector<Generation> ListGenerations(const std::wstring& dataFolder);

// What keeping the old content came to. `generation` is empty when nothing
// needed keeping; on failure `failure` says what failed where, and why (the
// save goes on regardless).
struct KeepOutcome {
    std::wstring generation;
    Outcome failure;
    explicit operator bool() const { return failure.ok(); }
};

// The backup of one user action (see the top of this file). Made before the
// action writes anything; Finish (or the destructor) keeps the earlier content
// of the files the action changed as one generation and rotates. An
// ActionBackup made while another one for the same data folder lives is part of
// that one: its Finish keeps nothing, so the saves of one action make one
// generation. Use from one thread.
class ActionBackup {
public:
    ActionBackup(std::wstring dataFolder, Action action, int profile = -1);
    ~ActionBackup();
    ActionBackup(const ActionBackup&) = delete;
    ActionBackup& operator=(const ActionBackup&) = delete;

    KeepOutcome Finish(std::time_t now = std::time(nullptr));

private:
    std::wstring dataFolder_;
    Action action_;
    int profile_;
    bool outer_ = true;
    bool finished_ = false;
    ActionBackup* enclosing_ = nullptr;
    std::vector<std::optional<std::string>> before_;  // by SettingsFileNames; empty: not there
};

// "yyyymmdd-hhmmss" of `t` in local time.
std::wstring GenerationStamp(std::time_t t);

// Removes at most kRemovalsPerSave folders of the backup folder: generations
// no file needs any more (see the top of this file) and folders that runs
// killed half-way left. Returns how many went.
size_t Rotate(const std::wstring& dataFolder, std::time_t now = std::time(nullptr));

// The generation `when` names among `gens` (newest first): the folder name
// itself, else the newest whose name starts with `when` (a date-time prefix
// such as "20261210" or "20261210-18"). -1 when none.
int FindGeneration(const std::vector<Generation>& gens, const std::wstring& when);

// The settings as they were just before generation gens[index] was made: for
// each of the settings files (SettingsFileNames order) the path holding that
// content. A generation holds only the files its action changed, so a file it
// lacks had the content the next later generation kept of it, or, when no later
// one holds it, still has it: the current file.
std::vector<std::wstring> SourcesAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens,
                                      size_t index);

// Reads the configuration as of gens[index] into `config`: the five profiles
// and the lighting. The active profile, the device state and the mode are the
// keyboard's present state and are kept as `config` holds them.
void LoadAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index,
              KeyboardConfig& config);

// The settings files from this index of SettingsFileNames on are put back whole
// by a restore loaded as an edit: LightOption.ini (its zones) and
// AppProfiles.ini (the rules), which the edited configuration does not hold.
constexpr size_t kFirstWholeFileIndex = kLightFileIndex;

// The bytes of the five profile files as of gens[index] (`present` false for a
// file that was not there), and of each file put back whole both as of then and
// as it is at the time of the call: those files are written at once by other
// windows (the lighting window's zones, the rules window), so one is put back
// only while nobody changed it since.
struct RestoredBytes {
    std::array<std::string, PROFILE_COUNT> bytes;
    std::array<bool, PROFILE_COUNT> present{};
    struct WholeFile {
        std::wstring name;                  // as in SettingsFileNames
        std::optional<std::string> asOf;    // nullopt: not there then
        std::optional<std::string> atLoad;  // nullopt: not there at the call
    };
    std::vector<WholeFile> whole;
};
RestoredBytes RestoredBytesAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index);

// After a save of `config` that followed a LoadAsOf giving `loaded`: every
// profile still equal to the loaded one gets its kept file back byte for byte
// (the values the save just wrote, in the kept file's own layout, so a restore
// left unedited gives back the very file), and each file put back whole its kept
// bytes while it still is as it was when the restore was loaded. Call it inside
// the save's ActionBackup, so the content it replaces is kept too. Returns the
// first failure.
IniFileStatus PutBackUnchanged(const std::wstring& dataFolder, const KeyboardConfig& loaded,
                               const RestoredBytes& kept, const KeyboardConfig& config);

// Writes the settings files back as they were before gens[index] was made, byte
// for byte and all together: every new content is written beside its file
// first, and only when all are there do they replace the files; when one
// cannot, those already replaced get their content back. The content replaced
// is kept as a generation of Action::Restore (reported in `kept`). Files equal
// to their old content are not written; a file that did not exist then is left
// as it is now. `written` gets the paths written. On failure the result names
// the file and the reason, and no file has changed.
IniFileStatus RestoreFiles(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index,
                           KeepOutcome& kept, std::vector<std::wstring>& written);

}  // namespace zavo::backup
