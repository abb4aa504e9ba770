// Storage for the bytes the host makes (tag values, records written back from their tags): every string
// stored keeps its address until the store is cleared, so tags (and the snapshots an undo journal keeps)
// can point into it.
//
// Texts are short (numbers, names, a text's string) and a batch conversion keeps several for every
// entity, so they are packed one after another into large blocks rather than each kept in its own
// allocation; a long text (over a quarter of a block) gets a block of its own.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

namespace zil::drawing {

class TextStore {
 public:
  // A copy of `text`, kept until the store is cleared.
  std::string_view Keep(std::string_view text);
  // A copy of the texts one after another, as one text.
  std::string_view Keep(std::initializer_list<std::string_view> parts);
  // Room for `size` bytes, for the caller to fill. Inline where the block in use has it, as it mostly
  // does for the many short texts of a change.
  char* Room(std::size_t size) {
    if (size > kBlockSize / 4 || kBlockSize - used_ < size) return NewRoom(size);
    size_ += size;
    char* room = current_ + used_;
    used_ += size;
    return room;
  }

  // The bytes stored since the store was made or cleared (long texts included).
  std::size_t Size() const noexcept { return size_; }
  // Forgets every text stored: what pointed into the store dangles. The block in use is kept for reuse.
  void Clear() noexcept;

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;
  // Room in a block of its own (a long text) or in a new block.
  char* NewRoom(std::size_t size);
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t used_ = kBlockSize;  // of the last ordinary block; full until the first is made
  char* current_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace zil::drawing
