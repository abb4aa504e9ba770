// ICU's character properties, for the Windows build: see icu_win.h.
#pragma once

#include "icu_win.h"

UChar32 u_foldCase(UChar32 c, std::uint32_t options);
UBool u_isdigit(UChar32 c);
UBool u_isalpha(UChar32 c);
UBool u_isalnum(UChar32 c);
