// What the multi-line editors' dialog tests share: the drawings make_mtext_fixtures.py makes (once per test
// program), the handles of their entities, and an add-in with the Qt dialogs whose host is the stand-in
// host with a copy of a drawing open, its prompts answered from lines given by the test.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <set>
#include <string>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dialogs/qt_dialogs.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/input_source.h"
#include "platform/qt/gui_session.h"
#include "support/fake_services.h"
#include "support/qt/dialog_driver.h"
#include "support/temp_folder.h"

namespace zil::mtext::test {

std::string Fixture(const std::string& name);
std::u16string HandleOf(const std::string& name);

// A click with the left mouse button.
void Click(QWidget* widget);

// The keys a user presses on a US keyboard to type `text` while the Hebrew layout is active (letters, and
// the punctuation the layout moves; everything else is its own key).
QString HebrewKeys(const std::u16string& text);

// Shows a picture of a dialog beside a preview of the drawing, as one PNG in the build's screenshots folder.
void SaveScreenshot(const QImage& dialog, const QImage& drawing, const std::string& name);

// Answers from lines, as the command-line tool gives them, keeping the prompts asked.
class RecordingInput final : public standin::InputSource {
 public:
  void Script(const std::string& lines);
  standin::Answer Ask(const standin::Prompt& prompt) override;
  std::u16string Alert(const std::u16string& message) override { return answers_.Alert(message); }
  std::vector<std::u16string> prompts;

 private:
  standin::ScriptedInput answers_;
};

class OnDrawing : public ::testing::Test {
 protected:
  explicit OnDrawing(const std::string& fixture = "mtext.dxf");
  ~OnDrawing() override;

  // The answers to the host's prompts from now on (input_source.h: point, distance, enter, cancel, pick).
  void Answer(const std::string& lines);
  acad::EntityPtr Entity(const std::string& name) { return doc->HandleToObject(HandleOf(name)); }
  // The drawing as it would be saved now.
  std::string Bytes();
  // Sets the conversion state of a style, as the editors do before they convert.
  void UseStyle(const std::u16string& style);
  textcore::FontConverter& conv() { return addin.frmFonts().conv; }
  // The drawing form of a typed line under the current style, as the editors write it.
  std::u16string ToDrawing(std::u16string_view line) {
    return conv().EditToacadWin(line, addin.frmFonts().inistr.reverseTTF);
  }
  // The handles of model space's entities, and the entities of model space whose handle is not among
  // `before` (those a command added), in drawing order.
  std::set<std::u16string> Handles();
  std::vector<acad::EntityPtr> AddedSince(const std::set<std::u16string>& before);
  // A preview of the drawing's model space.
  QImage Preview();

  zil::test::Watchdog watchdog;
  zil::test::TempFolder work;
  zil::test::FakeServices fake;
  platform::GuiSession gui;
  automation::QtDialogs dialogs;
  automation::AddIn addin;
  std::unique_ptr<automation::Tautozil> object;
  std::shared_ptr<standin::StandInApplication> app;
  std::shared_ptr<standin::StandInDocument> doc;
  RecordingInput input;
};

}  // namespace zil::mtext::test
