#include "platform/number_format.h"

namespace zil::platform {

std::locale UsersNumberLocale() { return std::locale(); }

}  // namespace zil::platform
