// The library window when its file fails: locked by another connection, read only, not a database. Each
// failure is shown with SQLite's message, and nothing already saved is lost.
#include <QTest>

#include "support/file_permissions.h"
#include "textcore/keyboard.h"
#include "window_fixture.h"

namespace zil::library::test {
namespace {

const std::vector<Row> kRows = {
    {0, -1, std::nullopt, "All Categories", ""},
    {1, 0, 0, "קירות"},
    {2, 1, 2, "בטון", "קיר בטון\r\n"},
    {3, 1, 2, "גבס", "קיר גבס\r\n"},
};

LibraryNode* Node(TfrmExpl& form, const char* label) { return NodeNamed(form, QString::fromUtf8(label)); }

bool AnyMessageHas(const std::vector<std::u16string>& messages, std::u16string_view part) {
  for (const auto& m : messages)
    if (m.find(part) != std::u16string::npos) return true;
  return false;
}

TEST_F(LibraryWindowTest, ALockedLibraryShowsItsMessageAndLosesNothing) {
  LibraryFile& file = UseLibrary(kRows);
  const auto result = Run([&](TfrmExpl& form, int) {
    QTest::mouseClick(form.Tree().viewport(), Qt::LeftButton, Qt::NoModifier, LabelOf(form, Node(form, "גבס")));
    file.sql.exec("BEGIN IMMEDIATE");     // another program is writing
    TypeInEditor(form, "12");             // the second key saves the first: refused
    ClickNode(form, Node(form, "בטון"));  // refused too: the topic stays, with its text
    EXPECT_EQ(form.LastNode(), Node(form, "גבס"));
    EXPECT_EQ(form.Tree().Selected(), Node(form, "גבס"));
    EXPECT_EQ(EditorText(form), QString::fromUtf8("קיר גבס\n12"));
    file.sql.exec("COMMIT");
    Click(form, "BitBtn1");  // saved now
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(file.Rows()[3], "3 1 2 גבס|קיר גבס\r\n12\r\n");
  EXPECT_TRUE(AnyMessageHas(Messages(), u"is busy: another program or connection holds a lock on it"));
}

TEST_F(LibraryWindowTest, ALibraryLockedWhileItOpensFailsTheMemberAndOpensLater) {
  LibraryFile& file = UseLibrary(kRows);
  textcore::HebrewKeyboard(fake.keyboard);
  file.sql.exec("BEGIN EXCLUSIVE");
  const auto refused = Run([&](TfrmExpl& form, int) {
    ADD_FAILURE() << "the window opened";
    form.reject();
  });
  EXPECT_NE(refused.hr, automation::S_OK);
  EXPECT_NE(refused.error.find("is busy"), std::string::npos) << refused.error;
  EXPECT_TRUE(textcore::KeyboardIsHebrew(fake.keyboard));  // left as it was
  file.sql.exec("COMMIT");
  EXPECT_EQ(Run([&](TfrmExpl& form, int) { Click(form, "BitBtn1"); }).hr, automation::S_OK);
}

TEST_F(LibraryWindowTest, AReadOnlyLibraryOpensAndShowsWhyNothingIsSaved) {
  // A copy of the library, which no other connection holds open.
  std::filesystem::copy_file(UseLibrary(kRows).dir / "zil.db", dir / "zil.db");
  fake.folders.override = dir.path();
  std::filesystem::permissions(LibraryPath(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                                  std::filesystem::perms::others_read);
  const std::string bytes = zil::test::TempFolder::Read(LibraryPath());
  {
    zil::test::ObeyFilePermissions readOnly;
    const auto result = Run([&](TfrmExpl& form, int) {
      ClickNode(form, Node(form, "גבס"));
      QTest::keyClick(&form.Tree(), Qt::Key_F2);
      TypeLabel(form, "x");
      EXPECT_EQ(Node(form, "גבס")->Label(), u"גבס");  // the label the library keeps
      TypeInEditor(form, "12");
      Click(form, "BitBtn1");  // the text is not saved: asked, and the answer is Yes, close
    });
    ASSERT_EQ(result.hr, automation::S_OK) << result.error;  // the unchanged search strings are not written
  }
  EXPECT_EQ(zil::test::TempFolder::Read(LibraryPath()), bytes);
  EXPECT_TRUE(AnyMessageHas(Messages(), u"attempt to write a readonly database"));
  EXPECT_TRUE(AnyMessageHas(Messages(), u"Close the library anyway?"));
}

TEST_F(LibraryWindowTest, AFileThatIsNoDatabaseFailsTheMemberAndStaysAsItWas) {
  const std::string junk(4096, 'j');
  dir.Write("zil.db", junk);
  const auto result = Run([&](TfrmExpl& form, int) {
    ADD_FAILURE() << "the window opened";
    form.reject();
  });
  EXPECT_NE(result.hr, automation::S_OK);
  EXPECT_NE(result.error.find("file is not a database"), std::string::npos) << result.error;
  EXPECT_EQ(zil::test::TempFolder::Read(LibraryPath()), junk);
}

}  // namespace
}  // namespace zil::library::test
