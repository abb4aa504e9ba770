#include "support/ezdxf_fixtures.h"

#include <map>
#include <memory>
#include <stdexcept>

#include "support/process.h"

namespace zil::test {

const TempFolder& FixturesMadeBy(const std::string& script) {
  static std::map<std::string, std::unique_ptr<TempFolder>> made;
  std::unique_ptr<TempFolder>& folder = made[script];
  if (!folder) {
    auto fresh = std::make_unique<TempFolder>();
    const auto result = RunProcess({"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/" + script, fresh->path().string()});
    if (result.exitCode != 0) throw std::runtime_error(script + " failed: " + result.err);
    folder = std::move(fresh);
  }
  return *folder;
}

std::u16string HandleMadeBy(const std::string& script, const std::string& name) {
  static std::map<std::string, nlohmann::json> handles;
  auto found = handles.find(script);
  if (found == handles.end())
    found =
        handles.emplace(script, nlohmann::json::parse(TempFolder::Read(FixturesMadeBy(script) / "handles.json"))).first;
  const std::string handle = found->second.at(name).get<std::string>();
  return {handle.begin(), handle.end()};  // hexadecimal digits
}

nlohmann::json ProbeWithEzdxf(const std::string& path) {
  const auto result = RunProcess({"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/drawing/ezdxf_probe.py", path});
  if (result.exitCode != 0) throw std::runtime_error("ezdxf could not read " + path + ": " + result.err);
  return nlohmann::json::parse(result.out);
}

}  // namespace zil::test
