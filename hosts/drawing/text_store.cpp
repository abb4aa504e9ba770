#include "drawing/text_store.h"

#include <algorithm>

namespace zil::drawing {

char* TextStore::NewRoom(std::size_t size) {
  size_ += size;
  if (size > kBlockSize / 4) {  // a long text: a block of its own, the current block stays in use
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    return blocks_.back().get();
  }
  blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
  current_ = blocks_.back().get();
  used_ = size;
  return current_;
}

void TextStore::Clear() noexcept {
  size_ = 0;
  std::unique_ptr<char[]> kept;  // the block in use, for the next texts
  for (auto it = blocks_.rbegin(); it != blocks_.rend(); ++it)
    if (it->get() == current_) {
      kept = std::move(*it);
      break;
    }
  blocks_.clear();
  used_ = kBlockSize;
  current_ = kept.get();
  if (!kept) return;
  used_ = 0;
  blocks_.push_back(std::move(kept));
}

std::string_view TextStore::Keep(std::string_view text) { return Keep({text}); }

std::string_view TextStore::Keep(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (const std::string_view part : parts) size += part.size();
  if (size == 0) return {};
  char* room = Room(size);
  char* end = room;
  for (const std::string_view part : parts) end = std::copy(part.begin(), part.end(), end);
  return {room, size};
}

}  // namespace zil::drawing
