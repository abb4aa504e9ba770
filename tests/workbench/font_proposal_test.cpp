// A drawing opened in the workbench whose fonts the font table lacks: once it is painted, the fonts are
// told from its texts and offered in one message ("Add to font table", "Not now"). The sample drawing
// with a table a user wrote by hand that lists only one of its Hebrew fonts.
#include "font_proposal.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "command_line.h"
#include "platform/qt/qt_messages.h"
#include "support/file_permissions.h"
#include "support/qt/screenshot.h"
#include "textcore/utf8.h"
#include "workbench_fixture.h"

namespace zil::workbench::test {
namespace {

namespace fs = std::filesystem;
using zil::test::TempFolder;

// Lines of the user's own: a comment, another section, and one of the sample's four Hebrew fonts.
const std::string kUserTable =
    "; the office's fonts, kept by hand\r\n[Fonts]\r\nhebdos=DosHebrew\r\n\r\n[Notes]\r\nwho=me\r\n";
// The same with the rows of the three fonts the table lacks, added at the end of its "Fonts" section.
const std::string kUserTableAdded =
    "; the office's fonts, kept by hand\r\n[Fonts]\r\nhebdos=DosHebrew\r\n"
    "hebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\nveltro=Windows\r\n\r\n[Notes]\r\nwho=me\r\n";

class FontProposalTest : public WorkbenchTest {
 protected:
  fs::path TableFile() const { return dir / "data" / "HebFonts.txt"; }

  // The data folder's table holds `table`; the workbench starts anew, so that the add-in reads it.
  void UseTable(const std::string& table) {
    fs::remove(TableFile());
    dir.Write("data/HebFonts.txt", table);
    Start(dialogs);
  }

  // Opens the sample and waits until its fonts have been looked at.
  void OpenAndWaitForTheFonts() {
    QSignalSpy checked(&wb->ProposedFonts(), &FontProposal::checked);
    ASSERT_TRUE(wb->Open(sample));
    ASSERT_TRUE(checked.wait(60000)) << "the fonts were not looked at";
  }

  std::vector<zil::test::RecordingMessages::Shown> Questions() const {
    std::vector<zil::test::RecordingMessages::Shown> asked;
    for (const auto& m : messages.recorded.shown)
      if (!m.choices.empty()) asked.push_back(m);
    return asked;
  }

  config::FontTable& LiveTable() { return wb->AddIn().frmFonts().table; }
};

TEST_F(FontProposalTest, AddWritesTheSureRowsAfterTheUsersLinesAndTheDrawingShowsWithThem) {
  UseTable(kUserTable);
  QImage before;
  messages.onShow = [&](const std::u16string&) { before = wb->View().grab().toImage(); };
  OpenAndWaitForTheFonts();

  const auto asked = Questions();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].choices, (std::vector<std::u16string>{u"Add to font table", u"Not now"}));
  for (const char16_t* row : {u"\nhebkeys.shx: DosEnglish (4 texts, 6 of 6 Hebrew words known)",
                              u"\nhebkeysr.shx: DosEnglishR (1 text, ", u"\nveltro.shx: Windows ("})
    EXPECT_NE(asked[0].text.find(row), std::u16string::npos) << textcore::ToUtf8(row);
  EXPECT_EQ(asked[0].text.find(u"hebdos"), std::u16string::npos);  // the table lists it
  EXPECT_EQ(asked[0].text.find(u"arial"), std::u16string::npos);   // TrueType by its name: no row

  // The first choice was taken: the rows follow the user's, whose lines are as they were.
  EXPECT_EQ(TempFolder::Read(TableFile()), kUserTableAdded);
  EXPECT_NE(wb->Line().History().indexOf(QStringLiteral("Added to ") + QString::fromStdString(TableFile().string()) +
                                         QStringLiteral(": hebkeys=DosEnglish hebkeysr=DosEnglishR veltro=Windows")),
            -1)
      << wb->Line().History().toStdString();

  // The add-in's table has them at once, and the drawing is drawn again with them.
  ASSERT_TRUE(LiveTable().FindRow(u"hebkeys"));
  EXPECT_EQ(LiveTable().fontmaps[*LiveTable().FindRow(u"hebkeys")].value, u"DosEnglish");
  EXPECT_EQ(wb->AddIn().frmFonts().GetFntType(u"hebkeysr.shx"), DosEnglishR);
  QApplication::processEvents();
  ASSERT_FALSE(before.isNull());
  EXPECT_NE(wb->View().grab().toImage(), before);
  EXPECT_EQ(Bytes(), sampleBytes);  // the drawing itself is not changed
}

