#include "config/font_definitions.h"

#include "config/data_folder.h"
#include "config/font_classification.h"
#include "config/ini_file.h"
#include "textcore/codepage.h"
#include "textcore/runs.h"
#include "textcore/utf8.h"

namespace zil::config {

FontDefinitions::FontDefinitions(platform::Services services)
    : services_(services), dataFolder_(ChooseDataFolder(services.folders)) {
  const std::filesystem::path settingsFile = dataFolder_ / kSettingsFileName;
  try {
    inistr = LoadSettings(settingsFile);
  } catch (const std::exception& e) {
    Report(e.what());
  }
  const std::filesystem::path definitions = dataFolder_ / kFontDefinitionFileName;
  loadFolder = saveFolder = dataFolder_;
  try {
    table.Load(definitions);
  } catch (const std::exception& e) {
    table = FontTable{};
    table.fontfile = definitions;
    Report(e.what());
  }
  try {
    keys.Load(dataFolder_);
  } catch (const std::exception& e) {
    keys = KeyTexts{};
    keys.NoKeyDefs = false;  // the file exists; its keys stay empty
    Report(e.what());
  }
}

void FontDefinitions::Close() {
  try {
    SaveSettings(inistr, dataFolder_ / kSettingsFileName);
  } catch (const std::exception& e) {
    // Unloading goes on: only the settings of this session are not kept.
    Report(e.what(), platform::MessageIcon::Warning);
  }
}

void FontDefinitions::Report(const std::string& message, platform::MessageIcon icon) {
  services_.messages.Show(u"zil", textcore::FromUtf8(message), icon, platform::MessageButtons::Ok);
}

void FontDefinitions::SetFntType(std::u16string_view fontFile) {
  const FontClassification c = ClassifyFont(fontFile, table.fontmaps);
  conv.cStType = c.type;
  conv.cStFont = c.fontName;
}

void FontDefinitions::SetFntType(std::u16string_view fontFile, std::u16string_view text) {
  conv.cStType = DrawnAs(fontFile, text).type;
  conv.cStFont = ClassifyFont(fontFile, table.fontmaps).fontName;
}

FontDefinitions::DrawnFont FontDefinitions::DrawnAs(std::u16string_view fontFile, std::u16string_view text) const {
  const FontClassification c = ClassifyFont(fontFile, table.fontmaps);
  DrawnFont drawn{c.type, c.type != TrueType && (c.decidedByTable || c.decidedByName)};
  // A "Windows" font whose text holds DOS letters keeps DOS Hebrew.
  if (!c.decidedByName && c.type == WindowsHeb && !text.empty() &&
      !textcore::HasNoHebrew(textcore::ToAnsi(text), DosHebrew))
    drawn.type = DosHebrew;
  return drawn;
}

fntType FontDefinitions::GetFntType(std::u16string_view fontFile) {
  const FontClassification c = ClassifyFont(fontFile, table.fontmaps);
  conv.cStFont = c.fontName;
  // The name decides the conversion state too; the table decides only the result.
  if (c.emptyFileName) conv.cStType = TrueType;
  if (c.decidedByName) conv.cStType = c.type;
  return c.type;
}

void FontDefinitions::changefnt(std::u16string_view fontFile, int type) { table.changefnt(fontFile, type); }

}  // namespace zil::config
