#include "config/word_set.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace zil::config {

std::size_t WordSet::Hash(std::string_view word) { return std::hash<std::string_view>{}(word); }

void WordSet::Reserve(std::size_t words, std::size_t bytes) {
  text_.reserve(bytes);
  const std::size_t wanted = std::bit_ceil(std::max<std::size_t>(16, words * 2));
  if (wanted <= slots_.size()) return;
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(wanted, Slot{});
  for (const Slot& s : old) {
    if (s.length == 0) continue;
    const std::string_view word = std::string_view(text_).substr(s.offset, s.length);
    slots_[SlotOf(word, Hash(word))] = s;
  }
}

std::size_t WordSet::SlotOf(std::string_view word, std::size_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const auto check = static_cast<std::uint32_t>(hash >> 32);
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.length == 0) return i;
    if (s.check == check && s.length == word.size() && std::string_view(text_).substr(s.offset, s.length) == word)
      return i;
  }
}

void WordSet::Add(std::string_view word, std::uint32_t flags) {
  if (word.empty() || word.size() > 255) return;
  if ((size_ + 1) * 2 > slots_.size()) Reserve(std::max<std::size_t>(8, slots_.size()), text_.capacity());
  const std::size_t hash = Hash(word);
  Slot& s = slots_[SlotOf(word, hash)];
  if (s.length == 0) {
    s.offset = static_cast<std::uint32_t>(text_.size());
    s.length = static_cast<std::uint8_t>(word.size());
    s.check = static_cast<std::uint32_t>(hash >> 32);
    text_.append(word);
    ++size_;
  }
  s.flags |= flags;
}

std::optional<std::uint32_t> WordSet::Find(std::string_view word) const {
  if (slots_.empty() || word.empty()) return std::nullopt;
  const Slot& s = slots_[SlotOf(word, Hash(word))];
  if (s.length == 0) return std::nullopt;
  return s.flags;
}

}  // namespace zil::config
