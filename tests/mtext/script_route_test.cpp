// The editors reached as the README shows: `zil script --drawing FILE --input ANSWERS`, in-process, with
// the real dialogs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>
#include <cstdlib>
#include <sstream>

#include "command_line.h"
#include "gui_module.h"
#include "mtext/dialogs/mtext_form.h"
#include "mtext_fixtures.h"
#include "textcore/utf8.h"

namespace zil::mtext::test {
namespace {

using zil::test::Child;
using zil::test::WhenShown;

TEST(ScriptRoute, ANewMTextTypedFromAScriptIsSavedWithTheDrawing) {
  zil::test::Watchdog watchdog;
  zil::test::TempFolder data;
  data.Write("HebFonts.txt", "[Fonts]\r\ntri=Windows\r\n");
  data.Write("answers.txt", "point 10 50\nenter\n");
  ASSERT_EQ(setenv("ZIL_DATA_FOLDER", data.path().c_str(), 1), 0);

  WhenShown<Tfrmmtext>([](Tfrmmtext& form) {
    if (auto* box = Child<QCheckBox>(form, "CheckBox1"); box->isChecked()) QTest::mouseClick(box, Qt::LeftButton);
    zil::test::TypeText(Child<QWidget>(form, "Memo1"), HebrewKeys(u"קומה 2"));
    QTest::mouseClick(Child<QWidget>(form, "BitBtn1"), Qt::LeftButton);
  });
  std::istringstream in("mtext \"\"\n");
  std::ostringstream out, err;
  cli::CommandLine cl(in, out, err);
  cl.gui = cli::LinkedGuiModule;  // the dialogs of this program, which the test watches for
  cli::AddScriptCommand(cl);
  const std::string drawing = Fixture("mtext.dxf");
  const std::string saved = (data / "saved.dxf").string();
  const std::string answers = (data / "answers.txt").string();
  const char* argv[] = {"zil",     "script",        "--drawing", drawing.c_str(),
                        "--input", answers.c_str(), "--save",    saved.c_str()};
  EXPECT_EQ(cli::RunCommandLine(cl, 8, argv), 0) << err.str();
  unsetenv("ZIL_DATA_FOLDER");
  EXPECT_EQ(out.str(), "{\"member\": \"mtext\", \"hresult\": \"0x00000000\"}\n");

  // The saved drawing holds the MText in the Windows font's form ("Windows" fonts keep Hebrew reversed).
  const auto app = standin::StandInApplication::Create();
  const auto doc = app->OpenDrawing(saved);
  const auto space = doc->ModelSpace();
  const acad::EntityPtr last = space->Item(space->Count() - 1);
  EXPECT_EQ(last->ObjectName(), u"AcDbMText");
  EXPECT_EQ(last->TextString(), u" 2המוק\\P");
}

}  // namespace
}  // namespace zil::mtext::test
