// Numbers as the multi-line editors show and read them. Shown numbers use the user's decimal separator,
// which is that of the process's C++ locale; a number the user types is read back the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zil::mtext {

// The user's decimal separator.
char16_t UserDecimalSeparator();

// General format with five significant digits: 3.75, 4, 0.125, 1.2346E+05.
std::u16string FormatGeneral5(double value);
// Fixed notation with `decimals` digits after the separator: 2.50.
std::u16string FormatFixed(double value, int decimals);

// A number written with the user's decimal separator: an optional sign, digits with at most one
// separator, an optional exponent; spaces around it are allowed. Nothing for any other text.
std::optional<double> ParseUserNumber(std::u16string_view text);
// The same with "." as the decimal separator, whatever the user's is.
std::optional<double> ParseDotNumber(std::u16string_view text);

// The line spacing of the MText editor; throws std::runtime_error saying what is wrong.
double ParseLineSpacing(std::u16string_view text);

}  // namespace zil::mtext
