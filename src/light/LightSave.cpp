#include "light/LightSave.h"

#include "platform/FileSystem.h"

namespace zavo {

SaveResult SaveLightSettings(const std::wstring& dataFolder, const KeyboardConfig& config,
                             backup::KeepOutcome* kept) {
    const std::wstring path = ConfigFilePath(dataFolder);
    IniBatch batch(Settings());  // the file is written once, after its backup
    const SaveResult written =
        fs::FileExists(path) ? WriteLightOption(path, config.Light) : WriteConfigFile(path, config);
    std::vector<std::wstring> changing;
    for (const std::wstring& file : batch.PendingFiles())
        if (file == path) changing.push_back(file);
    backup::KeepOutcome outcome = backup::KeepBeforeReplace(dataFolder, changing);
    if (kept) *kept = std::move(outcome);
    const SaveResult committed = batch.Commit();
    return written ? committed : written;
}

}  // namespace zavo
