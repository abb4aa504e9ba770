#include "progress_bar.h"

#include <unistd.h>

namespace zil::cli {

ProgressBar::ProgressBar(std::FILE* stream, std::string label)
    : stream_(stream), label_(std::move(label)), shown_(isatty(fileno(stream)) != 0) {}

ProgressBar::~ProgressBar() {
  if (shown_ && percent_ >= 0) std::fprintf(stream_, "\r\033[K");
  std::fflush(stream_);
}

void ProgressBar::Update(std::size_t done, std::size_t total) {
  if (!shown_) return;
  const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
  if (percent == percent_) return;
  percent_ = percent;
  constexpr int kWidth = 30;
  const int filled = percent * kWidth / 100;
  std::fprintf(stream_, "\r%s [%s%s] %3d%% (%zu of %zu)", label_.c_str(),
               std::string(static_cast<std::size_t>(filled), '=').c_str(),
               std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), percent, done, total);
  std::fflush(stream_);
}

}  // namespace zil::cli
