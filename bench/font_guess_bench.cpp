// `zil fonts DRAWING --guess` on the 17 MB R2000 drawing of 100,000 TEXT entities (made with ezdxf on first
// run), run as a user runs it: the command in a process of its own, which reads the word lists, opens the
// drawing, reads every text through the automation surface and tells each font's type.
// Target: at most 1 s for the whole command (the median of 5 runs). The stages are timed in this process
// too (word lists, opening the drawing, reading and classifying its texts), to show where the time goes.
// Prints the figures; exits 1 when the target is missed or the proposal is wrong.
//
// Usage: zil_bench_font_guess [FOLDER]   (FOLDER keeps the drawing between runs; default: the current folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "config/word_lists.h"
#include "conversions/font_guess_walk.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string folder = argc > 1 ? argv[1] : ".";
    const std::string drawing = folder + "/text_100k_r2000.dxf";
    const std::string log = folder + "/text_100k_r2000_guess.log";
    const double size = zil::bench::EnsureTextDrawing(drawing);

    // The stages, in this process.
    std::vector<double> lists, open, guess;
    std::size_t texts = 0;
    for (int i = 0; i < 5; ++i) {
      auto start = Clock::now();
      zil::config::WordLists words = zil::config::LoadWordLists(zil::config::WordListFolders(folder));
      lists.push_back(Since(start));
      if (!words.problems.empty()) throw std::runtime_error(words.problems.front());
      start = Clock::now();
      const auto application = zil::standin::StandInApplication::Create();
      const auto doc = application->OpenDrawing(drawing);
      open.push_back(Since(start));
      start = Clock::now();
      texts = zil::conversions::GuessDrawingFonts(*doc, std::move(words)).texts;
      guess.push_back(Since(start));
    }

    // The command.
    std::vector<zil::bench::Measured> runs;
    for (int i = 0; i < 5; ++i)
      runs.push_back(zil::bench::RunTimed(ZIL_EXECUTABLE, {"fonts", drawing, "--guess"}, log, folder));
    std::remove(log.c_str());
    // Every text is Hebrew in Windows-1255 letters in reading order: the Standard style's font is TrueType.
    const bool right = runs.back().output.find("\ntxt   TrueType     sure 100%") != std::string::npos &&
                       runs.back().output.find("100000 texts;") != std::string::npos;
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.seconds < b.seconds; });
    const zil::bench::Measured& median = runs[runs.size() / 2];
    long peak = 0;
    for (const auto& m : runs) peak = std::max(peak, m.peakBytes);

    std::printf("drawing            %.1f MB, %zu TEXT, R2000\n", size / 1e6, texts);
    std::printf("word lists         %.3f s (median of 5, in process)\n", Median(lists));
    std::printf("open the drawing   %.3f s\n", Median(open));
    std::printf("read and classify  %.3f s\n", Median(guess));
    std::printf(
        "zil fonts --guess  %.2f s (median of %zu; fastest %.2f s), %.2f s of processor time, peak RSS "
        "%.0f MB; proposal right: %s\n",
        median.seconds, runs.size(), runs.front().seconds, median.cpuSeconds, static_cast<double>(peak) / 1e6,
        right ? "yes" : "NO");
    const bool met = right && median.seconds <= 1.0;
    std::printf("%s (target at most 1 s)\n", met ? "target met" : "TARGET MISSED");
    return met ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "zil_bench_font_guess: " << e.what() << '\n';
    return 2;
  }
}
