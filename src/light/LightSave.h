// Saving the lighting alone. The lighting is one setting for the whole keyboard
// and takes effect when it is chosen, while key and instant-shift edits wait
// for the main window's apply: a lighting save writes only the LIGHTOPTION
// section of Config.config and leaves the profile files and the CONFIG section
// as they are on disk.
#pragma once
#include <string>

#include "config/Backups.h"
#include "config/ConfigStore.h"

namespace zavo {

// Writes `config.Light` into the data folder's Config.config, keeping the file's
// old content first as a backup generation when the write changes it (a backup
// that cannot be made never stops the save: `kept` tells how it went). Without
// Config.config the file is written whole from `config`, so that it never holds
// the lighting without its CONFIG values. On failure the result names the file
// and the reason.
SaveResult SaveLightSettings(const std::wstring& dataFolder, const KeyboardConfig& config,
                             backup::KeepOutcome* kept = nullptr);

}  // namespace zavo
