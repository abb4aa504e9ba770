// What the multi-line editors keep between their showings, for as long as the add-in lives (the dialogs
// object owns it): each editor's keyboard-language state (its pending mark among it), and the replace
// editor's search and replacement histories, which are not saved to disk.
#pragma once

#include <string>
#include <vector>

#include "dialogs/language_follower.h"

namespace zil::mtext {

struct EditorsState {
  dialogs::LanguageState mtextLanguage;
  dialogs::LanguageState replaceLanguage;
  std::vector<std::u16string> searchHistory;
  std::vector<std::u16string> replacementHistory;
};

}  // namespace zil::mtext
