#include "utf8_text.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace zil::cli {
namespace {

// The sequences of `text` in order: each well-formed character, or one byte that begins no character.
template <typename Visit>
void ForEachSequence(std::string_view text, Visit&& visit) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t i = 0;
  while (i < length) {
    const std::int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) i = start + 1;  // one byte at a time through what is not UTF-8
    if (!visit(static_cast<std::size_t>(start),
               text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)), c))
      return;
  }
}

}  // namespace

std::optional<std::size_t> FirstMalformedUtf8(std::string_view text) {
  std::optional<std::size_t> found;
  ForEachSequence(text, [&found](std::size_t at, std::string_view, UChar32 c) {
    if (c >= 0) return true;
    found = at;
    return false;
  });
  return found;
}

std::string EscapedForMessage(std::string_view text) {
  std::string shown;
  ForEachSequence(text, [&shown](std::size_t, std::string_view sequence, UChar32 c) {
    if (c >= 0x20 && c != 0x7F) {
      shown += sequence;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(sequence.front());
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
    return true;
  });
  return shown;
}

}  // namespace zil::cli
