// What `zil-workbench --help` prints (the man page is made from it): usage, options, the commands, and
// the environment the program reads.
#pragma once

#include <string>

namespace zil::workbench {

std::string HelpText();

}  // namespace zil::workbench
