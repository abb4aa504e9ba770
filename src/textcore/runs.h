// Whole-string reversal, the test for strings without Hebrew, and the reversal of direction runs.
//
// Run classification: a byte is Hebrew exactly when it is a Windows-1255 letter (0xE0..0xFA); every
// other byte (Latin letters, digits, spaces, punctuation, DOS letters, points) is non-Hebrew.
#pragma once

#include <string>
#include <string_view>

#include "textcore/font_type.h"

namespace zil::textcore {

std::string ReverseStr(std::string s);
std::u16string ReverseStrW(std::u16string s);

// True when `s` holds no Hebrew letter of the encoding of `type`: DOS codes for DosHebrew, Windows codes
// for WindowsHeb and TrueType. Always true for the key types (their letters are plain Latin keys) and for
// codes outside 0..4.
bool HasNoHebrew(std::string_view s, int type);

inline constexpr bool IsHebrewRunByte(unsigned char b) { return b >= 0xE0 && b <= 0xFA; }

// Reverses every run of non-Hebrew bytes where it stands; Hebrew runs keep their order.
// ReverseStr(ReverseLatinRuns(s)) reverses the order of the runs and the letters inside each Hebrew run
// while every non-Hebrew run keeps its order; applying that composition twice restores s.
std::string ReverseLatinRuns(std::string s);

// Mirrors round and angle brackets: ( <-> ), < <-> >. Square and curly brackets are left alone.
std::string MirrorBrackets(std::string s);

}  // namespace zil::textcore
