// `zil revit` on a 17 MB R2000 drawing with 100,000 TEXT entities (made with ezdxf on first run), run as a
// user runs it: the command in a process of its own, the copy written beside the drawing.
// Targets: at least 50 times faster than an ezdxf script that loads the drawing, rewrites every TEXT's
// string and style and saves it, on this machine; a peak resident memory of at most 3 times the file size.
// Prints the figures; exits 1 when a target is missed.
//
// Usage: zil_bench_revit [FOLDER]   (FOLDER keeps the drawing between runs; default: the current folder)
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {

const char* const kFontTable = ZIL_SOURCE_DIR "/samples/data";  // the sample's font table
const char* const kZil = ZIL_EXECUTABLE;

using zil::bench::Measured;

// One run of `zil revit DRAWING --force` (each run replaces the copy the one before made), its standard
// output kept in `log`.
Measured RunRevit(const std::string& drawing, const std::string& log) {
  return zil::bench::RunTimed(kZil, {"revit", drawing, "--force"}, log, kFontTable);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string folder = argc > 1 ? argv[1] : ".";
    const std::string drawing = folder + "/text_100k_r2000.dxf";
    const std::string copy = folder + "/text_100k_r2000_Revit.dxf";
    const std::string log = folder + "/text_100k_r2000_Revit.log";
    const double size = zil::bench::EnsureTextDrawing(drawing);

    std::vector<Measured> runs;
    for (int i = 0; i < 5; ++i) {
      std::remove(copy.c_str());
      runs.push_back(RunRevit(drawing, log));
    }
    const bool converted = runs.back().output.find("100000 converted, 0 left alone, 0 failed") != std::string::npos;
    std::sort(runs.begin(), runs.end(), [](const Measured& a, const Measured& b) { return a.seconds < b.seconds; });
    const Measured& median = runs[runs.size() / 2];
    long peak = 0;
    for (const Measured& m : runs) peak = std::max(peak, m.peakBytes);
    const double ezdxf = zil::bench::EzdxfSeconds("ezdxf-revit", drawing, copy + ".ezdxf");
    std::remove(copy.c_str());
    std::remove(log.c_str());

    const double ratio = ezdxf / median.seconds;
    std::printf("drawing            %.1f MB, 100,000 TEXT, R2000\n", size / 1e6);
    std::printf("zil revit          %.2f s (median of %zu; fastest %.2f s), every text converted: %s\n", median.seconds,
                runs.size(), runs.front().seconds, converted ? "yes" : "NO");
    std::printf("ezdxf rewrite      %.2f s\n", ezdxf);
    return zil::bench::ReportTargets(ratio, peak, size, converted);
  } catch (const std::exception& e) {
    std::cerr << "zil_bench_revit: " << e.what() << '\n';
    return 2;
  }
}
