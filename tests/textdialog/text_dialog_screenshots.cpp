// Screenshots for people to look at (written into the build folder, never compared): the text dialog with
// Hebrew typed, under each editor, above the preview of the drawing it changed.
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "preview/render.h"
#include "text_dialog_fixture.h"

namespace zil::textdialog::test {
namespace {

// The dialog as it is now, above the drawing around `text`, in one PNG.
void Screenshot(Thtext& form, drawing::Drawing& dwg, config::FontDefinitions& fonts, acad::Entity& text,
                const std::string& name) {
  std::filesystem::create_directories(ZIL_SCREENSHOT_DIR);
  const std::filesystem::path file = std::filesystem::path(ZIL_SCREENSHOT_DIR) / name;
  const QImage dialog = form.grab().toImage();
  const auto [lo, hi] = text.GetBoundingBox();
  preview::RenderOptions options;
  options.width = dialog.width();
  options.height = 260;
  preview::Box2 window;
  window.Add(preview::Vec2{lo.x - 4, lo.y - 6});
  window.Add(preview::Vec2{hi.x + 4, hi.y + 4});
  options.window = window;
  const std::filesystem::path drawn = file.parent_path() / (file.stem().string() + "-drawing.png");
  preview::RenderDrawingToPng(dwg, fonts, options, drawn);
  const QImage drawing(QString::fromStdString(drawn.string()));
  std::filesystem::remove(drawn);
  // The window's title, which a grab of its inside leaves out, above the dialog.
  constexpr int kTitle = 24;
  QImage both(dialog.width(), kTitle + dialog.height() + drawing.height() + 8, QImage::Format_RGB32);
  both.fill(Qt::gray);
  QPainter painter(&both);
  painter.setPen(Qt::white);
  painter.drawText(QRect(6, 0, dialog.width() - 12, kTitle), Qt::AlignVCenter | Qt::AlignLeft, form.windowTitle());
  painter.drawImage(0, kTitle, dialog);
  painter.drawImage(0, kTitle + dialog.height() + 8, drawing);
  painter.end();
  EXPECT_TRUE(both.save(QString::fromStdString(file.string())));
}

TEST_F(TextDialogTest, ScreenshotsOfEachEditorWithTheDrawing) {
  const struct {
    int editor;
    const char16_t* style;
    const char* file;
  } shots[] = {
      {1, u"Keys", "text_dialog_windows_editor.png"},
      {0, u"Win", "text_dialog_stored_order_editor.png"},
      {1, u"Arial", "text_dialog_truetype.png"},
  };
  Start();
  double y = -20;
  for (const auto& shot : shots) {
    addin->frmFonts().inistr.curmapn = shot.editor;
    UseStyle(shot.style);
    const std::u16string handle = Place({10, y -= 30, 0}, 2.5);
    Run(u"newtext", handle, [&](Thtext& form) {
      QWidget* editor = Editor(form, shot.editor == 1 ? "Edit1" : "EditDos");
      TypeKeys(editor, QStringLiteral("eunv 3 ccbhhi"));  // "floor 3 in the building"
      Screenshot(form, doc->Dwg(), addin->frmFonts(), *Entity(handle), shot.file);
      Click(form, "btnOk");
    });
  }
}

}  // namespace
}  // namespace zil::textdialog::test
