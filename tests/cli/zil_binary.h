// Running the real `zil` binary from a test.
#pragma once

#include <string>
#include <vector>

#include "support/process.h"

namespace zil::test {

inline ProcessResult Zil(std::vector<std::string> args, const std::string& input = {},
                         const std::vector<std::string>& environment = {}) {
  args.insert(args.begin(), ZIL_BINARY);
  return RunProcess(args, input, environment);
}

}  // namespace zil::test
