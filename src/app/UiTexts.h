// The texts of the windows beyond the 85 of the first string table, each with
// its string resource id in the language modules (lang\<Language>\lang.rc) and
// its English text, shown when a module lacks it. A text is read with
// AppContext::Text(kSomeText).
//
// Ids are kept in blocks by area so that each area grows on its own; every id
// used here is in all three language modules (the LanguageModules tests check
// that the modules agree). Ids 301-319 are the backup texts (BackupText).
#pragma once
#include "app/AppContext.h"

namespace zavo {

// Files that are not ours, special files and unsafe targets: ids 320-339.
// (end of ids 320-339)

// Backups, history and restore: ids 340-379.
// The restore window's entries, by what the entry was kept before: %1 the
// profile (I..V), %2 the date and time.
constexpr UiText kBackupBeforeSave{340, L"Before a save, %2"};
constexpr UiText kBackupBeforeApply{341, L"Before APPLY, %2"};
constexpr UiText kBackupBeforeReset{342, L"Before Reset of profile %1, %2"};
constexpr UiText kBackupBeforeLighting{343, L"Before a lighting change, %2"};
constexpr UiText kBackupBeforeImport{344, L"Before import into profile %1, %2"};
constexpr UiText kBackupBeforeRestore{345, L"Before a restore, %2"};
// (end of ids 340-379)

// Checking what is imported or read from outside: ids 380-399.
constexpr UiText kMacroFileTooLarge{380, L"The file is too large to be a macro file (a macro file is at most 256 KB)."};
// (end of ids 380-399)

// One instance, files changed behind the tool's back: ids 400-419.
// The question before a save when the settings files changed since the tool read them.
constexpr UiText kOutsideChangeTitle{400, L"The settings files were changed outside ZAVOConfig"};
constexpr UiText kOutsideChangeText{
    401, L"Since ZAVOConfig read them, another program (a restore, the keyboard service or a copy by hand) replaced these files:"};
constexpr UiText kOutsideChangeReload{
    402, L"Reload the files\nShow the settings as they are in the files now. Your changes that are not applied yet are dropped."};
constexpr UiText kOutsideChangeKeep{403, L"Keep my changes\nSave what this window shows over the files."};
constexpr UiText kOutsideChangeCancel{404, L"Cancel saves nothing now and keeps your changes."};
// (end of ids 400-419)

// The macro editor and its dialogs: ids 420-469.
// (end of ids 420-469)

// The lighting window and the lighting save: ids 470-494.
constexpr UiText kLightZonesNotSaved{470, L"The lit zones could not be saved."};
constexpr UiText kLightZonesSavedLater{471, L"The window shows your choice; it is saved with the zone's next change."};
// (end of ids 470-494)

// The key dialogs, the small dialogs and the main window's feedback: ids 495-519.
// (end of ids 495-519)

// The main window's questions and everything else: ids 520-559.
// (end of ids 520-559)

}  // namespace zavo
