// The registry where there is none: the file "registry.ini" in the add-in's data folder, one INI section
// per key (the key's path without its leading backslash, e.g. [Software\Dastel\Lisp\Blocks]) and one
// "name=value" line per string value. The file is UTF-8 (a leading byte-order mark is skipped), since
// registry values are Unicode; the lines follow the profile-string rules of the settings files: section and
// value names match without regard to (ASCII) case, the first of several equal sections or names wins,
// names and values are trimmed of blanks, quotes around a whole value are dropped, and a name beginning
// with ";" is a comment. Input is untrusted: any bytes load.
//
// The data folder is settled only when the add-in starts, so the registry asks for it at each read.
#pragma once

#include <filesystem>
#include <functional>

#include "platform/registry.h"

namespace zil::platform {

inline constexpr const char* kPortableRegistryFileName = "registry.ini";

class PortableRegistry final : public Registry {
 public:
  // `dataFolder` gives the add-in's data folder whenever the registry is read.
  explicit PortableRegistry(std::function<std::filesystem::path()> dataFolder);

  // A missing file is an empty registry; a file that exists but cannot be read throws std::runtime_error
  // naming it.
  std::optional<std::string> ReadUserString(std::string_view key, std::string_view name) const override;

  std::filesystem::path File() const;

 private:
  std::function<std::filesystem::path()> dataFolder_;
};

}  // namespace zil::platform
