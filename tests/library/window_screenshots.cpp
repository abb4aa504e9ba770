// Screenshots for people to look at (written into the build folder, never compared): the library window
// with a Hebrew tree and topic, a search highlighted, and a placed text beside the drawing it went into.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>

#include "preview/render.h"
#include "window_fixture.h"

namespace zil::library::test {
namespace {

const std::vector<Row> kLibrary = {
    {0, -1, std::nullopt, "All Categories", ""},
    {1, 0, 0, "קירות"},
    {2, 1, 2, "בטון", "קיר בטון B30 בעובי 20 ס\"מ\r\nבטון חשוף, גמר ללא טיח\r\n"},
    {3, 1, 2, "גבס", "קיר גבס דו-קרומי\r\nבידוד צמר סלעים 5 ס\"מ\r\n"},
    {4, 0, 0, "רצפות"},
    {5, 4, 2, "פרקט", "פרקט אלון מלא\r\n"},
    {6, 4, 2, "אריחים", "אריחי פורצלן 60/60\r\n"},
    {7, 0, 0, "הערות כלליות"},
    {8, 7, 2, "מידות", "כל המידות בס\"מ\r\n"},
};

std::filesystem::path ScreenshotFile(const char* name) {
  std::filesystem::create_directories(ZIL_SCREENSHOT_DIR);
  return std::filesystem::path(ZIL_SCREENSHOT_DIR) / name;
}

// The window with its title above it; below it, when given, the drawing around `box`.
void Screenshot(TfrmExpl& form, const char* name, drawing::Drawing* dwg = nullptr,
                config::FontDefinitions* fonts = nullptr, std::optional<preview::Box2> box = std::nullopt) {
  const std::filesystem::path file = ScreenshotFile(name);
  const QImage window = form.grab().toImage();
  QImage drawing;
  if (dwg != nullptr) {
    preview::RenderOptions options;
    options.width = window.width();
    options.height = 240;
    options.window = box;
    const std::filesystem::path drawn = file.parent_path() / (file.stem().string() + "-drawing.png");
    preview::RenderDrawingToPng(*dwg, *fonts, options, drawn);
    drawing = QImage(QString::fromStdString(drawn.string()));
    std::filesystem::remove(drawn);
  }
  constexpr int kTitle = 24;
  QImage all(window.width(), kTitle + window.height() + (drawing.isNull() ? 0 : drawing.height() + 8),
             QImage::Format_RGB32);
  all.fill(Qt::gray);
  QPainter painter(&all);
  painter.setPen(Qt::white);
  painter.drawText(QRect(6, 0, window.width() - 12, kTitle), Qt::AlignVCenter | Qt::AlignLeft, form.windowTitle());
  painter.drawImage(0, kTitle, window);
  if (!drawing.isNull()) painter.drawImage(0, kTitle + window.height() + 8, drawing);
  painter.end();
  EXPECT_TRUE(all.save(QString::fromStdString(file.string())));
}

TEST_F(LibraryWindowTest, ScreenshotsOfTheTreeASearchAndAPlacedText) {
  UseLibrary(kLibrary);
  Answer("point 60 40\ndistance 4\n");
  const auto result = Run([&](TfrmExpl& form, int showing) {
    if (showing == 0) {
      form.Tree().expandAll();
      ClickNode(form, NodeNamed(form, QString::fromUtf8("גבס")));
      Screenshot(form, "library_tree_and_topic.png");
      auto* box = zil::test::Child<QComboBox>(form, "cbxSearch");
      box->lineEdit()->setFocus();
      zil::test::TypeText(box->lineEdit(), "cyui");  // "concrete"
      zil::test::PressKey(box->lineEdit(), Qt::Key_Return);
      Click(form, "btnSearchDown");
      Screenshot(form, "library_search.png");
      auto* memo = zil::test::Child<QPlainTextEdit>(form, "Memo1");
      memo->moveCursor(QTextCursor::Start);
      Click(form, "Button2");
      return;
    }
    preview::Box2 around;
    around.Add(preview::Vec2{-40, 30});
    around.Add(preview::Vec2{70, 50});
    Screenshot(form, "library_placed_text.png", &doc->Dwg(), &addin->frmFonts(), around);
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
}

}  // namespace
}  // namespace zil::library::test
