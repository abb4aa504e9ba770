// The user's special folders on Windows: Documents (CSIDL_PERSONAL) and the roaming application data
// (CSIDL_APPDATA) through SHGetFolderPathW, the fixed data folder "c:\Veltro\", and the ZIL_DATA_FOLDER
// override read from the process environment (wide, so any path works).
#pragma once

#include "platform/special_folders.h"

namespace zil::platform {

class Win32SpecialFolders final : public SpecialFolders {
 public:
  std::optional<std::filesystem::path> Documents() const override;
  std::optional<std::filesystem::path> ApplicationData() const override;
  std::filesystem::path FixedDataFolder() const override;
  std::optional<std::filesystem::path> DataFolderOverride() const override;
};

}  // namespace zil::platform
