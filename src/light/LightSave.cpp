#include "light/LightSave.h"

#include "platform/FileSystem.h"

namespace zavo {

SaveResult SaveLightSettings(const std::wstring& dataFolder, const KeyboardConfig& config,
                             backup::KeepOutcome* kept) {
    const std::wstring path = ConfigFilePath(dataFolder);
    // The earlier file is kept once the new one is written (as part of the
    // lighting window's backup when it is open).
    backup::ActionBackup backup(dataFolder, backup::Action::Lighting);
    SaveResult written, committed;
    {
        IniBatch batch(Settings());  // the file is written once
        written = fs::FileExists(path) ? WriteLightOption(path, config.Light) : WriteConfigFile(path, config);
        committed = batch.Commit();
    }
    backup::KeepOutcome outcome = backup.Finish();
    if (kept) *kept = std::move(outcome);
    return written ? committed : written;
}

}  // namespace zavo
