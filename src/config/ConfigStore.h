// Loading and saving KeyboardConfig: "Config.config" and the five profile files
// "Profile0.prof" .. "Profile4.prof" in the data folder, through the settings
// primitives of Ini.h. The device service reads the same files, so the sections,
// keys, value encodings and order of writing here are the contract between the
// two programs.
//
// Every operation takes the data folder (with its trailing separator) or the
// file's full path as a parameter; nothing here keeps global paths.
#pragma once
#include <string>

#include "config/Backups.h"
#include "config/Ini.h"
#include "config/KeyboardConfig.h"

namespace zavo {

// Outcome of writing settings files: on failure `file` names the file that could
// not be written and `reason` holds the system's own reason text.
using SaveResult = IniFileStatus;

// The light state file's name (LightStateFile.h); the program writes it in the
// data folder beside the six settings files.
constexpr wchar_t LIGHT_STATE_FILE_NAME[] = L"LightOption.ini";

// "<dataFolder>Config.config" and "<dataFolder>Profile<p>.prof".
std::wstring ConfigFilePath(const std::wstring& dataFolder);
std::wstring ProfileFilePath(const std::wstring& dataFolder, int profile);
// "<profile file>.reset": where a reset keeps the profile's old file while its
// save writes the cleared one. LoadConfiguration settles one a run left: put
// back when the profile file is missing (the save never came: the old content
// wins), removed when the profile file is there (the save was done).
std::wstring ProfileAsidePath(const std::wstring& dataFolder, int profile);

// Section CONFIG into CurrantProfile, DeviceState, Mode, then LIGHTOPTION into
// Light. Missing keys take -1.
void ReadConfigFile(const std::wstring& path, KeyboardConfig& config);
// Section CONFIG (CURRENTPROFILE, DEVICEPSTATS, Mode), then LIGHTOPTION. The file
// is written once, complete.
SaveResult WriteConfigFile(const std::wstring& path, const KeyboardConfig& config);
// Only CONFIG / Mode.
SaveResult WriteConfigMode(const std::wstring& path, std::int32_t mode);
// Only CONFIG / CURRENTPROFILE: the active profile as the main window keeps it
// (the profile switcher's write).
SaveResult WriteConfigProfile(const std::wstring& path, std::int32_t profile);

// The ten LIGHTOPTION keys; missing keys take -1.
void ReadLightOption(const std::wstring& path, LightSettings& light);
SaveResult WriteLightOption(const std::wstring& path, const LightSettings& light);

// One profile: ALTERNATE_PROFILE, then slots 0..19 ("BUTTONCONFIG%d" and
// "MACROG%d"), then standard keys 0..158 ("MAXTRIXSWAPKEY%d"). Reading keeps
// what the file does not cover (see the .cpp for each rule).
void ReadProfileFile(const std::wstring& path, ProfileConfig& profile);
SaveResult WriteProfileFile(const std::wstring& path, const ProfileConfig& profile);

// Which of the three start-up paths LoadConfiguration took.
enum class LoadPath {
    Loaded,         // Config.config existed: all six files read
    FolderCreated,  // first start: folder created, Config.config written, slots cleared
    FolderExisted,  // folder there without Config.config: defaults, existing profiles read
};

struct LoadResult {
    LoadPath path = LoadPath::Loaded;
    SaveResult written;  // the Config.config write of the first-start path
};

// The start-up and reload procedure. `config` should hold the state to keep for
// whatever the files do not cover (a default-constructed record at start).
LoadResult LoadConfiguration(const std::wstring& dataFolder, KeyboardConfig& config);

// Writes Config.config and all five profile files, each once and complete (a
// reader never sees half a file). Creates the data folder first when
// Config.config is missing. Every file is attempted; the result names the first
// one that failed. The earlier content of the files the save changed is kept
// as a backup generation (Backups.h), or as part of the generation of the user
// action open around the save; a backup that cannot be made never stops the
// save: `kept` (when given) tells how it went. Then the temporary files killed
// writers left in the data folder are removed (RemoveStaleSettingsTemporaries).
SaveResult SaveConfiguration(const std::wstring& dataFolder, const KeyboardConfig& config,
                             backup::KeepOutcome* kept = nullptr);

// Removes from the data folder the temporary files that killed writers left of
// the files the program writes there (the six settings files and the light
// state file), and nothing else; SaveConfiguration does it after its commit.
size_t RemoveStaleSettingsTemporaries(const std::wstring& dataFolder);

// Reads an existing data folder and creates or writes nothing (for the tools and
// the device service): every value Config.config and the profile files hold; a
// missing profile file reads as the read defaults. False, with the path and the
// reason in `error`, when the folder or Config.config is missing or a file
// exists but cannot be read; `config` is then unchanged.
bool ReadDataFolder(const std::wstring& dataFolder, KeyboardConfig& config, std::wstring& error);

// Clears slot `s` as a first start does: FunID 0, no path, empty macro group.
void ClearSlot(ButtonConfig& slot);

}  // namespace zavo
