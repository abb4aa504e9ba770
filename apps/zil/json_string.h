// JSON strings that carry every UTF-16 unit intact, for the command line's JSON Lines mode.
//
// Drawing strings hold C1 controls (DOS Hebrew letters on bytes Windows-1255 leaves undefined) and may
// hold unpaired surrogates; common JSON libraries refuse the latter. Encoding writes printable text as
// UTF-8 and escapes controls (C0, DEL, C1) and unpaired surrogates as \uXXXX; decoding accepts every
// escape of RFC 8259, unpaired surrogates included, and strict UTF-8.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zil::cli {

class JsonStringError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The JSON string literal for `text`, quotes included.
std::string EncodeJsonString(std::u16string_view text);

// The text of a line holding one JSON string literal (whitespace around it allowed).
// Throws JsonStringError saying what is wrong and at which column.
std::u16string DecodeJsonString(std::string_view line);

}  // namespace zil::cli
