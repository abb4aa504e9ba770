// Load + save of a 17 MB R2000 drawing with 100,000 TEXT entities (made with ezdxf on first run).
// Targets: at least 50 times faster than ezdxf doing the same load and save on this machine, and a peak
// resident memory of at most 3 times the file size. Prints the figures; exits 1 when a target is missed.
//
// Usage: zil_bench_dxf [FOLDER]   (FOLDER keeps the drawing between runs; default: the current folder)
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

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string folder = argc > 1 ? argv[1] : ".";
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
    return zil::bench::ReportTargets(ratio, peak, size, same);
  } catch (const std::exception& e) {
    std::cerr << "zil_bench_dxf: " << e.what() << '\n';
    return 2;
  }
}
