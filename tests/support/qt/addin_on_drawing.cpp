#include "support/qt/addin_on_drawing.h"

#include <sstream>
#include <stdexcept>

#include "drawing/writer.h"

namespace zil::test {

void StartAddIn(automation::AddIn& addin, std::unique_ptr<automation::Tautozil>& object,
                const std::shared_ptr<standin::StandInApplication>& app) {
  if (addin.Started()) return;
  addin.Startup();
  object = addin.CreateObject();
  const automation::CallResult given = object->SetApp(app);
  if (given.hr != automation::S_OK) throw std::runtime_error("SetApp failed: " + given.error);
}

AddInOnDrawingTest::AddInOnDrawingTest(const std::filesystem::path& drawing, const std::string& fontTable,
                                       std::vector<platform::KeyboardLayoutHandle> layouts)
    : fake(dir.path()), keyboard(std::move(layouts)), dialogs(gui) {
  dir.Write("HebFonts.txt", fontTable);
  const platform::Services services = fake.services();
  addin = std::make_unique<automation::AddIn>(platform::Services{keyboard, services.messages, services.folders,
                                                                 services.files, services.clipboard, services.registry},
                                              dialogs);
  std::istringstream none;
  input = standin::ScriptedInput::Parse(none, "no answers");
  app = standin::StandInApplication::Create();
  app->SetInputSource(&input);
  doc = app->OpenDrawing(drawing);
  app->ProtectFile(drawing);
}

AddInOnDrawingTest::~AddInOnDrawingTest() {
  if (addin->Started()) addin->Shutdown();
}

void AddInOnDrawingTest::Start() { StartAddIn(*addin, object, app); }

std::string AddInOnDrawingTest::Bytes() { return drawing::WriteDxfToString(doc->Dwg()); }

}  // namespace zil::test
