#include "library_drawing.h"

#include <sstream>
#include <variant>

#include "support/ezdxf_fixtures.h"
#include "textcore/font_converter.h"

namespace zil::library::test {
namespace {

constexpr const char* kFixtures = "library/make_library_fixtures.py";

}  // namespace

const std::filesystem::path& LibraryDrawing() {
  static const std::filesystem::path file = zil::test::FixturesMadeBy(kFixtures) / "library.dxf";
  return file;
}

std::u16string DrawingForm(fntType type, bool backwards, std::u16string_view s) {
  textcore::FontConverter conv;
  conv.cStType = type;
  conv.cStBack = backwards;
  return conv.EditToacadWin(s, false);
}

std::u16string FixtureHandle(const char* name) { return zil::test::HandleMadeBy(kFixtures, name); }

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
