// The conversion corpus written at build time by make_corpus.py: drawing strings with the results of the
// Linux build of zil, one case per line (conversion, font type, input, expected; texts as UTF-16 hex).
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zil::test {

struct ConversionCase {
  std::string conversion;  // "acadtostr", "strtoacad", "edit-form", "drawing-form"
  int kind = 0;
  std::u16string input;
  std::u16string expected;
};

inline std::u16string FromHex16(const std::string& hex) {
  std::u16string text;
  if (hex == "-") return text;
  for (std::size_t i = 0; i + 4 <= hex.size(); i += 4)
    text += static_cast<char16_t>(std::stoul(hex.substr(i, 4), nullptr, 16));
  return text;
}

inline std::string ToHex16(std::u16string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (char16_t unit : text)
    for (int shift = 12; shift >= 0; shift -= 4) hex += kDigits[(unit >> shift) & 0xF];
  return hex.empty() ? "-" : hex;
}

inline std::vector<ConversionCase> ReadConversionCorpus(const std::string& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read the conversion corpus " + file);
  std::vector<ConversionCase> cases;
  std::string conversion, kind, input, expected;
  while (std::getline(in, conversion, '\t') && std::getline(in, kind, '\t') && std::getline(in, input, '\t') &&
         std::getline(in, expected)) {
    cases.push_back({conversion, std::stoi(kind), FromHex16(input), FromHex16(expected)});
  }
  return cases;
}

}  // namespace zil::test
