// Text the user gives zil (arguments, script lines) must be UTF-8: a malformed sequence would otherwise
// turn into U+FFFD and then into "?" in a drawing string, silently. These find the first malformed byte
// and show text with such bytes escaped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zil::cli {

// The offset of the first byte that does not begin a well-formed UTF-8 sequence; nothing when all is.
std::optional<std::size_t> FirstMalformedUtf8(std::string_view text);

// `text` for a message: malformed bytes and control characters as \xNN, the rest as it is.
std::string EscapedForMessage(std::string_view text);

}  // namespace zil::cli
