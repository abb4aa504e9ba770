// Each dialog of the add-in as a user meets it: opened by its workbench command on the sample drawing,
// with Hebrew in it, and saved as one picture beside the workbench showing the drawing it works on
// (build/<preset>/screenshots/workbench-dialog-*.png). The text dialog's typing is live, so its picture
// shows the drawing changed; every dialog is then cancelled and the drawing must be as it was.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <string>

#include "attributes/dialogs/tfrm_grid.h"
#include "command_line.h"
#include "library/dialogs/tfrm_expl.h"
#include "mtext/dialogs/mtext_form.h"
#include "mtext/dialogs/replace_form.h"
#include "support/qt/screenshot.h"
#include "textdialog/dialogs/thtext.h"
#include "workbench_fixture.h"
#include "workbench_input.h"

namespace zil::workbench::test {
namespace {

using namespace Qt::StringLiterals;

// Runs `type` on the dialog of class Form once it shows, saves it beside the workbench as `name`, and
// closes it with `button`.
template <typename Form>
void ShootWhenShown(Workbench& wb, const char* name, const char* button, std::function<void(Form&)> type = {}) {
  zil::test::WhenShown<Form>([&wb, name, button, type](Form& form) {
    if (type) type(form);
    QApplication::processEvents();
    const std::filesystem::path file = zil::test::SaveDialogBesideWorkbench(form, wb, name);
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
    QTest::mouseClick(zil::test::Child<QAbstractButton>(form, button), Qt::LeftButton);
  });
}

TEST_F(WorkbenchTest, EveryDialogShowsBesideTheDrawingItWorksOn) {
  OpenSample();
  int shown = 0;
  const auto count = [&shown](auto&) { ++shown; };

  // The text dialog on the TrueType text: a word typed at its end shows in the drawing at once.
  ShootWhenShown<textdialog::Thtext>(*wb, "workbench-dialog-text.png", "BitBtn2", [&](textdialog::Thtext& form) {
    ++shown;
    QWidget* editor = zil::test::Child<QWidget>(form, "Edit1");
    if (!editor->isVisible()) editor = zil::test::Child<QWidget>(form, "EditDos");
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_End);
    zil::test::TypeText(editor, QStringLiteral(" חדש"));
  });
  user->Run(u"EDIT"_s, {user->OnClick(u"Select a text"_s, {5, 26})});

  ShootWhenShown<attributes::TfrmGrid>(*wb, "workbench-dialog-attribute-grid.png", "BitBtn2", count);
  user->Run(u"BLOCK"_s, {user->OnClick(u"Select a block"_s, {80, -30})});

  ShootWhenShown<mtext::Tfrmmtext>(*wb, "workbench-dialog-mtext.png", "BitBtn3", count);
  user->Run(u"MTEDIT"_s, {user->OnClick(u"Select an MText"_s, {5, 79})});

  // The four single-line texts of the sample's SHX fonts, picked by a window.
  const QString objects = QStringLiteral("Select objects:");
  ShootWhenShown<mtext::TfrmEditor>(*wb, "workbench-dialog-replace.png", "Button1", count);
  user->Run(u"REPLACE"_s, {user->OnDrag(objects, {-2, 33}, {58, 53}), user->OnType(objects, {}, true)});

  ShootWhenShown<mtext::Tfrmmtext>(*wb, "workbench-dialog-text-to-mtext.png", "BitBtn3", count);
  user->Run(u"TXT2MTXT"_s, {user->OnDrag(objects, {-2, 33}, {58, 53}), user->OnType(objects, {}, true)});

  // The library window, a topic's text typed into its editor.
  ShootWhenShown<library::TfrmExpl>(*wb, "workbench-dialog-library.png", "BitBtn1", [&](library::TfrmExpl& form) {
    ++shown;
    auto* memo = zil::test::Child<QPlainTextEdit>(form, "Memo1");
    memo->setPlainText(QStringLiteral("קיר בטון 20 ס\"מ\nטיח פנים"));
  });
  wb->RunCommand(QStringLiteral("LIBRARY"));

  EXPECT_EQ(shown, 6);
  EXPECT_TRUE(Bytes() == sampleBytes) << wb->Line().History().toStdString();
}

}  // namespace
}  // namespace zil::workbench::test
