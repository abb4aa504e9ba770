// The registry of the current user, read through the Windows registry functions.
#pragma once

#include "platform/registry.h"

namespace zil::platform {

class Win32Registry final : public Registry {
 public:
  std::optional<std::string> ReadUserString(std::string_view key, std::string_view name) const override;
};

}  // namespace zil::platform
