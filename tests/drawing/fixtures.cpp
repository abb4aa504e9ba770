#include "fixtures.h"

#include <stdexcept>

#include "support/process.h"
#include "support/temp_folder.h"

namespace zil::drawing::test {
namespace {

const zil::test::TempFolder& FixtureFolder() {
  static const zil::test::TempFolder folder;
  static const bool made = [] {
    const auto result = zil::test::RunProcess(
        {"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/drawing/make_fixtures.py", folder.path().string()});
    if (result.exitCode != 0) throw std::runtime_error("make_fixtures.py failed: " + result.err);
    return true;
  }();
  static_cast<void>(made);
  return folder;
}

}  // namespace

std::string Fixture(const std::string& name) { return (FixtureFolder() / name).string(); }

std::string FixtureBytes(const std::string& name) { return zil::test::TempFolder::Read(Fixture(name)); }

nlohmann::json ProbeWithEzdxf(const std::string& path) {
  const auto result = zil::test::RunProcess({"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/drawing/ezdxf_probe.py", path});
  if (result.exitCode != 0) throw std::runtime_error("ezdxf could not read " + path + ": " + result.err);
  return nlohmann::json::parse(result.out);
}

}  // namespace zil::drawing::test
