// A set of words (byte strings) with 32 flag bits each, for word lists of some hundred thousand words:
// the words sit one after another in one buffer and an open-addressing table points into it, so building
// the set allocates a few times and looking a word up not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zil::config {

class WordSet {
 public:
  // Room for about `words` words of `bytes` bytes in all, to spare the growing.
  void Reserve(std::size_t words, std::size_t bytes);
  // Adds a word (at most 255 bytes; longer ones are not kept), or ORs `flags` into those it has.
  void Add(std::string_view word, std::uint32_t flags = 0);
  // The flags of a word of the set.
  std::optional<std::uint32_t> Find(std::string_view word) const;
  bool Contains(std::string_view word) const { return Find(word).has_value(); }
  std::size_t Size() const { return size_; }
  // Calls `f(word)` for every word, in no particular order.
  template <typename F>
  void ForEach(F&& f) const {
    for (const Slot& s : slots_)
      if (s.length != 0) f(std::string_view(text_).substr(s.offset, s.length));
  }

 private:
  struct Slot {
    std::uint32_t offset = 0;
    std::uint32_t flags = 0;
    std::uint32_t check = 0;  // high bits of the word's hash: most other words are told apart without a look
    std::uint8_t length = 0;  // 0: the slot is free (words are never empty)
  };
  // The word's slot, or the free slot where it would go.
  std::size_t SlotOf(std::string_view word, std::size_t hash) const;
  static std::size_t Hash(std::string_view word);

  std::string text_;
  std::vector<Slot> slots_;  // a power of two in size, at most half full
  std::size_t size_ = 0;
};

}  // namespace zil::config
