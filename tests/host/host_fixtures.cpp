#include "host_fixtures.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "drawing/writer.h"
#include "support/ezdxf_fixtures.h"
#include "textcore/utf8.h"

namespace zil::standin::test {
namespace {

const zil::test::TempFolder& FixtureFolder() { return zil::test::FixturesMadeBy("host/make_host_fixtures.py"); }

}  // namespace

std::string Fixture(const std::string& name) { return (FixtureFolder() / name).string(); }

std::string FixtureBytes(const std::string& name) { return zil::test::TempFolder::Read(Fixture(name)); }

std::u16string HandleOf(const std::string& name) {
  static const nlohmann::json handles = nlohmann::json::parse(FixtureBytes("handles.json"));
  return textcore::FromUtf8(handles.at(name).get<std::string>());
}

std::string Bytes(StandInDocument& document) { return drawing::WriteDxfToString(document.Dwg()); }

Host::Host(const std::string& fixture, const std::string& answers) : app(StandInApplication::Create()) {
  std::istringstream lines(answers);
  input = ScriptedInput::Parse(lines, "the test's answers");
  app->SetInputSource(&input);
  doc = app->OpenDrawing(Fixture(fixture));
  app->ProtectFile(Fixture(fixture));
}

AddInOnHost::AddInOnHost(const std::string& fixture, const std::string& answers)
    : fake(dir.path()), addin(fake.services(), dialogs), host(fixture, answers) {
  dir.Write("HebFonts.txt", "[Fonts]\nhebkeys=DosEnglish\nhebrew=DosHebrew\n");
  addin.Startup();
  object = addin.CreateObject();
  const automation::InvokeResult given = Call(u"SetApp", {automation::ApplicationRef(host.app)});
  if (given.hr != automation::S_OK) throw std::runtime_error("SetApp failed: " + given.error);
}

automation::InvokeResult AddInOnHost::Call(std::u16string_view name, std::vector<automation::Variant> args) {
  return automation::Invoke(*object, name, args);
}

}  // namespace zil::standin::test
