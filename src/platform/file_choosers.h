// Choosing a file to open or a name to save under, as the platform's common file dialogs do. A request
// carries the filter in the "Description|*.a;*.b|Other|*.c" form, the extension added to a name typed
// without one, and the folder and name the chooser starts from. The answer is the chosen path, or nothing
// when the user cancelled.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zil::platform {

struct FileChoice {
  std::u16string title;                 // empty: the platform's own
  std::u16string filter;                // "Description|*.a;*.b|Other|*.c"
  std::u16string defaultExtension;      // "txt" (a leading "*." or "." is ignored)
  std::filesystem::path initialFolder;  // empty: the platform's choice
  std::filesystem::path fileName;       // the name offered at first; empty: none
};

// One entry of a filter: its description and its patterns ("*.shx", "*.shp").
struct FileFilterEntry {
  std::u16string description;
  std::vector<std::u16string> patterns;
};

// Splits a filter into its entries. Throws std::invalid_argument for an odd number of parts.
std::vector<FileFilterEntry> ParseFileFilter(std::u16string_view filter);

// The default extension without "*." or ".": "*.shx" -> "shx".
std::u16string BareExtension(std::u16string_view extension);

class FileChoosers {
 public:
  virtual ~FileChoosers() = default;
  // An existing file to open.
  virtual std::optional<std::filesystem::path> ChooseFileToOpen(const FileChoice& choice) = 0;
  // A file name to save under (the file may exist; the chooser asks before replacing it).
  virtual std::optional<std::filesystem::path> ChooseFileToSave(const FileChoice& choice) = 0;
};

// Where no file dialog can be shown (a build without dialogs): asking fails and says why.
class NoFileChoosers final : public FileChoosers {
 public:
  std::optional<std::filesystem::path> ChooseFileToOpen(const FileChoice& choice) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const FileChoice& choice) override;
};

}  // namespace zil::platform
