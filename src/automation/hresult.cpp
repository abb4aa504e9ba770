#include "automation/hresult.h"

#include <array>
#include <cstdio>

namespace zil::automation {

std::string FormatHResult(HRESULT hr) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "0x%08X", static_cast<unsigned>(static_cast<std::uint32_t>(hr)));
  return text.data();
}

}  // namespace zil::automation
