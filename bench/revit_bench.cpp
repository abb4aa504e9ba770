// `zil revit` on R2000 drawings of 10,000, 100,000 and 1,000,000 TEXT entities (made with ezdxf on first
// run, the same bytes every time), run as a user runs it: the command in a process of its own, the copy
// written beside the drawing.
//
// Targets:
// - on the 100,000-text drawing, at most 3 times the floor measured in the same run: `zil dxf copy` of
//   the drawing (loading and saving it, process to process) plus the conversion of as many texts held in
//   plain fields (revit_flow.h);
// - a peak resident memory of at most the program's baseline (that of `zil --version`) plus 2.5 times the
//   file size, at 100,000 and at 1,000,000 texts;
// - linear growth: the time per text at 1,000,000 texts at most 1.25 times that at 100,000;
// - every copy byte for byte the one recorded for its drawing (kRecorded), when the drawing is the one the
//   recording was made from.
// Prints the figures; exits 1 when a target is missed.
//
// Usage: zil_bench_revit [FOLDER] [--no-large]   (FOLDER keeps the drawings between runs; default: the
// current folder; --no-large leaves out the 1,000,000-text drawing). ZIL_BENCH_ZIL=PROGRAM measures
// another build of zil, such as the one before a change.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "revit_flow.h"

