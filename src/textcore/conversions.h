// The conversions between a drawing form and the edit form by font type ("kind" 0..4, fntType codes),
// and the transcoding of drawing forms between font types.
//
// Drawing form: the string as stored in the entity for its font. Edit form: the same text in logical
// reading order. All routines work on Windows-1255 single-byte strings unless a UTF-16 form is named,
// never fail, give an empty result for an empty input, and give an empty result for a kind outside 0..4.
#pragma once

#include <string>
#include <string_view>

#include "textcore/font_type.h"

namespace zil::textcore {

// Drawing form to edit form. `backwards`: the style draws the text backwards (reversed first).
// Round and angle brackets are mirrored in the result for every kind but TrueType.
std::string AcadToStr(std::string s, int kind, bool backwards);

// Edit form to drawing form, the inverse of AcadToStr.
std::string StrToAcad(std::string s, int kind, bool backwards);

// The drawing form of `s` under one font type (and backwards flag) rewritten for another, so that it reads
// under the new type as it read under the old: between the SHX types (DosHebrew, DosEnglish, DosEnglishR,
// WindowsHeb) AcadToStr of the result under the new type equals AcadToStr of `s` under the old. TrueType
// text is first put in its display order and then treated as WindowsHeb text. A conversion to TrueType
// from another type gives the empty string.
std::string ConvertFontType(std::string s, int from, bool fromBack, int to, bool toBack);

// ConvertFontType on a UTF-16 string. A unit below 256 stands for its own byte, any other unit for its
// Windows-1255 byte. The declared source type is corrected from the text: DosHebrew holding Windows
// letters is read as WindowsHeb, WindowsHeb holding DOS letters as DosHebrew.
std::u16string ConvertFontTypeW(std::u16string_view s, int from, bool fromBack, int to, bool toBack);

// The source type a drawing string really has: DosHebrew holding Windows letters is WindowsHeb, WindowsHeb
// holding DOS letters is DosHebrew; any other declared type stands.
int CorrectedFontType(std::string_view bytes, int declared);

// Character maps only, no reordering: the letters of `from`'s encoding in `to`'s encoding.
std::u16string RemapFontType(std::u16string_view s, int from, int to);

}  // namespace zil::textcore
