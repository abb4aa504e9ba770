// What the timed benchmark programs share: running a command and the benchmark drawing.
#pragma once

#include <string>

namespace zil::bench {

// The standard output of `command`; throws when it cannot run or fails.
std::string Run(const std::string& command);

// Makes the 17 MB R2000 drawing of 100,000 TEXT entities at `path` with ezdxf unless it is there; its size.
double EnsureTextDrawing(const std::string& path);

// The seconds the ezdxf script's `mode` ("ezdxf", "ezdxf-revit") takes from `in` to `out`.
double EzdxfSeconds(const std::string& mode, const std::string& in, const std::string& out);

}  // namespace zil::bench
