// ICU's string comparison, for the Windows build: see icu_win.h.
#pragma once

#include "icu_win.h"

std::int32_t u_strCaseCompare(const UChar* a, std::int32_t aLength, const UChar* b, std::int32_t bLength,
                              std::uint32_t options, UErrorCode* status);
