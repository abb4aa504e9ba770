// Screenshots for people to look at (written into the build folder, never compared): the attribute grid
// with Hebrew values in every font type, and with a pick list open, above the preview of the block it
// wrote.
#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <filesystem>

#include "grid_fixture.h"
#include "preview/render.h"

namespace zil::attributes::test {
namespace {

// The dialog as it was (with its open pick list, if any), its title above it.
QImage GrabDialog(TfrmGrid& form) {
  const QImage dialog = form.grab().toImage();
  QImage popup;
  QPoint at;
  auto* list = zil::test::Child<QComboBox>(form, "ComboBox1");
  if (QWidget* window = list->view()->window(); window != &form && window->isVisible()) {
    popup = window->grab().toImage();
    at = window->mapToGlobal(QPoint(0, 0)) - form.mapToGlobal(QPoint(0, 0));
  }
  constexpr int kTitle = 24;
  const int height = std::max(dialog.height(), popup.isNull() ? 0 : at.y() + popup.height());
  QImage shot(dialog.width(), kTitle + height, QImage::Format_RGB32);
  shot.fill(Qt::gray);
  QPainter painter(&shot);
  painter.setPen(Qt::white);
  painter.drawText(QRect(6, 0, dialog.width() - 12, kTitle), Qt::AlignVCenter | Qt::AlignLeft, form.windowTitle());
  painter.drawImage(0, kTitle, dialog);
  if (!popup.isNull()) painter.drawImage(at.x(), kTitle + at.y(), popup);
  return shot;
}

// The dialog above the drawing around the block reference, in one PNG.
void Save(const QImage& dialog, GridTest& t, const std::u16string& block, const std::string& name) {
  std::filesystem::create_directories(ZIL_SCREENSHOT_DIR);
  const std::filesystem::path file = std::filesystem::path(ZIL_SCREENSHOT_DIR) / name;
  const auto [lo, hi] = t.Entity(block)->GetBoundingBox();
  preview::RenderOptions options;
  options.width = dialog.width();
  options.height = 300;
  preview::Box2 window;
  window.Add(preview::Vec2{lo.x - 4, lo.y - 4});
  window.Add(preview::Vec2{hi.x + 4, hi.y + 4});
  options.window = window;
  const std::filesystem::path drawn = file.parent_path() / (file.stem().string() + "-drawing.png");
  preview::RenderDrawingToPng(t.doc->Dwg(), t.addin->frmFonts(), options, drawn);
  const QImage drawing(QString::fromStdString(drawn.string()));
  std::filesystem::remove(drawn);
  QImage both(dialog.width(), dialog.height() + drawing.height() + 8, QImage::Format_RGB32);
  both.fill(Qt::gray);
  QPainter painter(&both);
  painter.drawImage(0, 0, dialog);
  painter.drawImage(0, dialog.height() + 8, drawing);
  painter.end();
  EXPECT_TRUE(both.save(QString::fromStdString(file.string())));
}

TEST_F(GridTest, ScreenshotsOfTheGridWithHebrewValuesAndAnOpenPickList) {
  Start();
  addin->frmFonts().inistr.grw = 720;
  addin->frmFonts().inistr.grh = 440;
  const std::pair<const char16_t*, const char16_t*> values[] = {
      {u"HEB", u"דלת ראשית"}, {u"KEYS", u"קומה 3"}, {u"KEYSR", u"חדר מדרגות"}, {u"WIN", u"מחסן (12)"},
      {u"TTF", u"שלום עולם"}, {u"BACK", u"כניסה"},  {u"BIG", u"מעלית"},
  };
  for (std::size_t i = 0; i < std::size(values); ++i)
    SetValue("panel", values[i].first, kPanelTypes[i], values[i].second);
  QImage shot;
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    TypeIntoCell(form, RowOf(form, u"ORPHAN"), QStringLiteral("nxpr 7"));  // "number 7"
    ClickCell(form, RowOf(form, u"KEYS"), kValueColumn);
    shot = GrabDialog(form);
    Click(form, "BitBtn1");
  });
  Save(shot, *this, Handle("panel"), "attribute_grid.png");

  PutDefaults("DOOR",
              R"({"MAT": {"A": ["בטון", "פלדה", "עץ", "אלומיניום"], "B": ["C30", "S235", "W", "AL"], "S": "DESC"},
                          "FIN": {"A": ["צבע", "טיח"]}})");
  Run(u"block", Handle("door"), [&](TfrmGrid& form) {
    auto* list = zil::test::Child<QComboBox>(form, "ComboBox1");
    list->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }, 2000));
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->view()->visualRect(list->view()->model()->index(1, 0)).center());
    ClickCell(form, RowOf(form, u"FIN"), kValueColumn);
    ClickCell(form, RowOf(form, u"MAT"), kValueColumn);
    list->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->view()->isVisible(); }, 2000));
    shot = GrabDialog(form);
    list->hidePopup();
    Click(form, "BitBtn1");
  });
  Save(shot, *this, Handle("door"), "attribute_grid_pick_list.png");
}

}  // namespace
}  // namespace zil::attributes::test
