// The registry, read only: string values under keys of the current user's hive. The add-in reads one key,
// the attribute defaults of blocks. Names and values are UTF-8 here (the registry itself holds UTF-16;
// the Windows implementation converts), since what is stored there is JSON text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zil::platform {

class Registry {
 public:
  virtual ~Registry() = default;
  // The string value `name` of the current user's key `key` (a path such as "\Software\Dastel\Lisp\Blocks").
  // Nothing when the key does not exist or has no such value. Key and value names compare without regard
  // to case, as the registry's do.
  virtual std::optional<std::string> ReadUserString(std::string_view key, std::string_view name) const = 0;
};

}  // namespace zil::platform
