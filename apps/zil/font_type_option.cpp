#include "font_type_option.h"

#include <array>
#include <string>

namespace zil::cli {
namespace {

constexpr std::array<std::string_view, kFontTypeCount> kNames = {"dos-hebrew", "dos-english", "dos-english-r",
                                                                 "windows", "truetype"};

}  // namespace

std::optional<fntType> ParseFontType(std::string_view word) {
  if (word.size() == 1 && word[0] >= '0' && word[0] <= '4') return FontTypeFromCode(word[0] - '0');
  for (std::size_t code = 0; code < kNames.size(); ++code)
    if (word == kNames[code]) return FontTypeFromCode(static_cast<int>(code));
  return std::nullopt;
}

std::string_view FontTypeOptionName(fntType type) { return kNames[static_cast<std::size_t>(type)]; }

CLI::Option* AddFontTypeOption(CLI::App& command, const std::string& name, fntType& target,
                               const std::string& description) {
  return command
      .add_option_function<std::string>(
          name,
          [&target, name](const std::string& word) {
            const auto type = ParseFontType(word);
            if (!type)
              throw CLI::ValidationError(name, "'" + word +
                                                   "' is not a font type (0..4, dos-hebrew, dos-english, "
                                                   "dos-english-r, windows, truetype)");
            target = *type;
          },
          description)
      ->required()
      ->type_name("TYPE");
}

}  // namespace zil::cli
