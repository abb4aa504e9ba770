// The automation object over a real add-in on a temporary data folder: member behaviour, dispatch with
// argument coercion, guarded calls, and the module's start-up and shut-down.
#include <gtest/gtest.h>

#include "acad/error.h"
#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dispatch.h"
#include "recording_dialogs.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "textcore/keyboard.h"
#include "textcore/utf8.h"

namespace zil::automation {
namespace {

class Automation : public ::testing::Test {
 protected:
  Automation() : fake(dir.path()), addin(fake.services(), dialogs) {
    addin.Startup();
    object = addin.CreateObject();
  }

  InvokeResult Call(std::u16string_view name, std::vector<Variant> args = {}) { return Invoke(*object, name, args); }
  std::u16string Hebstr() { return Call(u"Hebstr").value.value(); }
  std::u16string Path(std::string_view name) { return textcore::FromUtf8((dir / name).string()); }

  test::TempFolder dir;
  test::FakeServices fake;
  test::RecordingDialogs dialogs;
  AddIn addin;
  std::unique_ptr<Tautozil> object;
};

// An application whose document cannot be reached: the refresh gets as far as asking it.
class SomeApplication final : public acad::Application {
 public:
  std::shared_ptr<acad::Document> ActiveDocument() override { throw acad::Error("No document is open"); }
  std::shared_ptr<acad::Documents> Documents() override { throw acad::Error("No documents"); }
  void ZoomCenter(const acad::Point&, double) override {}
  void Update() override {}
};

TEST_F(Automation, HebstrReturnsTheLastResultUntilAnotherWriterReplacesIt) {
  EXPECT_EQ(Hebstr(), u"");
  EXPECT_EQ(Call(u"acadtostr", {u"(a<b)", 0}).hr, S_OK);
  EXPECT_EQ(Hebstr(), u")a>b(");
  EXPECT_EQ(Call(u"Cmd", {u"DB_SQLEXEC", u"x", u"y"}).hr, S_OK);  // an unknown verb: nothing, success
  EXPECT_EQ(Call(u"Cmd", {u"db_sqlexec", Path("h.db"), u"CREATE TABLE t (x)"}).hr, S_OK);
  EXPECT_EQ(Hebstr(), u")a>b(");
  EXPECT_EQ(Call(u"strtoacad", {u"\u05E9\u05DC\u05D5\u05DD 12", 3}).hr, S_OK);
  EXPECT_EQ(Hebstr(), u" 12\u05DD\u05D5\u05DC\u05E9");
}

TEST_F(Automation, DatabaseVerbsRunStatementsOnTheNamedFile) {
  const std::u16string file = Path("cmd.db");
  EXPECT_EQ(Call(u"Cmd", {u"db_sqlexec", file, u"CREATE TABLE t (a TEXT, b INTEGER, c REAL)"}).hr, S_OK);
  EXPECT_EQ(Call(u"Cmd", {u"db_sqlexec", file, u"INSERT INTO t VALUES ('say \"\u05E9\"', 2, NULL)"}).hr, S_OK);
  EXPECT_EQ(Hebstr(), u"");  // exec leaves the result alone
  EXPECT_EQ(Call(u"Cmd", {u"db_gettable", file, u"SELECT * FROM t"}).hr, S_OK);
  const std::u16string table = u"\"say \\\"\u05E9\\\"\" \"2\" \"\"\r\n";
  EXPECT_EQ(Hebstr(), table);

  // Failures keep the result; verbs are case-sensitive.
  const InvokeResult bad = Call(u"Cmd", {u"db_gettable", file, u"SELECT nope FROM t"});
  EXPECT_EQ(bad.hr, E_UNEXPECTED);
  EXPECT_NE(bad.error.find("no such column: nope"), std::string::npos) << bad.error;
  const InvokeResult rows = Call(u"Cmd", {u"db_sqlexec", file, u"SELECT * FROM t"});
  EXPECT_EQ(rows.hr, E_UNEXPECTED);
  EXPECT_NE(rows.error.find("returned rows"), std::string::npos) << rows.error;
  EXPECT_EQ(Call(u"Cmd", {u"DB_GETTABLE", file, u"SELECT 1"}).hr, S_OK);
  EXPECT_EQ(Call(u"Cmd", {u"db_gettable", file, u"DELETE FROM t"}).hr, S_OK);  // no rows: an empty text
  EXPECT_EQ(Hebstr(), u"");
}

TEST_F(Automation, KindsUpToTenConvertStringsAboveTenNeedTheHost) {
  EXPECT_EQ(Call(u"acadtostr", {u"abc", 3}).hr, S_OK);
  EXPECT_EQ(Call(u"acadtostr", {u"abc", 10}).hr, S_OK);
  EXPECT_EQ(Hebstr(), u"");  // 5..10 and negative kinds give the empty string
  EXPECT_EQ(Call(u"acadtostr", {u"abc", 3}).hr, S_OK);
  EXPECT_EQ(Call(u"strtoacad", {u"abc", -1}).hr, S_OK);
  EXPECT_EQ(Hebstr(), u"");

  // Above 10 the string is a handle: before SetApp the host refresh fails, and the result stays.
  EXPECT_EQ(Call(u"acadtostr", {u"abc", 3}).hr, S_OK);
  const InvokeResult noHost = Call(u"acadtostr", {u"1F", 11});
  EXPECT_EQ(noHost.hr, E_UNEXPECTED);
  EXPECT_NE(noHost.error.find("SetApp"), std::string::npos) << noHost.error;
  EXPECT_EQ(Hebstr(), u"abc");
}

TEST_F(Automation, MembersThatNeedTheDrawingFailClearlyBeforeSetApp) {
  for (const std::u16string_view name : {u"newtext", u"edit", u"mtext", u"block"})
    EXPECT_EQ(Call(name, {u"1F"}).hr, E_UNEXPECTED) << std::string(name.begin(), name.end());
  for (const std::u16string_view name : {u"replace", u"HtoMtext", u"Hlib", u"HShowfont", u"Hplot", u"Convert"})
    EXPECT_EQ(Call(name).hr, E_UNEXPECTED);
  EXPECT_EQ(Call(u"Cmd", {u"hfont_convert", u"", u""}).hr, E_UNEXPECTED);

  // After SetApp the refresh asks the application, and its error ends the call.
  EXPECT_EQ(Call(u"SetApp", {std::make_shared<SomeApplication>()}).hr, S_OK);
  const InvokeResult later = Call(u"Hplot");
  EXPECT_EQ(later.hr, E_UNEXPECTED);
  EXPECT_EQ(later.error, "No document is open");
  EXPECT_EQ(Call(u"SetApp", {Variant{}}).hr, S_OK);  // Nothing releases the application
  EXPECT_EQ(Call(u"Hplot").hr, E_UNEXPECTED);
}

TEST_F(Automation, DialogMembersGoThroughTheDialogsSeamWithoutTheHost) {
  EXPECT_EQ(Call(u"FontTable").hr, S_OK);  // works before SetApp
  EXPECT_EQ(Call(u"Cmd", {u"about_zil", u"", u""}).hr, S_OK);
  EXPECT_EQ(Call(u"Cmd", {u"About_zil", u"", u""}).hr, S_OK);  // verbs are case-sensitive: nothing
  EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"CreateDataModule", "ShowFontTable", "ShowAbout"}));
}

