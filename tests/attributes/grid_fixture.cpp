#include "grid_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "blocks_attr_rows.h"
#include "drawing/writer.h"
#include "library/tdb.h"
#include "support/process.h"
#include "textcore/utf8.h"

namespace zil::attributes::test {
namespace {

const zil::test::TempFolder& FixtureFolder() {
  static const zil::test::TempFolder folder;
  static const bool made = [] {
    const auto result = zil::test::RunProcess(
        {"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/attributes/make_grid_fixtures.py", folder.path().string()});
    if (result.exitCode != 0) throw std::runtime_error("make_grid_fixtures.py failed: " + result.err);
    return true;
  }();
  static_cast<void>(made);
  return folder;
}

constexpr const char* kFontTable = "[Fonts]\r\nhebrew=DosHebrew\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\n";

}  // namespace

GridTest::GridTest() : fake(dir.path()), dialogs(gui) {
  dir.Write("HebFonts.txt", kFontTable);
  platform::Services services = fake.services();
  addin = std::make_unique<automation::AddIn>(platform::Services{keyboard, services.messages, services.folders,
                                                                 services.files, services.clipboard, services.registry},
                                              dialogs);
  std::istringstream none;
  input = standin::ScriptedInput::Parse(none, "no answers");
  app = standin::StandInApplication::Create();
  app->SetInputSource(&input);
  doc = app->OpenDrawing(FixtureFolder() / "attribute_grid.dxf");
  app->ProtectFile(FixtureFolder() / "attribute_grid.dxf");
}

GridTest::~GridTest() {
  if (addin->Started()) addin->Shutdown();
}

void GridTest::Start() {
  if (addin->Started()) return;
  addin->Startup();
  object = addin->CreateObject();
  const automation::CallResult given = object->SetApp(app);
  if (given.hr != automation::S_OK) throw std::runtime_error("SetApp failed: " + given.error);
}

automation::CallResult GridTest::Run(std::u16string_view member, const std::u16string& handle,
                                     std::function<void(TfrmGrid&)> drive) {
  Start();
  zil::test::Watchdog watchdog;
  int shown = 0;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* form = qobject_cast<TfrmGrid*>(QApplication::activeModalWidget());
    if (!form || !form->isVisible()) return;
    poll.stop();
    if (!QTest::qWaitForWindowActive(form)) ADD_FAILURE() << "the grid did not become active";
    ++shown;
    drive(*form);
  });
  poll.start();
  const automation::CallResult result = member == u"edit" ? object->edit(handle) : object->block(handle);
  poll.stop();
  ran = app->RunQueuedCommands();
  if (result.hr == automation::S_OK && drive) {
    EXPECT_EQ(shown, 1) << "the grid was not shown";
  }
  return result;
}

std::u16string GridTest::Handle(const char* name) const {
  static const nlohmann::json handles =
      nlohmann::json::parse(zil::test::TempFolder::Read(FixtureFolder() / "handles.json"));
  return textcore::FromUtf8(handles.at(name).get<std::string>());
}

acad::EntityPtr GridTest::Attribute(const char* block, std::u16string_view tag) {
  for (const acad::EntityPtr& attribute : Entity(Handle(block))->GetAttributes())
    if (attribute->TagString() == tag) return attribute;
  throw std::runtime_error("no attribute " + textcore::ToUtf8(tag) + " in " + block);
}

void GridTest::SetValue(const char* block, std::u16string_view tag, const TagType& type, std::u16string_view text) {
  const Conversions c(type.type, type.backwards);
  Attribute(block, tag)->SetTextString(c.ToDrawing(text));
}

void GridTest::FillPanel(std::u16string_view text) {
  for (const TagType& type : kPanelTypes) SetValue("panel", type.tag, type, text);
}

void GridTest::PutDefaults(const std::string& block, const std::string& json) {
  PutBlocksAttr(library::Tdb::Create(dir.path()).slDBPath(), block, json);
}

std::string GridTest::Bytes() { return drawing::WriteDxfToString(doc->Dwg()); }

std::u16string GridTest::Hebstr() {
  std::u16string value;
  EXPECT_EQ(object->get_Hebstr(value).hr, automation::S_OK);
  return value;
}

QTableView* Grid(TfrmGrid& form) { return zil::test::Child<QTableView>(form, "ngrid"); }

int RowOf(TfrmGrid& form, std::u16string_view tag) {
  const QAbstractItemModel& model = *Grid(form)->model();
  for (int row = 0; row < model.rowCount(); ++row)
    if (model.index(row, kTagColumn).data().toString().toStdU16String() == tag) return row;
  ADD_FAILURE() << "no row " << textcore::ToUtf8(tag);
  return -1;
}

QString Cell(TfrmGrid& form, int row, int column) { return Grid(form)->model()->index(row, column).data().toString(); }

void ClickCell(TfrmGrid& form, int row, int column) {
  QTableView* grid = Grid(form);
  const QModelIndex index = grid->model()->index(row, column);
  grid->scrollTo(index);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(index).center());
  EXPECT_EQ(grid->currentIndex(), index);
}

void TypeIntoCell(TfrmGrid& form, int row, const QString& keys) {
  QTableView* grid = Grid(form);
  ClickCell(form, row, kValueColumn);
  zil::test::TypeText(nullptr, keys.left(1));  // the first key opens the editor
  ASSERT_TRUE(zil::test::IsEditing(*grid)) << "no editor opened";
  zil::test::TypeText(nullptr, keys.mid(1));
  zil::test::PressKey(nullptr, Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !zil::test::IsEditing(*grid); }, 2000)) << "the editor stayed open";
}

void Click(TfrmGrid& form, const char* button) {
  QTest::mouseClick(zil::test::Child<QAbstractButton>(form, button), Qt::LeftButton);
}

}  // namespace zil::attributes::test
