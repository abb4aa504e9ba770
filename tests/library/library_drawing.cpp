#include "library_drawing.h"

#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <variant>

#include "support/process.h"
#include "textcore/font_converter.h"
#include "textcore/utf8.h"

namespace zil::library::test {
namespace {

const zil::test::TempFolder& FixtureFolder() {
  static const zil::test::TempFolder folder;
  static const bool made = [] {
    const auto result = zil::test::RunProcess(
        {"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/library/make_library_fixtures.py", folder.path().string()});
    if (result.exitCode != 0) throw std::runtime_error("make_library_fixtures.py failed: " + result.err);
    return true;
  }();
  static_cast<void>(made);
  return folder;
}

}  // namespace

const std::filesystem::path& LibraryDrawing() {
  static const std::filesystem::path file = FixtureFolder() / "library.dxf";
  return file;
}

std::u16string DrawingForm(fntType type, bool backwards, std::u16string_view s) {
  textcore::FontConverter conv;
  conv.cStType = type;
  conv.cStBack = backwards;
  return conv.EditToacadWin(s, false);
}

std::u16string FixtureHandle(const char* name) {
  static const nlohmann::json handles =
      nlohmann::json::parse(zil::test::TempFolder::Read(FixtureFolder() / "handles.json"));
  return textcore::FromUtf8(handles.at(name).get<std::string>());
}

LibraryDrawingTest::LibraryDrawingTest() {
  dir.Write("HebFonts.txt", kFontTable);
  Answer("");
  app = standin::StandInApplication::Create();
  app->SetInputSource(&input);
  doc = app->OpenDrawing(LibraryDrawing());
  app->ProtectFile(LibraryDrawing());
}

void LibraryDrawingTest::Answer(const std::string& lines) {
  std::istringstream in(lines);
  input = standin::ScriptedInput::Parse(in, "answers");
}

double LibraryDrawingTest::TextSize() const { return std::get<double>(doc->GetVariable(u"TEXTSIZE")); }

}  // namespace zil::library::test
