// A progress bar on standard error for long work on a drawing, drawn only when standard error is a
// terminal; it redraws when the percentage changes and clears its line when done.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace zil::cli {

class ProgressBar {
 public:
  ProgressBar(std::FILE* stream, std::string label);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Update(std::size_t done, std::size_t total);

 private:
  std::FILE* stream_;
  std::string label_;
  bool shown_;
  int percent_ = -1;
};

}  // namespace zil::cli
