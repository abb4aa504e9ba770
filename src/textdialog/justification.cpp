#include "textdialog/justification.h"

namespace zil::textdialog {

std::optional<Justification> ComboToJust(int index) {
  if (index < 0 || index >= static_cast<int>(kJustifications.size())) return std::nullopt;
  return kJustifications[static_cast<std::size_t>(index)].pair;
}

std::optional<int> JustToCombo(Justification pair) {
  for (std::size_t i = 0; i < kJustifications.size(); ++i)
    if (kJustifications[i].pair == pair) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace zil::textdialog
