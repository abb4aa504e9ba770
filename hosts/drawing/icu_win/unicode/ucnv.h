// ICU's converter functions, for the Windows build: see icu_win.h.
#pragma once

#include "icu_win.h"

struct UConverter;

enum UConverterToUCallback { UCNV_TO_U_CALLBACK_STOP };
enum UConverterFromUCallback { UCNV_FROM_U_CALLBACK_STOP };

UConverter* ucnv_open(const char* name, UErrorCode* status);
void ucnv_close(UConverter* converter);
const char* ucnv_getName(const UConverter* converter, UErrorCode* status);
void ucnv_reset(UConverter* converter);
void ucnv_setToUCallBack(UConverter* converter, UConverterToUCallback action, const void* context,
                         UConverterToUCallback* oldAction, const void** oldContext, UErrorCode* status);
void ucnv_setFromUCallBack(UConverter* converter, UConverterFromUCallback action, const void* context,
                           UConverterFromUCallback* oldAction, const void** oldContext, UErrorCode* status);
std::int32_t ucnv_toUChars(UConverter* converter, UChar* dest, std::int32_t destCapacity, const char* src,
                           std::int32_t srcLength, UErrorCode* status);
std::int32_t ucnv_fromUChars(UConverter* converter, char* dest, std::int32_t destCapacity, const UChar* src,
                             std::int32_t srcLength, UErrorCode* status);
