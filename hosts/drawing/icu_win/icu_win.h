// The Windows build has no ICU. The drawing host calls a handful of ICU's C functions (code page
// converters, case folding, character classes); this is that handful, served by the Windows API, so the
// host's sources build unchanged for Windows. Only what the host calls is here, with ICU's signatures.
//
// Converters: the Windows code page of the same name (windows-NNNN, ibm-NNN, ISO-8859-N, macintosh);
// a converter set to stop (UCNV_TO_U_CALLBACK_STOP, UCNV_FROM_U_CALLBACK_STOP) reports a byte or unit
// the code page lacks as U_INVALID_CHAR_FOUND, one left as opened substitutes it (U+FFFD, or the code
// page's default byte). Case folding and character classes are Windows' own: they agree with ICU's for
// every character a drawing name or a selection filter holds in practice (Latin, Greek, Cyrillic, Hebrew,
// digits), and may differ for rare ones.
#pragma once

#include <cstdint>

using UChar = char16_t;
using UChar32 = std::int32_t;
using UBool = std::int8_t;

enum UErrorCode {
  U_ZERO_ERROR = 0,
  U_ILLEGAL_ARGUMENT_ERROR = 1,
  U_FILE_ACCESS_ERROR = 4,
  U_INVALID_CHAR_FOUND = 10,
  U_BUFFER_OVERFLOW_ERROR = 15,
};

inline bool U_SUCCESS(UErrorCode code) { return code <= U_ZERO_ERROR; }
inline bool U_FAILURE(UErrorCode code) { return code > U_ZERO_ERROR; }

inline constexpr std::uint32_t U_FOLD_CASE_DEFAULT = 0;
