// The Qt platform services, for real: message boxes, file dialogs, the clipboard, the keyboard
// notification, and typing Hebrew from Latin keys.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <string_view>

#include "dialogs/hebrew_typing.h"
#include "platform/qt/keyboard_notifier.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_choosers.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/window_front.h"
#include "support/fake_services.h"
#include "support/qt/dialog_driver.h"
#include "support/temp_folder.h"
#include "textcore/keyboard.h"

namespace zil::platform {
namespace {

using test::WhenShown;

TEST(QtMessages, ShowTheCaptionTextIconAndButtonsAndAnswerWithTheButtonChosen) {
  test::Watchdog watchdog;
  test::RecordingMessages fallback;
  QtMessages messages(fallback);
  const struct {
    MessageIcon icon;
    QMessageBox::Icon qtIcon;
    MessageButtons buttons;
    QMessageBox::StandardButtons qtButtons;
    QMessageBox::StandardButton press;  // NoButton: Escape
    MessageAnswer answer;
  } cases[] = {
      {MessageIcon::Error, QMessageBox::Critical, MessageButtons::Ok, QMessageBox::Ok, QMessageBox::Ok,
       MessageAnswer::Ok},
      {MessageIcon::Warning, QMessageBox::Warning, MessageButtons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel,
       QMessageBox::NoButton, MessageAnswer::Cancel},
      {MessageIcon::Question, QMessageBox::Question, MessageButtons::YesNo, QMessageBox::Yes | QMessageBox::No,
       QMessageBox::No, MessageAnswer::No},
      {MessageIcon::Information, QMessageBox::Information, MessageButtons::YesNoCancel,
       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, MessageAnswer::Yes},
  };
  for (const auto& c : cases) {
    WhenShown<QMessageBox>([&](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), "zil");
      EXPECT_EQ(box.text(), QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D: the text"));
      EXPECT_EQ(box.icon(), c.qtIcon);
      EXPECT_EQ(box.standardButtons(), c.qtButtons);
      if (c.press == QMessageBox::NoButton) {
        QTest::keyClick(&box, Qt::Key_Escape);
      } else {
        QTest::mouseClick(box.button(c.press), Qt::LeftButton);
      }
    });
    EXPECT_EQ(messages.Show(u"zil", u"\u05E9\u05DC\u05D5\u05DD: the text", c.icon, c.buttons), c.answer);
  }
  EXPECT_TRUE(fallback.shown.empty());
}

TEST(QtMessages, AQuestionOverARunOffersAllAndGoesWhereItIsPlaced) {
  test::Watchdog watchdog;
  test::RecordingMessages fallback;
  QtMessages messages(fallback);
  const struct {
    const char* press;  // a standard button's text, or the name of the "All" button
    MessageAnswer answer;
  } cases[] = {{"All", MessageAnswer::All}, {"No", MessageAnswer::No}, {"Cancel", MessageAnswer::Cancel}};
  for (const auto& c : cases) {
    WhenShown<QMessageBox>([&](QMessageBox& box) {
      EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      EXPECT_EQ(box.pos(), QPoint(120, 90));
      QAbstractButton* all = box.findChild<QAbstractButton*>(QStringLiteral("All"));
      ASSERT_NE(all, nullptr);
      EXPECT_EQ(all->text(), "&All");
      QAbstractButton* press = std::string_view(c.press) == "All"  ? all
                               : std::string_view(c.press) == "No" ? box.button(QMessageBox::No)
                                                                   : box.button(QMessageBox::Cancel);
      QTest::mouseClick(press, Qt::LeftButton);
    });
    EXPECT_EQ(messages.ShowAt(u"Warning", u"Replace this occurrence?", MessageIcon::Warning,
                              MessageButtons::YesNoCancelAll, {120, 90}),
              c.answer);
  }
  EXPECT_TRUE(fallback.shown.empty());
}

TEST(QtMessages, AQuestionWithNamedButtonsAnswersTheIndexChosenAndEscapeTheLast) {
  test::Watchdog watchdog;
  test::RecordingMessages fallback;
  QtMessages messages(fallback);
  const std::vector<std::u16string> choices = {u"Add to font table", u"\u05D0\u05D5\u05DC\u05D9", u"Not now"};
  const struct {
    Qt::Key key;         // Qt::Key_unknown: click the button
    const char* button;  // the button clicked
    std::size_t answer;
  } cases[] = {{Qt::Key_unknown, "choice1", 1},
               {Qt::Key_unknown, "choice2", 2},
               {Qt::Key_Return, "", 0},  // the first is the default
               {Qt::Key_Escape, "", 2}};
  for (const auto& c : cases) {
    WhenShown<QMessageBox>([&](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), "Font table");
      EXPECT_EQ(box.icon(), QMessageBox::Question);
      EXPECT_EQ(box.buttons().size(), 3);
      for (std::size_t i = 0; i < choices.size(); ++i)
        EXPECT_EQ(box.findChild<QAbstractButton*>("choice" + QString::number(i))->text(),
                  QString::fromStdU16String(choices[i]));
      if (c.key == Qt::Key_unknown) {
        QTest::mouseClick(box.findChild<QAbstractButton*>(c.button), Qt::LeftButton);
      } else {
        QTest::keyClick(&box, c.key);
      }
    });
    EXPECT_EQ(messages.Choose(u"Font table", u"Add them?", MessageIcon::Question, choices), c.answer);
  }
  EXPECT_TRUE(fallback.shown.empty());
}

