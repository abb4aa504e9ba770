#include "font_table_notice.h"

#include <filesystem>
#include <ostream>

#include "config/data_folder.h"
#include "config/font_table.h"

namespace zil::cli {

void WarnWithoutFontTable(const platform::SpecialFolders& folders, std::ostream& err) {
  const std::filesystem::path file = config::ChooseDataFolder(folders) / config::kFontDefinitionFileName;
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) return;
  err << "zil: warning: no font table: " << file.string() << " does not exist, so every font counts as DosHebrew";
  if (folders.DataFolderOverride()) {
    err << " (the data folder is the one ZIL_DATA_FOLDER names)";
  } else {
    err << " (the data folder is Dastel/Veltro/ in";
    if (const auto documents = folders.Documents()) err << " " << documents->string() << " or";
    if (const auto data = folders.ApplicationData()) err << " " << data->string() << " when it exists, else";
    err << " " << folders.FixedDataFolder().string() << ")";
  }
  err << "; set ZIL_DATA_FOLDER to the folder that holds your HebFonts.txt\n";
}

}  // namespace zil::cli
