// What the timed benchmark programs share: running a command and the benchmark drawing.
#pragma once

#include <string>

namespace zil::bench {

// The standard output of `command`; throws when it cannot run or fails.
std::string Run(const std::string& command);

// Makes the 17 MB R2000 drawing of 100,000 TEXT entities (or of `count`) at `path` with ezdxf unless it is
// there; its size.
double EnsureTextDrawing(const std::string& path, long count = 100000);

// The seconds the ezdxf script's `mode` ("ezdxf", "ezdxf-revit") takes from `in` to `out`.
double EzdxfSeconds(const std::string& mode, const std::string& in, const std::string& out);

// Prints the speed-up over ezdxf and the peak memory against the targets (at least 50 times faster, at
// most 3 times the file) and whether they are met, `correct` being the output's check; the program's exit
// code: 0 when they are.
int ReportTargets(double speedUp, long peakBytes, double fileBytes, bool correct);

}  // namespace zil::bench
