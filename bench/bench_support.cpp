#include "bench_support.h"

#include <sys/stat.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace zil::bench {
namespace {

const char* const kScript = ZIL_SOURCE_DIR "/bench/make_text_drawing.py";

std::string Script(const std::string& arguments) {
  return "/usr/bin/python3 " + std::string(kScript) + " " + arguments;
}

}  // namespace

std::string Run(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run " + command);
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  if (::pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
  return out;
}

double EnsureTextDrawing(const std::string& path, long count) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    std::cout << "making " << path << " with ezdxf..." << std::endl;
    Run(Script("make '" + path + "' " + std::to_string(count)));
    if (::stat(path.c_str(), &info) != 0) throw std::runtime_error("ezdxf did not make " + path);
  }
  return static_cast<double>(info.st_size);
}

double EzdxfSeconds(const std::string& mode, const std::string& in, const std::string& out) {
  const double seconds = std::stod(Run(Script(mode + " '" + in + "' '" + out + "'")));
  std::remove(out.c_str());
  return seconds;
}

int ReportTargets(double speedUp, long peakBytes, double fileBytes, bool correct) {
  const double memory = static_cast<double>(peakBytes) / fileBytes;
  std::printf("speed-up           %.1fx (target at least 50x)\n", speedUp);
  std::printf("peak RSS           %.1f MB = %.2fx the file (target at most 3x)\n", static_cast<double>(peakBytes) / 1e6,
              memory);
  const bool met = correct && speedUp >= 50 && memory <= 3;
  std::printf("%s\n", met ? "targets met" : "TARGETS MISSED");
  return met ? 0 : 1;
}

}  // namespace zil::bench
