// What the stand-in host tests share: the drawings made by make_host_fixtures.py (once per test program,
// in a temporary folder), the handles of their entities, and a host with a document open and scripted
// answers, over an add-in whose data folder lists "hebkeys" as a DosEnglish font.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "acad/host_state.h"
#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dispatch.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/input_source.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace zil::standin::test {

// The path of a fixture drawing ("hebrew.dxf", ...) and its bytes.
std::string Fixture(const std::string& name);
std::string FixtureBytes(const std::string& name);
// The handle make_host_fixtures.py recorded for `name` ("keys", "line", "attrib_name", ...).
std::u16string HandleOf(const std::string& name);

// The bytes the document would be saved as.
std::string Bytes(StandInDocument& document);

// A stand-in host with one drawing open, answers from `answers` (input_source.h's lines).
class Host {
 public:
  explicit Host(const std::string& fixture, const std::string& answers = {});
  std::shared_ptr<StandInApplication> app;
  std::shared_ptr<StandInDocument> doc;
  ScriptedInput input;
  acad::EntityPtr Entity(const std::string& name) { return doc->HandleToObject(HandleOf(name)); }
};

// The add-in (with its automation object) over a stand-in host, as the command layer drives it: SetApp is
// called with the host's application.
class AddInOnHost : public ::testing::Test {
 protected:
  explicit AddInOnHost(const std::string& fixture = "hebrew.dxf", const std::string& answers = {});

  automation::InvokeResult Call(std::u16string_view name, std::vector<automation::Variant> args = {});
  std::u16string Hebstr() { return Call(u"Hebstr").value.value(); }

  zil::test::TempFolder dir;
  zil::test::FakeServices fake;
  automation::NoDialogs dialogs;
  automation::AddIn addin;
  std::unique_ptr<automation::Tautozil> object;
  Host host;
};

}  // namespace zil::standin::test
