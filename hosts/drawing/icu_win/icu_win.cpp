#include <windows.h>

#include <cstring>
#include <string>

#include "unicode/uchar.h"
#include "unicode/ucnv.h"
#include "unicode/ustring.h"

struct UConverter {
  std::string name;
  UINT codePage = 0;
  bool stopOnInvalidBytes = false;
  bool stopOnMissingUnits = false;
};

namespace {

// The Windows code page of an ICU converter name; 0 when there is none.
UINT CodePageOf(const std::string& name) {
  const auto number = [&name](std::size_t from) -> UINT {
    const std::string digits = name.substr(from);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return static_cast<UINT>(std::stoul(digits));
  };
  if (name.rfind("windows-", 0) == 0) return number(8);
  if (name.rfind("ibm-", 0) == 0) return number(4);
  if (name.rfind("ISO-8859-", 0) == 0) {
    const UINT part = number(9);
    return part == 0 ? 0 : 28590 + part;
  }
  if (name == "macintosh") return 10000;
  return 0;
}

bool Failed(const UErrorCode* status) { return status == nullptr || U_FAILURE(*status); }

WORD CharacterType(UChar32 c) {
  if (c < 0 || c > 0xFFFF) return 0;
  const auto unit = static_cast<wchar_t>(c);
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE1, &unit, 1, &type) ? type : 0;
}

}  // namespace

UConverter* ucnv_open(const char* name, UErrorCode* status) {
  if (Failed(status)) return nullptr;
  const UINT codePage = name == nullptr ? 0 : CodePageOf(name);
  if (codePage == 0 || !IsValidCodePage(codePage)) {
    *status = U_FILE_ACCESS_ERROR;
    return nullptr;
  }
  return new UConverter{name, codePage};
}

void ucnv_close(UConverter* converter) { delete converter; }

const char* ucnv_getName(const UConverter* converter, UErrorCode* status) {
  if (Failed(status)) return nullptr;
  return converter->name.c_str();
}

void ucnv_reset(UConverter*) {}  // Windows' conversions keep no state between calls

void ucnv_setToUCallBack(UConverter* converter, UConverterToUCallback, const void*, UConverterToUCallback*,
                         const void**, UErrorCode* status) {
  if (!Failed(status)) converter->stopOnInvalidBytes = true;
}

void ucnv_setFromUCallBack(UConverter* converter, UConverterFromUCallback, const void*, UConverterFromUCallback*,
                           const void**, UErrorCode* status) {
  if (!Failed(status)) converter->stopOnMissingUnits = true;
}

std::int32_t ucnv_toUChars(UConverter* converter, UChar* dest, std::int32_t destCapacity, const char* src,
                           std::int32_t srcLength, UErrorCode* status) {
  if (Failed(status)) return 0;
  if (srcLength == 0) return 0;
  const DWORD flags = converter->stopOnInvalidBytes ? MB_ERR_INVALID_CHARS : 0;
  const int needed = MultiByteToWideChar(converter->codePage, flags, src, srcLength, nullptr, 0);
  if (needed <= 0) {
    *status = U_INVALID_CHAR_FOUND;
    return 0;
  }
  if (needed > destCapacity) {
    *status = U_BUFFER_OVERFLOW_ERROR;
    return needed;
  }
  MultiByteToWideChar(converter->codePage, flags, src, srcLength, reinterpret_cast<wchar_t*>(dest), destCapacity);
  if (needed < destCapacity) dest[needed] = 0;
  return needed;
}

std::int32_t ucnv_fromUChars(UConverter* converter, char* dest, std::int32_t destCapacity, const UChar* src,
                             std::int32_t srcLength, UErrorCode* status) {
  if (Failed(status)) return 0;
  if (srcLength == 0) return 0;
  const auto* units = reinterpret_cast<const wchar_t*>(src);
  BOOL usedDefault = FALSE;
  const int needed = WideCharToMultiByte(converter->codePage, WC_NO_BEST_FIT_CHARS, units, srcLength, nullptr, 0,
                                         nullptr, &usedDefault);
  if (needed <= 0 || (usedDefault && converter->stopOnMissingUnits)) {
    *status = U_INVALID_CHAR_FOUND;
    return 0;
  }
  if (needed > destCapacity) {
    *status = U_BUFFER_OVERFLOW_ERROR;
    return needed;
  }
  WideCharToMultiByte(converter->codePage, WC_NO_BEST_FIT_CHARS, units, srcLength, dest, destCapacity, nullptr,
                      nullptr);
  if (needed < destCapacity) dest[needed] = 0;
  return needed;
}

UChar32 u_foldCase(UChar32 c, std::uint32_t) {
  if (c < 0 || c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return c;
  const auto unit = static_cast<wchar_t>(c);
  wchar_t lower = unit;
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, &unit, 1, &lower, 1, nullptr, nullptr, 0) != 1) return c;
  return lower;
}

UBool u_isdigit(UChar32 c) { return (CharacterType(c) & C1_DIGIT) != 0; }
UBool u_isalpha(UChar32 c) { return (CharacterType(c) & C1_ALPHA) != 0; }
UBool u_isalnum(UChar32 c) { return (CharacterType(c) & (C1_ALPHA | C1_DIGIT)) != 0; }

std::int32_t u_strCaseCompare(const UChar* a, std::int32_t aLength, const UChar* b, std::int32_t bLength, std::uint32_t,
                              UErrorCode* status) {
  if (Failed(status)) return 0;
  const int order = CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a), aLength,
                                         reinterpret_cast<const wchar_t*>(b), bLength, TRUE);
  if (order == 0) {
    *status = U_ILLEGAL_ARGUMENT_ERROR;
    return 0;
  }
  return order - CSTR_EQUAL;
}
