// What the library window's tests share: the drawing make_library_fixtures.py writes (once per test
// program) and the handles of its entities, the font table of the tests' data folder, and the drawing
// opened in the stand-in host with scripted answers to its prompts.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/input_source.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "textcore/font_type.h"

namespace zil::library::test {

// hebrew DosHebrew, hebkeys DosEnglish, hebkeysr DosEnglishR.
inline constexpr const char* kFontTable =
    "[Fonts]\r\nhebrew=DosHebrew\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\n";

const std::filesystem::path& LibraryDrawing();
// The drawing form of `s` for a font type, apart from the add-in's own conversion state.
std::u16string DrawingForm(fntType type, bool backwards, std::u16string_view s);
std::u16string FixtureHandle(const char* name);

class LibraryDrawingTest : public ::testing::Test {
 protected:
  LibraryDrawingTest();

  // The answers to the host's prompts from now on, one a line (see standin/input_source.h).
  void Answer(const std::string& lines);
  // The entities of model space, in order.
  int Count() const { return doc->ModelSpace()->Count(); }
  acad::EntityPtr Last() const { return doc->ModelSpace()->Item(Count() - 1); }
  double TextSize() const;

  zil::test::TempFolder dir;  // the data folder
  zil::test::FakeServices fake{dir.path()};
  standin::ScriptedInput input;
  std::shared_ptr<standin::StandInApplication> app;
  std::shared_ptr<standin::StandInDocument> doc;
};

}  // namespace zil::library::test
