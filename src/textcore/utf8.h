// UTF-8 <-> UTF-16 for text crossing the command line, files and other UTF-8 boundaries.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zil::textcore {

// Malformed UTF-8 becomes U+FFFD.
std::u16string FromUtf8(std::string_view utf8);
// The text of well-formed UTF-8; nothing when any of it is malformed.
std::optional<std::u16string> FromUtf8Strict(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view utf16);

}  // namespace zil::textcore
