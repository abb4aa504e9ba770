#include "conversion_fixtures.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "support/process.h"
#include "textcore/utf8.h"

namespace zil::conversions::test {
namespace {

const zil::test::TempFolder& FixtureFolder() {
  static const zil::test::TempFolder folder;
  static const bool made = [] {
    const auto result = zil::test::RunProcess(
        {"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/conversions/make_conversion_fixtures.py", folder.path().string()});
    if (result.exitCode != 0) throw std::runtime_error("make_conversion_fixtures.py failed: " + result.err);
    return true;
  }();
  static_cast<void>(made);
  return folder;
}

// The data folder's font table must exist before the font definitions read it.
const zil::test::TempFolder& WithFontTable(const zil::test::TempFolder& folder) {
  folder.Write("HebFonts.txt", "[Fonts]\r\ntri=Windows\r\nhebkeysr=DosEnglishR\r\nveltro=Windows\r\n");
  return folder;
}

}  // namespace

std::string Fixture(const std::string& name) { return (FixtureFolder() / name).string(); }

std::u16string HandleOf(const std::string& name) {
  static const nlohmann::json handles =
      nlohmann::json::parse(zil::test::TempFolder::Read(FixtureFolder() / "handles.json"));
  return textcore::FromUtf8(handles.at(name).get<std::string>());
}

int EzdxfAuditErrors(const std::string& path) {
  const auto result = zil::test::RunProcess({"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/drawing/ezdxf_probe.py", path});
  if (result.exitCode != 0) throw std::runtime_error("ezdxf could not read " + path + ": " + result.err);
  return static_cast<int>(nlohmann::json::parse(result.out).at("errors").size());
}

OnDrawing::OnDrawing(const std::string& fixture)
    : fake(WithFontTable(work).path()), fonts(fake.services()), source(work / fixture) {
  std::filesystem::copy_file(Fixture(fixture), source);
  app = standin::StandInApplication::Create();
  app->OpenDrawing(source);
  host.AcadApp = app;
  host.RefreshHost(fake.keyboard);
}

}  // namespace zil::conversions::test
