// The main window's edit session: the configuration being edited, whether it
// holds edits not applied yet, and what the next save owes besides writing the
// settings files: the file of a profile a reset cleared is written whole, the
// backup names the action (apply, import or restore), a restore left unedited
// gets its kept files back, an import's zone states reach the light state file.
// A reload from disk discards all of it.
//
// Portable: the window calls it and shows the outcome; it is tested natively.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "config/Backups.h"
#include "config/Ini.h"
#include "config/KeyboardConfig.h"

namespace zavo {

struct ProfileExchange;

class EditSession {
public:
    EditSession();
    ~EditSession();
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    // What is being edited; the object stays the same for the whole session.
    KeyboardConfig& Config() { return *config_; }
    const KeyboardConfig& Config() const { return *config_; }

    // Edits that the device has not been given yet.
    bool Modified() const { return modified_; }
    void MarkModified() { modified_ = true; }
    // The edits were applied, or the user let them go: nothing is waiting.
    void MarkApplied() { modified_ = false; }

    // A reset cleared profile `p` in memory: the next save writes its file
    // whole, so the old file cannot lend it keys the reset removed.
    void NoteProfileCleared(int p) { clearedProfile_ = p; }
    // The profile whose file the next save writes whole (-1: none).
    int ClearedProfile() const { return clearedProfile_; }

    // Loads the settings as of gens[index] as an edit (profiles and lighting;
    // see backup::LoadAsOf) and reads the kept files they came from now, since
    // the save that keeps the current files may rotate that generation out. An
    // import's waiting zone states are dropped: they are not part of the restored
    // settings and would mix two of them.
    void LoadRestore(const std::wstring& dataFolder, const std::vector<backup::Generation>& gens, size_t index);
    // Puts an imported profile file into profile `p` (its profile and lighting);
    // its zone states wait for the next save.
    void TakeImport(int p, std::unique_ptr<ProfileExchange> imported);
    // The import whose zone states wait for the next save (nullptr: none).
    const ProfileExchange* WaitingImport() const { return imported_.get(); }
    // The zone states no longer wait (the lighting window wrote their light profile).
    void DropImport();

    // What the next save is kept as in the backups, and the profile named with it (-1: none).
    backup::Action SaveAction() const;
    int SaveActionProfile() const;

    // After a save of Config() that succeeded: the cleared profile is written,
    // the kept files of an unedited restore are put back, and an import's zone
    // states are written. Returns that last write's status (ok without an
    // import); when it failed the states stay waiting for the next save.
    IniFileStatus Saved(const std::wstring& dataFolder);

    // The settings were read again from disk over Config(): the edits and all
    // a save owed for them are gone.
    void Discard();

    // True for the first backup of the session that could not be made (the
    // user is told once; later ones only fail quietly again).
    bool FirstBackupFailure(const backup::KeepOutcome& kept);

private:
    std::unique_ptr<KeyboardConfig> config_;
    bool modified_ = false;
    int clearedProfile_ = -1;
    // An imported profile's zone states, written with the next save.
    std::unique_ptr<ProfileExchange> imported_;
    // What the last restore loaded and the kept files it came from: a profile
    // saved unchanged gets its kept file back byte for byte.
    std::unique_ptr<KeyboardConfig> restored_;
    backup::RestoredBytes restoredFiles_;
    bool backupFailureTold_ = false;
};

}  // namespace zavo
