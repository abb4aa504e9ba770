// The About window through Cmd "about_zil", its placement, and screenshots of both dialogs for people to
// look at (written into the build folder, never compared).
#include "automation/dialogs/about_form.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dialogs/qt_dialogs.h"
#include "config/dialogs/fonts_form.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/placement.h"
#include "support/fake_services.h"
#include "support/qt/dialog_driver.h"
#include "support/temp_folder.h"

namespace zil::automation {
namespace {

using test::Child;
using test::WhenShown;

class AboutWindow : public ::testing::Test {
 protected:
  AboutWindow() : fake(dir.path()), dialogs(gui), addin(fake.services(), dialogs) {
    dir.Write("HebFonts.txt", "[Fonts]\r\nhebrew=DosEnglish\r\nromanh=Windows\r\nveltro=Windows\r\n");
    addin.Startup();
    object = addin.CreateObject();
  }

  test::Watchdog watchdog;
  test::TempFolder dir;
  test::FakeServices fake;
  platform::GuiSession gui;
  QtDialogs dialogs;
  AddIn addin;
  std::unique_ptr<Tautozil> object;
};

TEST_F(AboutWindow, ShowsTheProductVersionPurposeAndDataFolder) {
  bool shown = false;
  WhenShown<TfrmAbout>([&](TfrmAbout& form) {
    shown = true;
    EXPECT_TRUE(form.isModal());
    EXPECT_EQ(Child<QLabel>(form, "lblProduct")->text(), "zil");
    EXPECT_EQ(Child<QLabel>(form, "lblVersion")->text(), "Version " ZIL_VERSION);
    EXPECT_EQ(Child<QLabel>(form, "lblPurpose")->text().toStdU16String(), kAboutPurpose);
    EXPECT_EQ(Child<QLabel>(form, "lblDataFolder")->text().toStdString(), "Data folder: " + (dir.path() / "").string());
    EXPECT_FALSE(Child<QLabel>(form, "imgIcon")->pixmap().isNull());
    QTest::mouseClick(Child<QPushButton>(form, "btnOk"), Qt::LeftButton);
  });
  EXPECT_EQ(object->Cmd(u"about_zil", u"", u"").hr, S_OK);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(QApplication::activeModalWidget());
}

TEST_F(AboutWindow, DialogsAreCentredOnTheScreenUnderThePointerTheirTopKept) {
  const struct {
    int left, width, window, expected;
  } cases[] = {{0, 1920, 417, 751}, {1920, 1280, 500, 2310}, {-1280, 1280, 501, -891}, {0, 300, 417, -58}};
  for (const auto& c : cases)
    EXPECT_EQ(platform::CentredLeft(c.left, c.width, c.window), c.expected) << c.left << " " << c.window;

  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  QCursor::setPos(screen->geometry().center());
  const auto check = [screen](QWidget& form, int top) {
    const QRect frame = form.frameGeometry();
    EXPECT_EQ(frame.left(), screen->geometry().left() + (screen->geometry().width() - frame.width()) / 2);
    EXPECT_EQ(frame.top(), top);
  };
  WhenShown<TfrmAbout>([&](TfrmAbout& form) {
    check(form, 160);
    form.accept();
  });
  EXPECT_EQ(object->Cmd(u"about_zil", u"", u"").hr, S_OK);
  WhenShown<config::TfrmFonts>([&](config::TfrmFonts& form) {
    check(form, 120);
    form.reject();
  });
  EXPECT_EQ(object->FontTable().hr, S_OK);
}

TEST_F(AboutWindow, ScreenshotsOfBothDialogs) {
  std::filesystem::create_directories(ZIL_SCREENSHOT_DIR);
  const auto save = [](QWidget& form, const char* name) {
    const std::string file = std::string(ZIL_SCREENSHOT_DIR) + "/" + name;
    const QPixmap picture = form.grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QString::fromStdString(file), "PNG")) << file;
    EXPECT_GT(std::filesystem::file_size(file), 1000u) << file;
  };
  WhenShown<TfrmAbout>([&](TfrmAbout& form) {
    save(form, "about.png");
    form.accept();
  });
  EXPECT_EQ(object->Cmd(u"about_zil", u"", u"").hr, S_OK);
  WhenShown<config::TfrmFonts>([&](config::TfrmFonts& form) {
    save(form, "fonts-definition.png");
    form.accept();
  });
  EXPECT_EQ(object->FontTable().hr, S_OK);
}

}  // namespace
}  // namespace zil::automation
