#include "platform/special_folders.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace zil::platform {
namespace {

std::optional<std::string> Env(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::filesystem::path Home() {
  if (auto home = Env("HOME")) return *home;
#ifdef _WIN32
  if (auto profile = Env("USERPROFILE")) return *profile;
#endif
  return std::filesystem::current_path();
}

std::filesystem::path ConfigHome() {
  if (auto config = Env("XDG_CONFIG_HOME")) return *config;
  return Home() / ".config";
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in user-dirs.dirs.
std::optional<std::filesystem::path> UserDirsDocuments() {
  std::ifstream file(ConfigHome() / "user-dirs.dirs");
  std::string line;
  const std::string key = "XDG_DOCUMENTS_DIR=";
  while (std::getline(file, line)) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) return Home().string() + value.substr(5);
    if (!value.empty() && value.front() == '/') return value;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> XdgSpecialFolders::Documents() const {
  if (auto documents = Env("XDG_DOCUMENTS_DIR")) return std::filesystem::path(*documents);
  if (auto documents = UserDirsDocuments()) return documents;
  return Home() / "Documents";
}

std::optional<std::filesystem::path> XdgSpecialFolders::ApplicationData() const { return ConfigHome(); }

std::filesystem::path XdgSpecialFolders::FixedDataFolder() const { return Home() / "Veltro" / ""; }

std::optional<std::filesystem::path> XdgSpecialFolders::DataFolderOverride() const {
  if (auto folder = Env("ZIL_DATA_FOLDER")) return std::filesystem::path(*folder);
  return std::nullopt;
}

}  // namespace zil::platform
