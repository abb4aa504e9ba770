#include "grid_fixture.h"

#include <QAbstractButton>
#include <QTableView>
#include <QTest>
#include <stdexcept>

#include "blocks_attr_rows.h"
#include "library/tdb.h"
#include "support/ezdxf_fixtures.h"
#include "textcore/utf8.h"

namespace zil::attributes::test {
namespace {

constexpr const char* kFixtures = "attributes/make_grid_fixtures.py";
constexpr const char* kFontTable = "[Fonts]\r\nhebrew=DosHebrew\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\n";

}  // namespace

GridTest::GridTest()
    : AddInOnDrawingTest(zil::test::FixturesMadeBy(kFixtures) / "attribute_grid.dxf", kFontTable, {kUs, kHebrew}) {}

automation::CallResult GridTest::Run(std::u16string_view member, const std::u16string& handle,
                                     std::function<void(TfrmGrid&)> drive) {
  return RunDriving<TfrmGrid>(
      [&](automation::Tautozil& o) { return member == u"edit" ? o.edit(handle) : o.block(handle); }, drive);
}

std::u16string GridTest::Handle(const char* name) const { return zil::test::HandleMadeBy(kFixtures, name); }

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
