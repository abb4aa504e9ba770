#include "mtext_fixtures.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "preview/render.h"
#include "support/ezdxf_fixtures.h"
#include "textcore/charmaps.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::mtext::test {
namespace {

constexpr const char* kFixtures = "mtext/make_mtext_fixtures.py";

// The font table must be in the data folder before the add-in starts.
const zil::test::TempFolder& WithFontTable(const zil::test::TempFolder& folder) {
  folder.Write("HebFonts.txt",
               "[Fonts]\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\ntri=Windows\r\nveltro=Windows\r\n");
  return folder;
}

}  // namespace

std::string Fixture(const std::string& name) { return (zil::test::FixturesMadeBy(kFixtures) / name).string(); }

std::u16string HandleOf(const std::string& name) { return zil::test::HandleMadeBy(kFixtures, name); }

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

QString HebrewKeys(const std::u16string& text) {
  QString keys;
  for (const char16_t c : text) {
    const std::string keyOf = textcore::WinLettersToKeys(textcore::ToAnsi(std::u16string(1, c)));
    // Letters sit on their keys; "." "," and "'" on "/", "'" and "w".
    keys += c >= u'\u05D0' && c <= u'\u05EA' ? QChar(keyOf[0])
            : c == u'.'                      ? QChar(u'/')
            : c == u','                      ? QChar(u'\'')
            : c == u'\''                     ? QChar(u'w')
                                             : QChar(c);
  }
  return keys;
}

void SaveScreenshot(const QImage& dialog, const QImage& drawing, const std::string& name) {
  const int gap = 12;
  const QImage side = drawing.scaledToHeight(std::max(dialog.height(), 360), Qt::SmoothTransformation);
  QImage both(dialog.width() + gap + side.width(), std::max(dialog.height(), side.height()), QImage::Format_RGB32);
  both.fill(Qt::lightGray);
  QPainter painter(&both);
  painter.drawImage(0, 0, dialog);
  painter.drawImage(dialog.width() + gap, 0, side);
  painter.end();
  std::filesystem::create_directories(ZIL_SCREENSHOT_DIR);
  const std::string file = std::string(ZIL_SCREENSHOT_DIR) + "/" + name + ".png";
  EXPECT_TRUE(both.save(QString::fromStdString(file), "PNG")) << file;
}

OnDrawing::OnDrawing(const std::string& fixture)
    : fake(WithFontTable(work).path()), dialogs(gui), addin(fake.services(), dialogs) {
  std::filesystem::copy_file(Fixture(fixture), work / fixture);
  addin.Startup();
  object = addin.CreateObject();
  app = standin::StandInApplication::Create();
  doc = app->OpenDrawing(work / fixture);
  Answer("");
  app->SetInputSource(&input);
  addin.host.AcadApp = app;
}

OnDrawing::~OnDrawing() { addin.Shutdown(); }

void RecordingInput::Script(const std::string& lines) {
  std::istringstream in(lines);
  answers_ = standin::ScriptedInput::Parse(in, "the test's answers");
  prompts.clear();
}

standin::Answer RecordingInput::Ask(const standin::Prompt& prompt) {
  prompts.push_back(prompt.text);
  return answers_.Ask(prompt);
}

void OnDrawing::Answer(const std::string& lines) { input.Script(lines); }

std::string OnDrawing::Bytes() {
  const std::filesystem::path file = work / "saved.dxf";
  doc->WriteTo(file);
  return zil::test::TempFolder::Read(file);
}

void OnDrawing::UseStyle(const std::u16string& style) {
  addin.host.RefreshHost(fake.keyboard);
  addin.host.CurStyleName = style;
  addin.host.LoadNamedStyle(addin.frmFonts());
}

std::set<std::u16string> OnDrawing::Handles() {
  std::set<std::u16string> handles;
  const auto space = doc->ModelSpace();
  for (int i = 0; i < space->Count(); ++i) handles.insert(space->Item(i)->Handle());
  return handles;
}

std::vector<acad::EntityPtr> OnDrawing::AddedSince(const std::set<std::u16string>& before) {
  std::vector<acad::EntityPtr> added;
  const auto space = doc->ModelSpace();
  for (int i = 0; i < space->Count(); ++i)
    if (acad::EntityPtr e = space->Item(i); !before.contains(e->Handle())) added.push_back(e);
  return added;
}

QImage OnDrawing::Preview() {
  const std::filesystem::path png = work / "preview.png";
  preview::RenderOptions options;
  options.width = 800;
  options.height = 600;
  preview::RenderDrawingToPng(doc->Dwg(), addin.frmFonts(), options, png);
  return QImage(QString::fromStdString(png.string()));
}

}  // namespace zil::mtext::test
