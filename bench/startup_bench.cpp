// How fast the command line starts: `zil --version`, a process of its own, which loads none of the dialog,
// preview or Qt libraries (they are loaded by the commands that need them).
// Targets: at most 10 ms (the median of 50 runs) and a peak resident memory of at most 8 MB.
// Prints the figures; exits 1 when a target is missed.
//
// Usage: zil_bench_startup   (ZIL_BENCH_ZIL=PROGRAM measures another build of zil)
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"

int main() {
  try {
    const std::string log = "/tmp/zil_bench_startup.log";
    std::vector<double> seconds, cpu;
    long peak = 0;
    for (int i = 0; i < 50; ++i) {
      const zil::bench::Measured m =
          zil::bench::RunTimed(zil::bench::ZilProgram(ZIL_EXECUTABLE), {"--version"}, log, ".");
      seconds.push_back(m.seconds);
      cpu.push_back(m.cpuSeconds);
      peak = std::max(peak, m.peakBytes);
    }
    std::remove(log.c_str());
    const double median = zil::bench::Median(seconds);
    char figure[120];
    std::snprintf(figure, sizeof figure, "%.1f ms (median of 50, %.1f ms of it on the CPU; target at most 10 ms)",
                  median * 1e3, zil::bench::Median(cpu) * 1e3);
    bool ok = zil::bench::CheckTarget("zil --version, time", figure, median, 0.010, true);
    std::snprintf(figure, sizeof figure, "%.1f MB peak (target at most 8 MB)", static_cast<double>(peak) / 1e6);
    ok &= zil::bench::CheckTarget("zil --version, memory", figure, static_cast<double>(peak), 8e6, true);
    std::printf("%s\n", ok ? "targets met" : "TARGETS MISSED");
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "zil_bench_startup: " << e.what() << '\n';
    return 2;
  }
}
