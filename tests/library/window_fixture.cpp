#include "window_fixture.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include "library/memory_tree.h"
#include "library/tdb.h"
#include "support/qt/addin_on_drawing.h"
#include "textcore/utf8.h"

namespace zil::library::test {

LibraryWindowTest::LibraryWindowTest() { addin = std::make_unique<automation::AddIn>(fake.services(), dialogs); }

LibraryWindowTest::~LibraryWindowTest() {
  if (addin->Started()) addin->Shutdown();
}

LibraryFile& LibraryWindowTest::UseLibrary(const std::vector<Row>& rows) {
  library.emplace();
  library->PutRows(rows);
  library->dir.Write("HebFonts.txt", kFontTable);
  fake.folders.override = library->dir.path();
  return *library;
}

automation::CallResult LibraryWindowTest::Run(const std::function<void(TfrmExpl&, int)>& drive) {
  zil::test::StartAddIn(*addin, object, app);
  automation::CallResult result;
  zil::test::DriveShowingsDuring<TfrmExpl>([&] { result = object->Hlib(); }, drive);
  app->RunQueuedCommands();
  return result;
}

std::vector<std::u16string> LibraryWindowTest::Messages() const {
  std::vector<std::u16string> texts;
  for (const auto& shown : fake.messages.shown) texts.push_back(shown.text);
  return texts;
}

std::vector<std::string> StoredRows(const std::filesystem::path& file) {
  SQLite::Database sql(LibraryFile::Utf8(file), SQLite::OPEN_READONLY);
  return StoredRows(sql);
}

std::string StoredOutline(const std::filesystem::path& folder) {
  Tdb db = Tdb::Create(folder);
  MemoryTree tree;
  db.FillTree(tree, kLibTree);
  return textcore::ToUtf8(tree.Outline());
}

QString Q(std::u16string_view s) { return QString::fromStdU16String(std::u16string(s)); }

LibraryNode* NodeNamed(TfrmExpl& form, const QString& label) {
  LibraryTreeModel& model = form.Model();
  const QModelIndexList found =
      model.match(model.index(0, 0), Qt::DisplayRole, label, 1, Qt::MatchExactly | Qt::MatchRecursive);
  if (found.isEmpty()) {
    ADD_FAILURE() << "no node " << label.toStdString();
    return nullptr;
  }
  return model.NodeAt(found.front());
}

QPoint LabelOf(TfrmExpl& form, LibraryNode* node) {
  LibraryTreeView& tree = form.Tree();
  const QModelIndex at = form.Model().IndexOf(node);
  tree.scrollTo(at);
  const QRect item = tree.visualRect(at);
  return {item.left() + 24, item.center().y()};  // past the icon, on the label
}

void ClickNode(TfrmExpl& form, LibraryNode* node) {
  QTest::mouseClick(form.Tree().viewport(), Qt::LeftButton, Qt::NoModifier, LabelOf(form, node));
}

void Click(TfrmExpl& form, const char* button) {
  QTest::mouseClick(zil::test::Child<QAbstractButton>(form, button), Qt::LeftButton);
}

void TypeLabel(TfrmExpl& form, const QString& label) {
  EXPECT_TRUE(QTest::qWaitFor([&] { return zil::test::IsEditing(form.Tree()); }, 2000)) << "no label editor";
  QWidget* editor = QApplication::focusWidget();
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  zil::test::TypeText(editor, label);
  QTest::keyClick(editor, Qt::Key_Return);
}

QString EditorText(TfrmExpl& form) { return zil::test::Child<QPlainTextEdit>(form, "Memo1")->toPlainText(); }

void TypeInEditor(TfrmExpl& form, const QString& keys) {
  auto* memo = zil::test::Child<QPlainTextEdit>(form, "Memo1");
  memo->setFocus();
  memo->moveCursor(QTextCursor::End);
  zil::test::TypeText(memo, keys);
}

QString EditorSelection(TfrmExpl& form) {
  return zil::test::Child<QPlainTextEdit>(form, "Memo1")->textCursor().selectedText();
}

}  // namespace zil::library::test
