#include "workbench_fixture.h"

#include <QTest>

#include "drawing/writer.h"

namespace zil::workbench::test {

WorkbenchTest::WorkbenchTest() : fake(dir.path()), dialogs(gui) {
  const std::filesystem::path source = std::filesystem::path(ZIL_SOURCE_DIR) / "samples";
  std::filesystem::create_directories(dir / "data");
  std::filesystem::copy_file(source / "data" / "HebFonts.txt", dir / "data" / "HebFonts.txt");
  fake.folders.override = dir / "data";
  sample = dir / "hebrew-sample.dxf";
  std::filesystem::copy_file(source / "hebrew-sample.dxf", sample);
  sampleBytes = zil::test::TempFolder::Read(sample);
  Start(dialogs);
}

WorkbenchTest::~WorkbenchTest() {
  user.reset();
  wb.reset();
}

platform::Services WorkbenchTest::Services() {
  platform::Services services = fake.services();
  return {services.keyboard, messages, services.folders, services.files, services.clipboard, services.registry};
}

void WorkbenchTest::Start(automation::Dialogs& withDialogs) {
  user.reset();
  wb.reset();
  wb = std::make_unique<Workbench>(Services(), withDialogs,
                                   WorkbenchOptions{QString::fromStdString((dir / "workbench.ini").string())});
  wb->resize(1280, 860);
  wb->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(wb.get()));
  user = std::make_unique<zil::test::WorkbenchDriver>(*wb);
}

void WorkbenchTest::OpenSample() {
  ASSERT_TRUE(wb->Open(sample));
  QApplication::processEvents();
}

std::string WorkbenchTest::Bytes() { return drawing::WriteDxfToString(wb->Document()->Dwg()); }

std::u16string WorkbenchTest::LastMessage() const {
  return messages.recorded.shown.empty() ? std::u16string() : messages.recorded.shown.back().text;
}

}  // namespace zil::workbench::test
