#include "font_type_option.h"

#include <array>
#include <charconv>
#include <string>

namespace zil::cli {
namespace {

constexpr std::array<std::string_view, kFontTypeCount> kNames = {"dos-hebrew", "dos-english", "dos-english-r",
                                                                 "windows", "truetype"};
constexpr const char* kWords = "0..4, dos-hebrew, dos-english, dos-english-r, windows, truetype";

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
            if (!type) throw CLI::ValidationError(name, "'" + word + "' is not a font type (" + kWords + ")");
            target = *type;
          },
          description)
      ->required()
      ->type_name("TYPE");
}

CLI::Option* AddKindOption(CLI::App& command, int& target) {
  return command
      .add_option_function<std::string>(
          "--kind",
          [&target](const std::string& word) {
            if (const auto type = ParseFontType(word)) {
              target = *type;
              return;
            }
            int kind = 0;
            const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), kind);
            if (error != std::errc() || end != word.data() + word.size())
              throw CLI::ValidationError("--kind", "'" + word + "' is not a kind (" + kWords +
                                                       "; another whole number gives the empty string)");
            target = kind;
          },
          std::string("the font type of the drawing string: ") + kWords +
              " (another whole number gives the empty string, as the add-in's members do)")
      ->required()
      ->type_name("KIND");
}

}  // namespace zil::cli
