// Running a program from a test and collecting what it prints.
#pragma once

#include <string>
#include <vector>

namespace zil::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `argv` (argv[0] a path or a name found on PATH) with `input` on its standard input, and with the
// environment of the test plus `environment` ("NAME=value" entries, which win).
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input = {},
                         const std::vector<std::string>& environment = {});

}  // namespace zil::test
