#include "textcore/utf8.h"

#include <unicode/ustring.h>

namespace zil::textcore {

namespace {
constexpr UChar32 kReplacement = 0xFFFD;
}

std::u16string FromUtf8(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');  // never more UTF-16 units than UTF-8 bytes
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()), kReplacement, nullptr, &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

std::optional<std::u16string> FromUtf8Strict(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(), static_cast<int32_t>(utf8.size()),
                &status);
  if (U_FAILURE(status)) return std::nullopt;
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  std::string out(utf16.size() * 3, '\0');  // at most three bytes per UTF-16 unit
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf16.data(),
                     static_cast<int32_t>(utf16.size()), kReplacement, nullptr, &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

}  // namespace zil::textcore
