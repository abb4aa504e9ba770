// The font definitions object: the one long-lived owner of the settings record, the font table, the key
// texts and the conversion state with its conversions. It is created at module start-up (which loads the
// settings and definition files from the data folder) and closed at shut-down (which writes the settings
// back). The "Fonts Definition" dialog edits its table.
#pragma once

#include <filesystem>
#include <string>

#include "config/font_table.h"
#include "config/key_texts.h"
#include "config/settings.h"
#include "platform/services.h"
#include "textcore/font_converter.h"

namespace zil::config {

class FontDefinitions {
 public:
  // Loading: settles the data folder by every rule, reads the settings file, opens the default definition
  // file and reads the font table, reads the key assignments. A file that exists but cannot be read is
  // reported through the message service and treated as missing.
  explicit FontDefinitions(platform::Services services);

  FontDefinitions(const FontDefinitions&) = delete;
  FontDefinitions& operator=(const FontDefinitions&) = delete;

  // Saving: writes the settings file in its key order. A failed write is reported as a warning, "Unable to
  // write to <file>: <reason>", through the message service; the font table is not written here.
  void Close();

  const std::filesystem::path& DataFolder() const { return dataFolder_; }

  // Classification: sets conv.cStType (and conv.cStFont) for a font file name.
  void SetFntType(std::u16string_view fontFile);
  // The same, reading a "Windows" font as DosHebrew when the text holds DOS Hebrew letters.
  void SetFntType(std::u16string_view fontFile, std::u16string_view text);
  // How an SHX or TrueType font draws `text`, without touching the conversion state: the type SetFntType
  // (fontFile, text) decides, and whether the font table (or the "VELTRO" name) makes it a Hebrew SHX
  // font, which draws round and angle brackets mirrored.
  struct DrawnFont {
    fntType type = DosHebrew;
    bool hebrewShx = false;
  };
  DrawnFont DrawnAs(std::u16string_view fontFile, std::u16string_view text) const;
  // The type of a font, without deciding the conversion state when the table decides.
  fntType GetFntType(std::u16string_view fontFile);
  // Records a type for a font in the table and the definition file. Throws IniWriteError.
  void changefnt(std::u16string_view fontFile, int type);

  // The dialog's folders for loading and saving definition files.
  std::filesystem::path loadFolder;
  std::filesystem::path saveFolder;

  Rinistr inistr;
  FontTable table;
  KeyTexts keys;
  textcore::FontConverter conv;

 private:
  void Report(const std::string& message, platform::MessageIcon icon = platform::MessageIcon::Error);

  platform::Services services_;
  std::filesystem::path dataFolder_;
};

}  // namespace zil::config
