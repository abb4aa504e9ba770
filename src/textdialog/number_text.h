// Numbers in the text dialog's boxes, in the user's format: the decimal separator of the process's C++
// locale (the user's locale, as the command line sets it from the environment).
#pragma once

#include <string>
#include <string_view>

namespace zil::textdialog {

// The user's decimal separator.
char16_t DecimalSeparator();

// `value` with `decimals` digits after the separator; a number of more than 8 digits before it is written
// in scientific notation instead, with 8 significant digits (1.2345679e+08).
std::u16string FormatFixed(double value, int decimals, char16_t separator);

// The number in `text`: optional spaces, an optional sign, digits with at most one separator, an optional
// exponent (e or E, optional sign, digits), optional spaces. Throws std::invalid_argument
// ("'abc' is not a valid floating point value") for anything else.
double ParseNumber(std::u16string_view text, char16_t separator);

}  // namespace zil::textdialog