namespace {

const char* const kFontTable = ZIL_SOURCE_DIR "/samples/data";  // the sample's font table
const std::string kZil = zil::bench::ZilProgram(ZIL_EXECUTABLE);

using zil::bench::Measured;

// The drawings and the hashes (bench_support.h, FileHash) of each and of its Revit copy, as zil made it
// when they were recorded: a change of the copy's bytes is a change of what zil writes.
struct Recorded {
  long texts;
  const char* name;
  std::uint64_t drawing;
  std::uint64_t copy;
};
constexpr Recorded kRecorded[] = {
    {10'000, "text_10k_r2000", 0x3bfff50d1bc36020, 0x232736b9afa7f532},
    {100'000, "text_100k_r2000", 0xb40ef68c2dc1a5da, 0xfb20f15db5c5880b},
    {1'000'000, "text_1000k_r2000", 0xa2ed4a716e431bae, 0xbd74abb42d476da8},
};

struct Result {
  const Recorded* recorded = nullptr;
  double fileBytes = 0;
  double seconds = 0;
  double cpuSeconds = 0;  // of the same run, for a machine that is busy with other work
  long peak = 0;
  bool converted = false;
  std::string bytes;  // "same", "CHANGED" or why it was not compared
};

Result RunSize(const std::string& folder, const Recorded& r) {
  const std::string drawing = folder + "/" + r.name + ".dxf";
  const std::string copy = folder + "/" + r.name + "_Revit.dxf";
  const std::string log = folder + "/" + r.name + "_Revit.log";
  Result result;
  result.recorded = &r;
  result.fileBytes = zil::bench::EnsureTextDrawing(drawing, r.texts);
  const int runs = r.texts > 100'000 ? 1 : 5;
  std::vector<double> seconds, cpu;
  std::string output;
  for (int i = 0; i < runs; ++i) {
    const Measured m = zil::bench::RunTimed(kZil, {"revit", drawing, "--force"}, log, kFontTable);
    seconds.push_back(m.seconds);
    cpu.push_back(m.cpuSeconds);
    result.peak = std::max(result.peak, m.peakBytes);
    output = m.output;
  }
  result.seconds = zil::bench::Median(seconds);
  result.cpuSeconds = zil::bench::Median(cpu);
  result.converted = output.find(std::to_string(r.texts) + " converted, 0 left alone, 0 failed") != std::string::npos;
  const std::uint64_t drawingHash = zil::bench::FileHash(drawing);
  const std::uint64_t copyHash = zil::bench::FileHash(copy);
  if (drawingHash != r.drawing) {
    char text[160];
    std::snprintf(text, sizeof text, "not compared: the drawing (%016llx) is not the recorded one; copy %016llx",
                  static_cast<unsigned long long>(drawingHash), static_cast<unsigned long long>(copyHash));
    result.bytes = text;
  } else {
    result.bytes = copyHash == r.copy ? "same" : "CHANGED";
  }
  std::remove(copy.c_str());
  std::remove(log.c_str());
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    std::string folder = ".";
    bool large = true;
    for (int i = 1; i < argc; ++i) {
      if (std::strcmp(argv[i], "--no-large") == 0) {
        large = false;
      } else {
        folder = argv[i];
      }
    }
    const std::string log = folder + "/zil_bench_revit.log";
    std::vector<double> startPeaks;
    for (int i = 0; i < 5; ++i)
      startPeaks.push_back(static_cast<double>(zil::bench::RunTimed(kZil, {"--version"}, log, kFontTable).peakBytes));
    const double baseline = zil::bench::Median(startPeaks);

    std::vector<Result> results;
    for (const Recorded& r : kRecorded)
      if (large || r.texts <= 100'000) results.push_back(RunSize(folder, r));

    // The floor, on the 100,000-text drawing.
    const std::string drawing = folder + "/text_100k_r2000.dxf";
    const std::string copy = folder + "/text_100k_r2000.copy.dxf";
    std::vector<double> copies;
    for (int i = 0; i < 5; ++i)
      copies.push_back(zil::bench::RunTimed(kZil, {"dxf", "copy", drawing, copy}, log, kFontTable).seconds);
    std::remove(copy.c_str());
    std::remove(log.c_str());
    const double loadSave = zil::bench::Median(copies);
    const double flow = zil::bench::RevitFlowSeconds(100'000);
    const double floor = loadSave + flow;

    std::printf("baseline (zil --version)  %.1f MB\n", baseline / 1e6);
    std::printf("%10s %9s %9s %9s %9s %10s %12s  %s\n", "texts", "file MB", "seconds", "cpu s", "us/text", "peak MB",
                "(peak-base)/file", "copy's bytes");
    bool ok = true;
    const Result* at100k = nullptr;
    const Result* at1m = nullptr;
    for (const Result& r : results) {
      const double perText = r.seconds / static_cast<double>(r.recorded->texts) * 1e6;
      const double memory = (static_cast<double>(r.peak) - baseline) / r.fileBytes;
      std::printf("%10ld %9.1f %9.3f %9.3f %9.2f %10.1f %12.2fx      %s%s\n", r.recorded->texts, r.fileBytes / 1e6,
                  r.seconds, r.cpuSeconds, perText, static_cast<double>(r.peak) / 1e6, memory, r.bytes.c_str(),
                  r.converted ? "" : "; NOT every text converted");
      ok = ok && r.converted && r.bytes.rfind("CHANGED", 0) != 0;
      if (r.recorded->texts == 100'000) at100k = &r;
      if (r.recorded->texts == 1'000'000) at1m = &r;
    }
    std::printf("floor at 100,000 texts    %.3f s = load+save %.3f s (zil dxf copy) + flow %.3f s\n", floor, loadSave,
                flow);
    char figure[160];
    if (at100k) {
      std::snprintf(figure, sizeof figure, "%.2fx the floor (target at most 3x)", at100k->seconds / floor);
      ok &= zil::bench::CheckTarget("zil revit, 100,000 texts", figure, at100k->seconds / floor, 3, true);
    }
    for (const Result* r : {at100k, at1m}) {
      if (!r) continue;
      const double memory = (static_cast<double>(r->peak) - baseline) / r->fileBytes;
      std::snprintf(figure, sizeof figure, "baseline + %.2fx the file (target at most 2.5x)", memory);
      ok &= zil::bench::CheckTarget("peak memory, " + std::to_string(r->recorded->texts) + " texts", figure, memory,
                                    2.5, true);
    }
    if (at100k && at1m) {
      const double growth = (at1m->seconds / 1e6) / (at100k->seconds / 1e5);
      std::snprintf(figure, sizeof figure, "time per text %.2fx that at 100,000 (target at most 1.25x)", growth);
      ok &= zil::bench::CheckTarget("linear growth to 1,000,000 texts", figure, growth, 1.25, true);
    }
    std::printf("%s\n", ok ? "targets met" : "TARGETS MISSED");
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "zil_bench_revit: " << e.what() << '\n';
    return 2;
  }
}
