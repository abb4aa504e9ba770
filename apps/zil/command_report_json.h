// One report of the stand-in host's command line as a JSON object on one line (without its line end):
//   {"command": TEXT, "ran": [EVENT, ...], "error": MESSAGE}
// events {"alert": MESSAGE, "answer": BUTTON}, {"undo": WHAT}, {"plot": WHAT}; "error" only for a text
// that failed, and then "ran" only when part of it ran first.
#pragma once

#include <string>

#include "drawing/standin/command_text.h"

namespace zil::cli {

std::string CommandReportJson(const standin::CommandReport& report);

}  // namespace zil::cli