TEST_F(FontProposalTest, NotNowChangesNothingAndTheDrawingIsNotAskedAboutAgain) {
  UseTable(kUserTable);
  messages.recorded.chosen = {1};
  OpenAndWaitForTheFonts();
  ASSERT_EQ(Questions().size(), 1u);
  EXPECT_EQ(TempFolder::Read(TableFile()), kUserTable);
  EXPECT_FALSE(LiveTable().FindRow(u"hebkeys"));

  // Read again (File, Open on the same file): not asked again.
  OpenAndWaitForTheFonts();
  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_EQ(TempFolder::Read(TableFile()), kUserTable);
}

TEST_F(FontProposalTest, ADrawingWhoseFontsTheTableListsAsksNothing) {
  OpenAndWaitForTheFonts();
  EXPECT_TRUE(messages.recorded.shown.empty()) << textcore::ToUtf8(LastMessage());
  EXPECT_TRUE(wb->statusBar()->currentMessage().isEmpty());  // the progress is gone
}

TEST_F(FontProposalTest, AReadOnlyTableIsAnErrorAndStaysAsItWas) {
  UseTable(kUserTable);
  fs::permissions(TableFile(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  {
    const zil::test::ObeyFilePermissions asAUser;
    OpenAndWaitForTheFonts();
  }
  ASSERT_EQ(Questions().size(), 1u);
  ASSERT_FALSE(messages.recorded.shown.empty());
  EXPECT_EQ(messages.recorded.shown.back().icon, platform::MessageIcon::Error);
  EXPECT_NE(LastMessage().find(u"it is read-only"), std::u16string::npos);
  EXPECT_EQ(TempFolder::Read(TableFile()), kUserTable);
  EXPECT_FALSE(LiveTable().FindRow(u"hebkeys"));
  EXPECT_NE(wb->Line().History().indexOf(QStringLiteral("were not added to the font table")), -1);

  // Once the table can be written, opening the drawing again offers the fonts again.
  OpenAndWaitForTheFonts();
  EXPECT_EQ(Questions().size(), 2u);
  EXPECT_EQ(TempFolder::Read(TableFile()), kUserTableAdded);
}

TEST_F(FontProposalTest, WithoutTheWordListsOneLineSaysWhatToInstall) {
  TempFolder noLists;
  setenv("ZIL_WORD_LISTS", noLists.path().c_str(), 1);
  UseTable(kUserTable);
  OpenAndWaitForTheFonts();
  OpenAndWaitForTheFonts();
  unsetenv("ZIL_WORD_LISTS");
  EXPECT_TRUE(messages.recorded.shown.empty());
  const QString history = wb->Line().History();
  EXPECT_EQ(history.count(QStringLiteral("scripts/bootstrap words")), 1) << history.toStdString();
  EXPECT_NE(history.indexOf(QStringLiteral("hunspell-he")), -1);
  EXPECT_EQ(TempFolder::Read(TableFile()), kUserTable);
}

// The message as a user meets it, in a real message box over the workbench beside the drawing.
TEST_F(FontProposalTest, TheMessageShowsBesideTheDrawing) {
  UseTable(kUserTable);
  platform::QtMessages boxes(messages);
  const platform::Services given = Services();
  user.reset();
  wb.reset();
  wb = std::make_unique<Workbench>(
      platform::Services{given.keyboard, boxes, given.folders, given.files, given.clipboard, given.registry}, dialogs,
      WorkbenchOptions{QString::fromStdString((dir / "workbench.ini").string())});
  wb->resize(1280, 860);
  wb->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(wb.get()));

  bool shown = false;
  zil::test::WhenShown<QMessageBox>([&](QMessageBox& box) {
    shown = true;
    EXPECT_EQ(zil::test::Child<QPushButton>(box, "choice0")->text(), QStringLiteral("Add to font table"));
    EXPECT_EQ(zil::test::Child<QPushButton>(box, "choice1")->text(), QStringLiteral("Not now"));
    zil::test::SaveDialogBesideWorkbench(box, *wb, "workbench-font-proposal.png");
    QTest::keyClick(&box, Qt::Key_Escape);  // the way out: Not now
  });
  OpenAndWaitForTheFonts();
  EXPECT_TRUE(shown);
  EXPECT_EQ(TempFolder::Read(TableFile()), kUserTable);
}

}  // namespace
}  // namespace zil::workbench::test
