// The settings record: window positions and editor options, read from the settings file "Hebrew.ini" at
// start-up, changed by the dialogs while the add-in runs, written back at shut-down.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zil::config {

inline constexpr const char* kSettingsFileName = "Hebrew.ini";

struct Rinistr {
  std::int32_t curmapn = 1;   // editor for new texts: 1 "Windows Plain", 0 "DOS"
  std::int32_t curmaped = 1;  // editor for existing texts, same codes
  std::int32_t txthw = 900;   // text dialog width
  std::int32_t txtl = 100;    // text dialog left edge
  std::int32_t txtt = 400;    // text dialog top edge
  std::int32_t grl = 300;     // attribute grid left edge
  std::int32_t grt = 300;     // attribute grid top edge
  std::int32_t grw = 400;     // attribute grid width
  std::int32_t grh = 300;     // attribute grid height
  std::int32_t grmode = 0;    // attribute grid mode
  std::int32_t expl = 300;    // library window left edge
  std::int32_t expt = 300;    // library window top edge
  std::int32_t exph = 400;    // library window height
  std::int32_t expw = 600;    // library window width
  std::u16string stFile;      // library setting
  std::int32_t charmap = 2;   // character set of the stored-order editor: 1 "ANSI", 2 "OEM"
  std::int32_t expld = -1;    // default of the MText editor's explode option
  bool reverseTTF = false;    // reverse converted TrueType text
};

// Every key of the settings file; absent keys and values that are not numbers give the defaults.
Rinistr LoadSettings(const std::filesystem::path& file);

// Writes every key in the file's order. Throws IniWriteError ("Unable to write to <file>").
void SaveSettings(const Rinistr& settings, const std::filesystem::path& file);

}  // namespace zil::config
