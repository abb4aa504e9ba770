#include "fixtures.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "support/process.h"

namespace zil::drawing::test {
namespace {

// The folders this test program made, removed when it ends.
std::vector<std::string>& MadeFolders() {
  static struct Folders {
    std::vector<std::string> paths;
    ~Folders() {
      for (const std::string& path : paths) {
        std::error_code ignored;  // a folder that cannot be removed only wastes space in /tmp
        std::filesystem::remove_all(path, ignored);
      }
    }
  } folders;
  return folders.paths;
}

const std::string& FixtureDir() {
  static const std::string dir = [] {
    const std::string made = NewTempDir();
    const auto result = zil::test::RunProcess({"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/drawing/make_fixtures.py", made});
    if (result.exitCode != 0) throw std::runtime_error("make_fixtures.py failed: " + result.err);
    return made;
  }();
  return dir;
}

}  // namespace

std::string Fixture(const std::string& name) { return FixtureDir() + "/" + name; }

std::string NewTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zil-drawing-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  MadeFolders().push_back(pattern);
  return pattern;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

nlohmann::json ProbeWithEzdxf(const std::string& path) {
  const auto result = zil::test::RunProcess({"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/drawing/ezdxf_probe.py", path});
  if (result.exitCode != 0) throw std::runtime_error("ezdxf could not read " + path + ": " + result.err);
  return nlohmann::json::parse(result.out);
}

}  // namespace zil::drawing::test
