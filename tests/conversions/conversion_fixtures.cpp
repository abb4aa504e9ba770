#include "conversion_fixtures.h"

#include <nlohmann/json.hpp>

#include "support/ezdxf_fixtures.h"
#include "textcore/utf8.h"

namespace zil::conversions::test {
namespace {

const zil::test::TempFolder& FixtureFolder() {
  return zil::test::FixturesMadeBy("conversions/make_conversion_fixtures.py");
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
  return static_cast<int>(zil::test::ProbeWithEzdxf(path).at("errors").size());
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
