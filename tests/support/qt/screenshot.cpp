#include "support/qt/screenshot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace zil::test {
namespace {

constexpr int kGap = 16;  // pixels of ground between and around the two windows

std::filesystem::path Save(const QImage& image, const std::string& name) {
  const std::filesystem::path file = ScreenshotFolder() / name;
  EXPECT_FALSE(image.isNull()) << name;
  EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "PNG")) << file;
  return file;
}

// The widget as it shows now, its pending paint events done first.
QImage Grab(QWidget& widget) {
  QApplication::processEvents();
  return widget.grab().toImage();
}

}  // namespace

std::filesystem::path ScreenshotFolder() {
  const std::filesystem::path folder(ZIL_SCREENSHOT_DIR);
  std::filesystem::create_directories(folder);
  return folder;
}

std::filesystem::path SaveScreenshot(QWidget& widget, const std::string& name) { return Save(Grab(widget), name); }

std::filesystem::path SaveDialogBesideWorkbench(QWidget& dialog, QWidget& workbench, const std::string& name) {
  const QImage left = Grab(workbench);
  const QImage right = Grab(dialog);
  QImage both(left.width() + right.width() + 3 * kGap, std::max(left.height(), right.height()) + 2 * kGap,
              QImage::Format_RGB32);
  both.fill(QColor(128, 128, 128));
  QPainter painter(&both);
  painter.drawImage(kGap, kGap, left);
  painter.drawImage(left.width() + 2 * kGap, kGap, right);
  painter.end();
  return Save(both, name);
}

}  // namespace zil::test
