#include "config/data_folder.h"

namespace zil::config {
namespace {

std::filesystem::path WithSeparator(std::filesystem::path folder) {
  if (!folder.empty() && folder.filename().empty()) return folder;  // already ends with a separator
  return folder / "";
}

std::optional<std::filesystem::path> ExistingVeltro(const std::optional<std::filesystem::path>& base) {
  if (!base) return std::nullopt;
  const std::filesystem::path folder = *base / "Dastel" / "Veltro" / "";
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec)) return folder;
  return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> FindDataFolder(const platform::SpecialFolders& folders) {
  if (auto folder = folders.DataFolderOverride()) return WithSeparator(*folder);
  if (auto folder = ExistingVeltro(folders.Documents())) return folder;
  return ExistingVeltro(folders.ApplicationData());
}

std::filesystem::path ChooseDataFolder(const platform::SpecialFolders& folders) {
  if (auto folder = FindDataFolder(folders)) return *folder;
  return WithSeparator(folders.FixedDataFolder());
}

}  // namespace zil::config
