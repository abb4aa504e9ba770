#include "bench_support.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace zil::bench {
namespace {

const char* const kScript = ZIL_SOURCE_DIR "/bench/make_text_drawing.py";

std::string Script(const std::string& arguments) {
  return "/usr/bin/python3 " + std::string(kScript) + " " + arguments;
}

}  // namespace

std::string ZilProgram(const char* built) {
  const char* other = std::getenv("ZIL_BENCH_ZIL");
  return other && *other ? other : built;
}

std::string Run(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run " + command);
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  if (::pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
  return out;
}

Measured RunTimed(const std::string& program, const std::vector<std::string>& args, const std::string& log,
                  const std::string& dataFolder) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("cannot start " + program);
  if (pid == 0) {
    if (!std::freopen(log.c_str(), "w", stdout)) ::_exit(127);
    ::setenv("ZIL_DATA_FOLDER", dataFolder.c_str(), 1);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  Measured m;
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(program + " failed; see " + log);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  m.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  m.peakBytes = usage.ru_maxrss * 1024L;
  std::ifstream in(log);
  std::ostringstream text;
  text << in.rdbuf();
  m.output = text.str();
  return m;
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

std::uint64_t FileHash(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::uint64_t hash = 14695981039346656037ULL;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash ^= static_cast<unsigned char>(buffer[i]);
      hash *= 1099511628211ULL;
    }
  }
  return hash;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool CheckTarget(const std::string& name, const std::string& figure, double value, double limit, bool atMost) {
  const bool met = atMost ? value <= limit : value >= limit;
  std::printf("%-34s %s: %s\n", name.c_str(), figure.c_str(), met ? "met" : "MISSED");
  return met;
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
