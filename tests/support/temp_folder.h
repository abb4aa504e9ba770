// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zil::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes `bytes` to `name` inside the folder (creating subfolders) and returns its path.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
  // The bytes of a file.
  static std::string Read(const std::filesystem::path& file);

 private:
  std::filesystem::path path_;
};

}  // namespace zil::test
