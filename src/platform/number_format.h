// The user's number format: a locale whose number punctuation (the decimal separator) is the one numbers
// shown to the user take. On Linux it is the process's C++ locale, which the command line takes from the
// environment; on Windows the user's own locale of the system (the decimal symbol of the regional
// settings), read at each call, since nothing sets the C++ locale inside a host application.
#pragma once

#include <locale>

namespace zil::platform {

std::locale UsersNumberLocale();

}  // namespace zil::platform
