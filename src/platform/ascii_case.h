// ASCII case, as the names the add-in meets are compared: INI sections and keys, registry names, member
// names, font files, AutoCAD's names, commands and system variables. Only a..z and A..Z change case or
// compare equal across it; every other character (Hebrew, accented Latin, ...) stays as it is. The same
// rules for UTF-8 or single-byte strings and for UTF-16 ones.
#pragma once

#include <algorithm>
#include <concepts>
#include <string>
#include <string_view>

namespace zil {

template <std::integral Char>
constexpr Char UpperAscii(Char c) {
  return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - Char('a') + Char('A')) : c;
}

template <std::integral Char>
constexpr Char LowerAscii(Char c) {
  return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

inline std::u16string UpperAscii(std::u16string_view s) {
  std::u16string upper(s);
  for (char16_t& c : upper) c = UpperAscii(c);
  return upper;
}

inline std::string UpperAscii(std::string_view s) {
  std::string upper(s);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

inline std::string LowerAscii(std::string_view s) {
  std::string lower(s);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

namespace detail {

// A byte as the character of the same value, whatever the signedness of char.
constexpr char16_t Unit(char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); }
constexpr char16_t Unit(char16_t c) { return c; }

template <typename A, typename B>
constexpr bool EqualIgnoringAsciiCase(std::basic_string_view<A> a, std::basic_string_view<B> b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](A x, B y) { return UpperAscii(Unit(x)) == UpperAscii(Unit(y)); });
}

}  // namespace detail

// Equal but for the case of ASCII letters. Bytes and UTF-16 units compare by value (an ASCII name against
// a UTF-16 one).
constexpr bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  return detail::EqualIgnoringAsciiCase(a, b);
}
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return detail::EqualIgnoringAsciiCase(a, b);
}
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::u16string_view b) {
  return detail::EqualIgnoringAsciiCase(a, b);
}

}  // namespace zil
