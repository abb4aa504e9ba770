// What the conversion tests share: the drawings make_conversion_fixtures.py makes (once per test program),
// the handles of their entities, and a stand-in host with a copy of one of them open over font
// definitions whose table lists the fixtures' fonts.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace zil::conversions::test {

std::string Fixture(const std::string& name);
std::u16string HandleOf(const std::string& name);
// ezdxf's audit findings of a file: the number of errors (a failure to read is a test failure).
int EzdxfAuditErrors(const std::string& path);

class OnDrawing : public ::testing::Test {
 protected:
  explicit OnDrawing(const std::string& fixture = "mixed.dxf");

  acad::EntityPtr Entity(const std::string& name) { return host.AcadDoc->HandleToObject(HandleOf(name)); }
  std::string SourceBytes() const { return zil::test::TempFolder::Read(source); }

  zil::test::TempFolder work;  // the data folder (HebFonts.txt) and the drawing's copy
  zil::test::FakeServices fake;
  config::FontDefinitions fonts;
  std::filesystem::path source;
  std::shared_ptr<standin::StandInApplication> app;
  acad::HostState host;
};

}  // namespace zil::conversions::test