TEST_F(Automation, SetLangSwitchesTheKeyboard) {
  const struct {
    std::u16string_view par;
    bool hebrew;
  } cases[] = {{u"HEB", true}, {u"", false}, {u"heb", true}, {u"eng", false}, {u"hEb", true}, {u"hebrew", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(Call(u"Cmd", {u"set_lang", std::u16string(c.par), u"ignored"}).hr, S_OK);
    EXPECT_EQ(textcore::KeyboardIsHebrew(fake.keyboard), c.hebrew) << std::string(c.par.begin(), c.par.end());
  }
}

TEST_F(Automation, VersionMembersKeepTheHostVersion) {
  EXPECT_EQ(Call(u"aver", {u"R24.1"}).hr, S_OK);
  EXPECT_EQ(addin.AcadVersion, u"R24.1");
  EXPECT_EQ(Call(u"acadversin", {u"R25.0"}).hr, S_OK);
  EXPECT_EQ(addin.AcadVersion, u"R25.0");
}

TEST_F(Automation, ArgumentsAreCoercedAsAutomationDoes) {
  const struct {
    Variant kind;
    HRESULT hr;
  } cases[] = {
      {127, E_UNEXPECTED},  // 127 fits, and being above 10 it asks for the host
      {-128, S_OK},
      {128, DISP_E_OVERFLOW},
      {1000, DISP_E_OVERFLOW},
      {-129, DISP_E_OVERFLOW},
      {u"3", S_OK},
      {u" 4 ", S_OK},
      {u"1000", DISP_E_OVERFLOW},
      {u"x", DISP_E_TYPEMISMATCH},
      {2.5, S_OK},
      {127.6, DISP_E_OVERFLOW},
      {true, S_OK},
      {Variant{}, S_OK},
      {Variant{std::make_shared<SomeApplication>()}, DISP_E_TYPEMISMATCH},
  };
  for (const auto& c : cases) EXPECT_EQ(Call(u"acadtostr", {u"abc", c.kind}).hr, c.hr) << c.kind.index();
  EXPECT_EQ(CoerceToInt8(2.5), 2);  // half to even
  EXPECT_EQ(CoerceToInt8(3.5), 4);
  EXPECT_EQ(CoerceToInt8(true), -1);
  EXPECT_EQ(CoerceToString(42), u"42");
  EXPECT_EQ(CoerceToString(false), u"False");
}

TEST_F(Automation, DispatchByIdentifierAndByName) {
  std::vector<Variant> args = {u"(a<b)", 0};
  EXPECT_EQ(Invoke(*object, 209, args).hr, S_OK);
  EXPECT_EQ(Invoke(*object, 213, {}).value, u")a>b(");
  EXPECT_EQ(Invoke(*object, u"HeBsTr", {}).value, u")a>b(");
  EXPECT_EQ(Invoke(*object, 205, {}).hr, DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Invoke(*object, u"Frob", {}).hr, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(Call(u"acadtostr", {u"abc"}).hr, DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(u"Hebstr", {u"x"}).hr, DISP_E_BADPARAMCOUNT);
}

TEST(AddInLife, StartupAndShutdownInTheModuleOrder) {
  test::TempFolder dir;
  test::FakeServices fake(dir.path());
  test::RecordingDialogs dialogs;
  AddIn addin(fake.services(), dialogs);
  EXPECT_THROW(addin.CreateObject(), AutomationError);  // the class is not registered yet
  addin.Startup();
  EXPECT_EQ(addin.DataFolder, dir.path() / "");
  auto first = addin.CreateObject();
  auto second = addin.CreateObject();
  EXPECT_NE(first.get(), second.get());  // multi-instance: a new object each time
  addin.ResultString = u"x";
  addin.AcadVersion = u"R24";
  addin.host.AcadApp = std::make_shared<SomeApplication>();
  addin.frmFonts().inistr.txthw = 777;

  dialogs.failLibraryWindow = true;  // a failing step does not stop the others
  addin.Shutdown();
  EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"CreateDataModule", "FreeLibraryWindow", "FreeDataModule"}));
  EXPECT_EQ(config::LoadSettings(dir / "Hebrew.ini").txthw, 777);
  EXPECT_EQ(addin.ResultString, u"");
  EXPECT_EQ(addin.AcadVersion, u"");
  EXPECT_EQ(addin.host.AcadApp, nullptr);
  EXPECT_THROW(addin.CreateObject(), AutomationError);
  addin.Shutdown();  // a second shut-down does nothing
  EXPECT_EQ(dialogs.calls.size(), 3u);
}

}  // namespace
}  // namespace zil::automation
