#include "acad/host_state.h"

#include <algorithm>

#include "acad/error.h"
#include "platform/language_names.h"
#include "textcore/codepage.h"
#include "textcore/keyboard.h"

namespace zil::acad {

void HostState::RefreshHost(const platform::KeyboardLayouts& keyboard) {
  if (!AcadApp) throw Error("No AutoCAD application: the command layer must call SetApp before this command");
  AcadDoc = AcadApp->ActiveDocument();
  AcadSpace = AcadDoc->ActiveSpace() == kModelSpace ? AcadDoc->ModelSpace() : AcadDoc->PaperSpace();
  AcadTextStyles = AcadDoc->TextStyles();
  try {
    CurLayerName = AcadDoc->ActiveLayer()->Name();
  } catch (const std::exception&) {
    CurLayerName = u"0";  // the only error the refresh swallows
  }
  BuildKeyboardList(keyboard);
}

std::u16string StyleFont(const TextStyle& style) {
  std::u16string font = style.FontFile();
  if (font.empty()) font = style.BigFontFile();
  return font;
}

void HostState::UseStyle(config::FontDefinitions& fonts) {
  fonts.conv.cStBack = CurStyle->TextGenerationFlag() == 2;
  fonts.SetFntType(StyleFont(*CurStyle));
}

void HostState::LoadActiveStyle(config::FontDefinitions& fonts) {
  CurStyle = AcadDoc->ActiveTextStyle();
  CurStyleName = CurStyle->Name();
  UseStyle(fonts);
}

void HostState::LoadNamedStyle(config::FontDefinitions& fonts) {
  CurStyle = AcadTextStyles->Item(CurStyleName);
  UseStyle(fonts);
}

std::vector<std::u16string> HostState::ListStyleNames() const {
  std::vector<std::u16string> names;
  const int count = AcadTextStyles->Count();
  for (int i = 0; i < count; ++i) names.push_back(AcadTextStyles->Item(i)->Name());
  return names;
}

std::vector<std::u16string> HostState::ListLayerNames() const {
  std::vector<std::u16string> names;
  const auto layers = AcadDoc->Layers();
  const int count = layers->Count();
  for (int i = 0; i < count; ++i) names.push_back(layers->Item(i)->Name());
  return names;
}

void HostState::BuildKeyboardList(const platform::KeyboardLayouts& keyboard) {
  std::vector<platform::KeyboardLayoutHandle> installed = keyboard.Installed();
  installed.resize(std::min(installed.size(), kMaxKeyboardLayouts));
  languages.clear();
  for (const platform::KeyboardLayoutHandle layout : installed) {
    const auto names = platform::NamesOfLanguage(platform::LanguageOf(layout));
    languages.push_back({textcore::ToAnsi(names.name.substr(0, 40)), platform::LanguageOf(layout),
                         textcore::ToAnsi(names.abbreviation.substr(0, 40))});
  }
  keyboardIsHebrew = textcore::KeyboardIsHebrew(keyboard);
}

void HostState::Release() { *this = HostState{}; }

}  // namespace zil::acad
