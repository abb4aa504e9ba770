#include "text_dialog_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "drawing/writer.h"
#include "support/process.h"
#include "textcore/utf8.h"
#include "textdialog/dialogs/stored_order_edit.h"

namespace zil::textdialog::test {
namespace {

const zil::test::TempFolder& FixtureFolder() {
  static const zil::test::TempFolder folder;
  static const bool made = [] {
    const auto result = zil::test::RunProcess(
        {"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/textdialog/make_text_dialog_fixtures.py", folder.path().string()});
    if (result.exitCode != 0) throw std::runtime_error("make_text_dialog_fixtures.py failed: " + result.err);
    return true;
  }();
  static_cast<void>(made);
  return folder;
}

constexpr const char* kFontTable =
    "[Fonts]\r\nhebrew=DosHebrew\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\n"
    "[SymbolFonts]\r\nhebsym=1\r\n"
    "[hebsym]\r\nb1=176\r\nb2=0\r\nb3=171\r\nb4=200\r\n";

}  // namespace

TextDialogTest::TextDialogTest(const char* drawing) : fake(dir.path()), dialogs(gui) {
  dir.Write("HebFonts.txt", kFontTable);
  platform::Services services = fake.services();
  addin = std::make_unique<automation::AddIn>(platform::Services{keyboard, services.messages, services.folders,
                                                                 services.files, services.clipboard, services.registry},
                                              dialogs);
  std::istringstream none;
  input = standin::ScriptedInput::Parse(none, "no answers");
  app = standin::StandInApplication::Create();
  app->SetInputSource(&input);
  doc = app->OpenDrawing(FixtureFolder() / drawing);
  app->ProtectFile(FixtureFolder() / drawing);
}

TextDialogTest::~TextDialogTest() {
  if (addin->Started()) addin->Shutdown();
}

void TextDialogTest::Start() {
  if (addin->Started()) return;
  addin->Startup();
  object = addin->CreateObject();
  const automation::CallResult given = object->SetApp(app);
  if (given.hr != automation::S_OK) throw std::runtime_error("SetApp failed: " + given.error);
}

automation::CallResult TextDialogTest::Run(std::u16string_view member, const std::u16string& handle,
                                           std::function<void(Thtext&)> drive) {
  Start();
  // A dialog left open fails the test and is closed, so a broken driver does not hang the program.
  zil::test::Watchdog watchdog;
  // The dialog is driven once it is shown and active; the poll ends with the call, shown or not.
  int shown = 0;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* form = qobject_cast<Thtext*>(QApplication::activeModalWidget());
    if (!form || !form->isVisible()) return;
    poll.stop();
    if (!QTest::qWaitForWindowActive(form)) ADD_FAILURE() << "the dialog did not become active";
    ++shown;
    drive(*form);
  });
  poll.start();
  automation::CallResult result;
  if (member == u"newtext") {
    result = object->newtext(handle);
  } else if (member == u"edit") {
    result = object->edit(handle);
  } else {
    result = object->block(handle);
  }
  poll.stop();
  ran = app->RunQueuedCommands();
  if (result.hr == automation::S_OK) {
    EXPECT_EQ(shown, 1) << "the dialog was not shown";
  }
  return result;
}

void TextDialogTest::UseStyle(const std::u16string& style) { doc->SetActiveTextStyle(doc->TextStyles()->Item(style)); }

std::u16string TextDialogTest::Place(acad::Point at, double height) {
  return doc->ModelSpace()->AddText(u"x", at, height)->Handle();
}

std::u16string TextDialogTest::Handle(const char* name) const {
  static const nlohmann::json handles =
      nlohmann::json::parse(zil::test::TempFolder::Read(FixtureFolder() / "handles.json"));
  return textcore::FromUtf8(handles.at(name).get<std::string>());
}

std::string TextDialogTest::Bytes() { return drawing::WriteDxfToString(doc->Dwg()); }

QWidget* Editor(Thtext& form, const char* name) { return zil::test::Child<QWidget>(form, name); }

QString EditorText(Thtext& form, const char* name) {
  QWidget* editor = Editor(form, name);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) return line->text();
  if (auto* stored = qobject_cast<StoredOrderEdit*>(editor)) return stored->text();
  ADD_FAILURE() << name << " is not an editor";
  return {};
}

void TypeKeys(QWidget* editor, const QString& keys, const std::function<void()>& after) {
  for (const QChar key : keys) {
    zil::test::TypeText(editor, QString(key));
    if (after) after();
  }
}

void Click(Thtext& form, const char* button) {
  QTest::mouseClick(zil::test::Child<QAbstractButton>(form, button), Qt::LeftButton);
}

}  // namespace zil::textdialog::test