TEST(QtFileChoosers, FiltersDefaultExtensionFolderAndTheChoice) {
  EXPECT_EQ(ToQtNameFilters(u"Autocad Fonts|*.shx;*.shp|True Type|*.ttf"),
            QStringList({"Autocad Fonts (*.shx *.shp)", "True Type (*.ttf)"}));
  EXPECT_EQ(ToQtNameFilters(u"Font Definitio Files(*.txt)|*.txt"), QStringList({"Font Definitio Files(*.txt)"}));
  EXPECT_THROW(ToQtNameFilters(u"Odd|*.a|Lonely"), std::invalid_argument);

  test::Watchdog watchdog;
  test::TempFolder dir;
  dir.Write("fonts/romans.shx", "x");
  QtFileChoosers choosers;
  const auto typeAndAccept = [](QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    test::TypeText(edit, name);
    test::PressKey(edit, Qt::Key_Return);
  };

  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.nameFilters(), QStringList({"Font Definition Files(*.txt)"}));
    EXPECT_EQ(dialog.defaultSuffix(), "txt");
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), dir.path().string());
    typeAndAccept(dialog, "mine");
  });
  const auto saved =
      choosers.ChooseFileToSave({u"", u"Font Definition Files(*.txt)|*.txt", u"txt", dir.path(), "HebFonts.txt"});
  EXPECT_EQ(saved, dir / "mine.txt");

  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.defaultSuffix(), "shx");
    typeAndAccept(dialog, "romans.shx");
  });
  const auto font =
      choosers.ChooseFileToOpen({u"", u"Autocad Fonts|*.shx;*.shp|True Type|*.ttf", u"*.shx", dir / "fonts", ""});
  EXPECT_EQ(font, dir / "fonts" / "romans.shx");

  WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(choosers.ChooseFileToOpen({u"", u"", u"", dir.path(), ""}), std::nullopt);
}

TEST(WindowFront, AMinimisedWindowComesBackActive) {
  QWidget first, window;
  first.show();
  window.showMinimized();
  first.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&first));
  BringWindowToFront(&window);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_FALSE(window.isMinimized());
  EXPECT_TRUE(window.isVisible());
  BringWindowToFront(nullptr);  // nothing to bring: nothing happens
  EXPECT_TRUE(window.isActiveWindow());
}

TEST(QtClipboard, IsTheSystemClipboard) {
  InProcessClipboard fallback;
  QtClipboard clipboard(fallback);
  clipboard.SetText(u"\u05E9\u05DC\u05D5\u05DD 12");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 12"));
  QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
  EXPECT_EQ(clipboard.Text(), u"abc");
  EXPECT_EQ(fallback.Text(), u"");
}

TEST(KeyboardNotifier, SignalsEachChangeOfTheActiveLayoutWhileItLives) {
  PortableKeyboardLayouts layouts;
  {
    KeyboardNotifier notifier(layouts);
    QSignalSpy spy(&notifier, &KeyboardNotifier::layoutChanged);
    textcore::HebrewKeyboard(layouts);
    textcore::HebrewKeyboard(layouts);  // no change, no signal
    textcore::EnglishKeyboard(layouts);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][0].value<KeyboardLayoutHandle>(), 0x040D040Du);
    EXPECT_EQ(spy[1][0].value<KeyboardLayoutHandle>(), 0x04090409u);
  }
  textcore::HebrewKeyboard(layouts);  // the notifier is gone and no longer listens
}

TEST(HebrewTyping, LatinKeysTypeTheHebrewLayoutsLettersWhileItIsActive) {
  const struct {
    char16_t key;
    std::optional<char16_t> typed;
  } cases[] = {{u't', u'\u05D0'},    {u',', u'\u05EA'},    {u';', u'\u05E3'},    {u'.', u'\u05E5'},
               {u'q', u'/'},         {u'w', u'\''},        {u'\'', u','},        {u'/', u'.'},
               {u'T', std::nullopt}, {u'1', std::nullopt}, {u' ', std::nullopt}, {u'\u05D0', std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(dialogs::HebrewForKey(c.key), c.typed) << int{c.key};

  PortableKeyboardLayouts layouts;
  dialogs::HebrewTyping typing(layouts);
  QLineEdit edit;
  typing.Watch(&edit);
  test::TypeText(&edit, "akuo 1");
  EXPECT_EQ(edit.text(), "akuo 1");  // US English active
  edit.clear();
  textcore::HebrewKeyboard(layouts);
  test::TypeText(&edit, "akuo 1,");
  EXPECT_EQ(edit.text(), QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 1\xD7\xAA"));
  test::TypeText(&edit, QString::fromUtf8("\xD7\x90\xD7\x91"));  // Hebrew typed directly stays itself
  EXPECT_TRUE(edit.text().endsWith(QString::fromUtf8("\xD7\x90\xD7\x91")));
  edit.clear();
  QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_A, QStringLiteral("A"), Qt::ShiftModifier);  // Shift: Latin
  EXPECT_EQ(edit.text(), "A");
  edit.selectAll();
  QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);  // shortcuts are keys, not letters
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit.text(), "AA");
}

}  // namespace
}  // namespace zil::platform
