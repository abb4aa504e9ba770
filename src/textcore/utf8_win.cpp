// UTF-8 <-> UTF-16 on Windows, by the platform's converters. Without MB_ERR_INVALID_CHARS they replace
// malformed UTF-8 and unpaired surrogates with U+FFFD, as the header promises; with it, malformed UTF-8 is
// refused.
#include <windows.h>

#include "textcore/utf8.h"

namespace zil::textcore {

std::u16string FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int in = static_cast<int>(utf8.size());
  std::u16string out(utf8.size(), u'\0');  // never more UTF-16 units than UTF-8 bytes
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), in, reinterpret_cast<WCHAR*>(out.data()),
                                         static_cast<int>(out.size()));
  out.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return out;
}

std::optional<std::u16string> FromUtf8Strict(std::string_view utf8) {
  if (utf8.empty()) return std::u16string();
  std::u16string out(utf8.size(), u'\0');
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                         reinterpret_cast<WCHAR*>(out.data()), static_cast<int>(out.size()));
  if (length <= 0) return std::nullopt;
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  if (utf16.empty()) return {};
  std::string out(utf16.size() * 3, '\0');  // at most three bytes per UTF-16 unit
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const WCHAR*>(utf16.data()), static_cast<int>(utf16.size()),
                          out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return out;
}

}  // namespace zil::textcore
