#include "drawing/file_bytes.h"

#include <algorithm>
#include <cassert>
#include <functional>

namespace zil::drawing {

FileBytes::FileBytes(WholeFile bytes) : bytes_(std::move(bytes)) {
  constexpr std::size_t kPage = WholeFile::kPageSize;
  kept_.assign(bytes_.Pages(), static_cast<std::uint16_t>(kPage));
  if (!kept_.empty() && bytes_.Size() % kPage != 0) kept_.back() = static_cast<std::uint16_t>(bytes_.Size() % kPage);
  gone_.assign(bytes_.Pages(), false);
}

bool FileBytes::Holds(std::string_view bytes) const noexcept {
  const std::string_view all = View();
  return !bytes.empty() && !all.empty() && std::less_equal<>()(all.data(), bytes.data()) &&
         std::less_equal<>()(bytes.data() + bytes.size(), all.data() + all.size());
}

template <typename Each>
void FileBytes::ForPages(std::string_view bytes, Each each) const {
  if (!Holds(bytes)) return;
  constexpr std::size_t kPage = WholeFile::kPageSize;
  std::size_t at = static_cast<std::size_t>(bytes.data() - View().data());
  const std::size_t end = at + bytes.size();
  while (at < end) {
    const std::size_t page = at / kPage;
    const std::size_t next = std::min(end, (page + 1) * kPage);
    each(page, next - at);
    at = next;
  }
}

void FileBytes::Keep(std::string_view bytes) noexcept {
  ForPages(bytes, [this](std::size_t page, std::size_t size) {
    assert(!gone_[page] && "bytes kept again after their page was given back");
    kept_[page] = static_cast<std::uint16_t>(kept_[page] + size);
  });
}

void FileBytes::Forget(std::string_view bytes) noexcept {
  ForPages(bytes, [this](std::size_t page, std::size_t size) {
    assert(kept_[page] >= size);
    kept_[page] = static_cast<std::uint16_t>(kept_[page] - size);
    if (kept_[page] == 0) forgotten_.push_back(page);
  });
}

void FileBytes::Pin(std::string_view bytes) {
  ForPages(bytes, [this](std::size_t page, std::size_t) {
    if (kept_[page] == 0) pinned_.push_back(page);
  });
}

void FileBytes::Release() {
  std::sort(forgotten_.begin(), forgotten_.end());
  forgotten_.erase(std::unique(forgotten_.begin(), forgotten_.end()), forgotten_.end());
  std::sort(pinned_.begin(), pinned_.end());
  std::vector<std::size_t> still;  // pinned: tried again at the next release
  std::size_t runStart = 0, runSize = 0;
  const auto flush = [&] {
    bytes_.Release(runStart, runSize);
    released_ += runSize;
    runSize = 0;
  };
  for (const std::size_t page : forgotten_) {
    if (kept_[page] != 0 || gone_[page]) continue;  // kept again, or given back already
    if (std::binary_search(pinned_.begin(), pinned_.end(), page)) {
      still.push_back(page);
      continue;
    }
    gone_[page] = true;
    if (runSize != 0 && runStart + runSize == page) {
      ++runSize;
      continue;
    }
    if (runSize != 0) flush();
    runStart = page, runSize = 1;
  }
  if (runSize != 0) flush();
  forgotten_ = std::move(still);
  pinned_.clear();
}

}  // namespace zil::drawing
