#include "config/key_texts.h"

#include "config/ini_file.h"

namespace zil::config {

void KeyTexts::Load(const std::filesystem::path& dataFolder) {
  *this = KeyTexts{};
  const std::filesystem::path file = dataFolder / kKeyAssignmentFileName;
  std::error_code ec;
  NoKeyDefs = !std::filesystem::exists(file, ec);
  if (NoKeyDefs) return;
  const IniFile ini(file);
  // Each line's value is looked up by its name, so of two lines with one name the first value serves
  // both; a later line filling the same slot replaces an earlier one.
  for (const std::u16string& name : ini.ReadSection(u"Alt"))
    if (name[0] >= u'0' && name[0] <= u'9') alts[name[0] - u'0'] = ini.ReadString(u"Alt", name, u"");
  for (const std::u16string& name : ini.ReadSection(u"Ctrl"))
    if (name[0] >= u'0' && name[0] <= u'9') ctrls[name[0] - u'0'] = ini.ReadString(u"Ctrl", name, u"");
  for (const std::u16string& name : ini.ReadSection(u"FKeys")) {
    if (name.size() < 2 || name.size() > 4 || (name[0] != u'F' && name[0] != u'f')) continue;
    std::size_t number = 0;
    bool decimal = true;
    for (char16_t c : std::u16string_view(name).substr(1)) {
      decimal = decimal && c >= u'0' && c <= u'9';
      number = number * 10 + static_cast<std::size_t>(c - u'0');
    }
    if (decimal && number >= 1 && number <= 12) fkeys[number] = ini.ReadString(u"FKeys", name, u"");
  }
}

std::u16string KeyTexts::GetKeyText(unsigned shift, unsigned key) const {
  if (NoKeyDefs) return {};
  if (key >= kVkF1 && key <= kVkF12) return fkeys[key - kVkF1 + 1];
  if (key >= kVk0 && key <= kVk9) {
    if (shift == kAlt) return alts[key - kVk0];
    if (shift == kCtrl) return ctrls[key - kVk0];
  }
  return {};
}

}  // namespace zil::config
