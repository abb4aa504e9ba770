// What the library window's offscreen tests share: the add-in with the real Qt dialogs over the stand-in
// host with the library's drawing open, the data folder (where the library file is made, or put in place
// beforehand), and the member Hlib run with a driver for the window each time it shows.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dialogs/qt_dialogs.h"
#include "library/dialogs/library_tree_model.h"
#include "library/dialogs/library_tree_view.h"
#include "library/dialogs/tfrm_expl.h"
#include "library_drawing.h"
#include "library_fixture.h"
#include "platform/qt/gui_session.h"
#include "support/qt/dialog_driver.h"

namespace zil::library::test {

class LibraryWindowTest : public LibraryDrawingTest {
 protected:
  LibraryWindowTest();
  ~LibraryWindowTest() override;

  // A library holding these rows, in the data folder the add-in will use.
  LibraryFile& UseLibrary(const std::vector<Row>& rows);
  std::filesystem::path LibraryPath() const { return DataFolder() / "zil.db"; }
  const std::filesystem::path& DataFolder() const { return *fake.folders.override; }

  // Runs Hlib. `drive` runs on the window each time it is shown and active, with the number of the
  // showing (0 first), and must close it; a window left open after 30 seconds fails the test.
  automation::CallResult Run(const std::function<void(TfrmExpl&, int showing)>& drive);

  // The messages shown so far.
  std::vector<std::u16string> Messages() const;

  std::optional<LibraryFile> library;
  platform::GuiSession gui;
  automation::QtDialogs dialogs{gui};
  std::unique_ptr<automation::AddIn> addin;
  std::unique_ptr<automation::Tautozil> object;
};

// The rows of a library file in storage order, as LibraryFile::Rows gives them.
std::vector<std::string> StoredRows(const std::filesystem::path& file);
// The tree a library file loads, as MemoryTree::Outline gives it, in UTF-8.
std::string StoredOutline(const std::filesystem::path& folder);

// Driving the window.
QString Q(std::u16string_view s);
LibraryNode* NodeNamed(TfrmExpl& form, const QString& label);
void ClickNode(TfrmExpl& form, LibraryNode* node);
void Click(TfrmExpl& form, const char* button);
// Types a label into the open label editor and ends the edit with Return.
void TypeLabel(TfrmExpl& form, const QString& label);
QString EditorText(TfrmExpl& form);
// Types into the editor at its end, as the user does after clicking there.
void TypeInEditor(TfrmExpl& form, const QString& keys);
QString EditorSelection(TfrmExpl& form);
// The middle of a node's label, in the tree's viewport.
QPoint LabelOf(TfrmExpl& form, LibraryNode* node);

}  // namespace zil::library::test
