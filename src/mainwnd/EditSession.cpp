#include "mainwnd/EditSession.h"

#include "light/ProfileExchange.h"

namespace zavo {

EditSession::EditSession() : config_(std::make_unique<KeyboardConfig>()) {}

EditSession::~EditSession() = default;

void EditSession::LoadRestore(const std::wstring& dataFolder, const std::vector<backup::Generation>& gens,
                              size_t index) {
    backup::LoadAsOf(dataFolder, gens, index, *config_);
    restoredFiles_ = backup::RestoredBytesAsOf(dataFolder, gens, index);
    restored_ = std::make_unique<KeyboardConfig>(*config_);
    imported_.reset();
    modified_ = true;
}

void EditSession::TakeImport(int p, std::unique_ptr<ProfileExchange> imported) {
    PutImportedProfile(*config_, p, *imported);
    imported_ = std::move(imported);
    modified_ = true;
}

void EditSession::DropImport() { imported_.reset(); }

backup::Action EditSession::SaveAction() const {
    if (restored_) return backup::Action::Restore;
    return imported_ ? backup::Action::Import : backup::Action::Apply;
}

int EditSession::SaveActionProfile() const {
    return SaveAction() == backup::Action::Import ? config_->CurrantProfile : -1;
}

IniFileStatus EditSession::Saved(const std::wstring& dataFolder) {
    clearedProfile_ = -1;
    if (restored_) {
        // The save already wrote the same values: a file that cannot be put back
        // in its kept layout loses nothing, so it is no failure of the save.
        backup::PutBackUnchanged(dataFolder, *restored_, restoredFiles_, *config_);
        restored_.reset();
    }
    if (!imported_) return IniFileStatus{};
    const IniFileStatus written = WriteImportedZones(dataFolder, *imported_);
    if (written) imported_.reset();
    return written;
}

void EditSession::Discard() {
    modified_ = false;
    imported_.reset();
    restored_.reset();
    clearedProfile_ = -1;
}

bool EditSession::FirstBackupFailure(const backup::KeepOutcome& kept) {
    if (kept || backupFailureTold_) return false;
    backupFailureTold_ = true;
    return true;
}

}  // namespace zavo
