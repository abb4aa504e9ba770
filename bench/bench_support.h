// What the timed benchmark programs share: running a command, timing a run of zil, and the benchmark
// drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zil::bench {

struct Measured {
  double seconds = 0;     // wall-clock time
  double cpuSeconds = 0;  // user and system time of the process
  long peakBytes = 0;     // peak resident memory
  std::string output;     // its standard output
};

// One run of `program` with `args`, its standard output kept in `log`, with ZIL_DATA_FOLDER set to
// `dataFolder`. Throws when it cannot start or fails.
Measured RunTimed(const std::string& program, const std::vector<std::string>& args, const std::string& log,
                  const std::string& dataFolder);

// The zil program the benchmarks run: `built`, or the one ZIL_BENCH_ZIL names (to measure another build,
// such as the one before a change, in the same conditions).
std::string ZilProgram(const char* built);

// The standard output of `command`; throws when it cannot run or fails.
std::string Run(const std::string& command);

// Makes the 17 MB R2000 drawing of 100,000 TEXT entities (or of `count`) at `path` with ezdxf unless it is
// there; its size.
double EnsureTextDrawing(const std::string& path, long count = 100000);

// The seconds the ezdxf script's `mode` ("ezdxf", "ezdxf-revit") takes from `in` to `out`.
double EzdxfSeconds(const std::string& mode, const std::string& in, const std::string& out);

// A 64-bit FNV-1a hash of a file's bytes, to compare outputs with recorded ones.
std::uint64_t FileHash(const std::string& path);

// The median of `values` (not empty).
double Median(std::vector<double> values);

// Prints one target, "NAME  FIGURE (target ...): met" and whether `value` is at most (`atMost`) or at least
// `limit`; true when it is met.
bool CheckTarget(const std::string& name, const std::string& figure, double value, double limit, bool atMost);

// Prints the speed-up over ezdxf and the peak memory against the targets (at least 50 times faster, at
// most 3 times the file) and whether they are met, `correct` being the output's check; the program's exit
// code: 0 when they are.
int ReportTargets(double speedUp, long peakBytes, double fileBytes, bool correct);

}  // namespace zil::bench
