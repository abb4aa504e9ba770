// Load + save of R2000 drawings with 100,000 and 1,000,000 TEXT entities (made with ezdxf on first run):
// in process, and as a user runs it, `zil dxf copy` in a process of its own.
// Targets: in process, at least 50 times faster than ezdxf doing the same load and save on this machine
// and a peak resident memory of at most 3 times the file size; `zil dxf copy` of the 100,000-text drawing
// at least 50 times faster than ezdxf, of the 1,000,000-text one in at most 1 s and at most 2 times the
// file size; every copy byte for byte the drawing. Prints the figures; exits 1 when a target is missed.
//
// Usage: zil_bench_dxf [FOLDER] [--no-large]   (FOLDER keeps the drawings between runs; default: the
// current folder; --no-large leaves out the 1,000,000-text drawing; ZIL_BENCH_ZIL=PROGRAM runs another
// build of zil for `zil dxf copy`)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "drawing/dxf_file.h"

namespace {

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Peak resident memory (bytes) of a child process that loads and saves once.
long PeakRssOfOneCopy(const std::string& in, const std::string& out) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    try {
      zil::drawing::SaveDxfFile(*zil::drawing::LoadDxfFile(in), out);
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the measured copy failed");
  return usage.ru_maxrss * 1024L;
}

// `zil dxf copy IN OUT` as a process: the median of `runs`, the largest peak; `same` tells whether OUT is IN.
zil::bench::Measured CopyProcess(const std::string& in, const std::string& out, int runs, bool& same) {
  const std::string log = out + ".log";
  std::vector<double> seconds;
  zil::bench::Measured result;
  for (int i = 0; i < runs; ++i) {
    const zil::bench::Measured m =
        zil::bench::RunTimed(zil::bench::ZilProgram(ZIL_EXECUTABLE), {"dxf", "copy", in, out}, log, ".");
    seconds.push_back(m.seconds);
    result.peakBytes = std::max(result.peakBytes, m.peakBytes);
  }
  result.seconds = zil::bench::Median(seconds);
  same = zil::bench::FileHash(out) == zil::bench::FileHash(in);
  std::remove(out.c_str());
  std::remove(log.c_str());
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    std::string folder = ".";
    bool large = true;
    for (int i = 1; i < argc; ++i) {
      if (std::string(argv[i]) == "--no-large") {
        large = false;
      } else {
        folder = argv[i];
      }
    }
    const std::string drawing = folder + "/text_100k_r2000.dxf";
    const std::string out = folder + "/text_100k_r2000.out.dxf";
    const double size = zil::bench::EnsureTextDrawing(drawing);

    const long peak = PeakRssOfOneCopy(drawing, out);
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
      times.push_back(Seconds([&] { zil::drawing::SaveDxfFile(*zil::drawing::LoadDxfFile(drawing), out); }));
    }
    std::sort(times.begin(), times.end());
    const double ours = times[times.size() / 2];
    const bool same = Bytes(out) == Bytes(drawing);
    const double ezdxf = zil::bench::EzdxfSeconds("ezdxf", drawing, out + ".ezdxf");
    std::remove(out.c_str());

    const double ratio = ezdxf / ours;
    std::printf("drawing            %.1f MB, 100,000 TEXT, R2000\n", size / 1e6);
    std::printf("zil load+save      %.1f ms (median of %zu; fastest %.1f ms), output identical: %s\n", ours * 1e3,
                times.size(), times.front() * 1e3, same ? "yes" : "NO");
    std::printf("ezdxf load+save    %.2f s\n", ezdxf);
    bool ok = zil::bench::ReportTargets(ratio, peak, size, same) == 0;

    bool copied = false;
    const zil::bench::Measured process = CopyProcess(drawing, out, 7, copied);
    char figure[160];
    std::snprintf(figure, sizeof figure, "%.1f ms, %.1fx faster than ezdxf (target at least 50x), identical: %s",
                  process.seconds * 1e3, ezdxf / process.seconds, copied ? "yes" : "NO");
    ok &=
        zil::bench::CheckTarget("zil dxf copy, 100,000 texts", figure, copied ? ezdxf / process.seconds : 0, 50, false);
    if (large) {
      const std::string big = folder + "/text_1000k_r2000.dxf";
      const double bigSize = zil::bench::EnsureTextDrawing(big, 1'000'000);
      const zil::bench::Measured m = CopyProcess(big, folder + "/text_1000k_r2000.out.dxf", 3, copied);
      std::snprintf(figure, sizeof figure, "%.2f s (target at most 1 s), identical: %s", m.seconds,
                    copied ? "yes" : "NO");
      ok &= zil::bench::CheckTarget("zil dxf copy, 1,000,000 texts", figure, copied ? m.seconds : 1e9, 1, true);
      const double memory = static_cast<double>(m.peakBytes) / bigSize;
      std::snprintf(figure, sizeof figure, "%.1f MB = %.2fx the file (target at most 2x)",
                    static_cast<double>(m.peakBytes) / 1e6, memory);
      ok &= zil::bench::CheckTarget("zil dxf copy, 1,000,000 texts", figure, memory, 2, true);
    }
    std::printf("%s\n", ok ? "all targets met" : "TARGETS MISSED");
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "zil_bench_dxf: " << e.what() << '\n';
    return 2;
  }
}
