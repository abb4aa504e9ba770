// The user's special folders, where the add-in looks for its data folder.
#pragma once

#include <filesystem>
#include <optional>

namespace zil::platform {

class SpecialFolders {
 public:
  virtual ~SpecialFolders() = default;
  // The user's Documents folder.
  virtual std::optional<std::filesystem::path> Documents() const = 0;
  // The user's roaming application-data folder.
  virtual std::optional<std::filesystem::path> ApplicationData() const = 0;
  // The fixed data folder used when neither of the above holds one.
  virtual std::filesystem::path FixedDataFolder() const = 0;
  // A data folder named by the environment (ZIL_DATA_FOLDER), which overrides every rule.
  virtual std::optional<std::filesystem::path> DataFolderOverride() const = 0;
};

// Portable folders: Documents is the XDG documents folder ($XDG_DOCUMENTS_DIR, else the one named in
// $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Documents), application data is $XDG_CONFIG_HOME (default
// ~/.config), the fixed folder is ~/Veltro/.
class XdgSpecialFolders final : public SpecialFolders {
 public:
  std::optional<std::filesystem::path> Documents() const override;
  std::optional<std::filesystem::path> ApplicationData() const override;
  std::filesystem::path FixedDataFolder() const override;
  std::optional<std::filesystem::path> DataFolderOverride() const override;
};

}  // namespace zil::platform
