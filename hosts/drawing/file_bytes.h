// The bytes of the file a drawing was read from, and which of them the drawing still reads.
//
// Every record points into these bytes until it is written anew; then the drawing forgets the record's
// bytes here. Pages none of whose bytes are kept any more are given back to the system when the drawing
// asks (Release): a batch that changes every entity of a large drawing does not keep the file's bytes
// beside the new ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "drawing/whole_file.h"

namespace zil::drawing {

class FileBytes {
 public:
  FileBytes() = default;
  // Every byte is kept.
  explicit FileBytes(WholeFile bytes);

  std::string_view View() const noexcept { return bytes_.View(); }
  // `bytes` lie in the file's bytes.
  bool Holds(std::string_view bytes) const noexcept;

  // Counts bytes that lie in the file's bytes as read again, or no longer.
  void Keep(std::string_view bytes) noexcept;
  void Forget(std::string_view bytes) noexcept;

  // Notes bytes that something still reads though they are not kept: the next Release keeps the pages
  // they lie on.
  void Pin(std::string_view bytes);
  // The pages forgotten since the last release (a few pinned ones may be among them).
  std::size_t Forgotten() const noexcept { return forgotten_.size(); }
  // Gives back the pages none of whose bytes are kept or pinned; the pins are let go.
  void Release();
  // The bytes given back so far.
  std::size_t Released() const noexcept { return released_ * WholeFile::kPageSize; }
  bool IsReleased(std::size_t page) const noexcept { return page < gone_.size() && gone_[page]; }

 private:
  // Calls `each(page, bytes)` for every page that `bytes` lies on, with the bytes it holds of them.
  template <typename Each>
  void ForPages(std::string_view bytes, Each each) const;

  WholeFile bytes_;
  std::vector<std::uint16_t> kept_;     // bytes kept of each page
  std::vector<bool> gone_;              // given back
  std::vector<std::size_t> forgotten_;  // pages whose kept bytes fell to none, since the last release
  std::vector<std::size_t> pinned_;
  std::size_t released_ = 0;
};

}  // namespace zil::drawing
