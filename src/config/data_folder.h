// The data folder: where the settings file, the definition files and the text library live.
//
// The first rule that applies: the Documents folder + "Dastel/Veltro/" if that folder exists; the
// application-data folder + "Dastel/Veltro/" if that exists; otherwise the fixed folder, whether it exists
// or not. A folder named by ZIL_DATA_FOLDER overrides them all. Nothing here creates a folder. The result
// always ends with the path separator.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/special_folders.h"

namespace zil::config {

// Rules 1 and 2 only (module start-up): nothing when neither folder exists.
std::optional<std::filesystem::path> FindDataFolder(const platform::SpecialFolders& folders);

// All three rules.
std::filesystem::path ChooseDataFolder(const platform::SpecialFolders& folders);

}  // namespace zil::config
