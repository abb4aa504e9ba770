// A file's bytes, read whole into memory pages of their own: POSIX, or the Windows API in the Windows
// build. A file that grows while it is read is read to its end.
//
// The pages can be given back to the system a run at a time once nothing reads them any more (the
// drawing does so for the bytes of records it has written anew), while the others stay where they are.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace zil::drawing {

class WholeFile {
 public:
  static constexpr std::size_t kPageSize = 4096;

  WholeFile() noexcept = default;
  // A copy of `bytes` (for bytes that were read otherwise).
  explicit WholeFile(std::string_view bytes) {
    Reserve(bytes.size());
    std::copy(bytes.begin(), bytes.end(), data_);
    size_ = bytes.size();
  }
  ~WholeFile() {
    if (data_ != nullptr) FreePages(data_, capacity_);
  }
  WholeFile(WholeFile&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  WholeFile& operator=(WholeFile&& other) noexcept {
    WholeFile gone(std::move(*this));
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    return *this;
  }

  std::string_view View() const noexcept { return {data_, size_}; }
  std::size_t Size() const noexcept { return size_; }
  std::size_t Pages() const noexcept { return (size_ + kPageSize - 1) / kPageSize; }

  // Gives the pages [first, first + count) back to the system: what pointed into them must not be read
  // again (they read as zeros; in a build with the address sanitizer, reading them is reported).
  void Release(std::size_t first, std::size_t count) noexcept {
    if (count == 0 || first >= Pages()) return;
    DiscardPages(data_ + first * kPageSize, std::min(count, Pages() - first) * kPageSize);
  }

 private:
  friend WholeFile ReadWholeFile(const std::string& path);
  // Room for `capacity` bytes, those held kept.
  void Reserve(std::size_t capacity) {
    capacity = (capacity + kPageSize - 1) / kPageSize * kPageSize;
    if (capacity <= capacity_) return;
    WholeFile old(std::move(*this));
    data_ = AllocatePages(capacity);
    capacity_ = capacity;
    size_ = old.size_;
    std::copy(old.data_, old.data_ + size_, data_);
  }

  // The system's side (whole_file.cpp, whole_file_win.cpp). Allocating throws std::bad_alloc.
  static char* AllocatePages(std::size_t bytes);
  static void FreePages(char* pages, std::size_t bytes) noexcept;
  static void DiscardPages(char* pages, std::size_t bytes) noexcept;

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;  // a whole number of pages
};

// Throws DxfError naming the file and the reason when it cannot be opened or read, or is a folder.
WholeFile ReadWholeFile(const std::string& path);

}  // namespace zil::drawing
