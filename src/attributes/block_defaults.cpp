#include "attributes/block_defaults.h"

#include <stdexcept>

#include "textcore/utf8.h"

namespace zil::attributes {
namespace {

BlockDefaults Parse(const std::string& text, DefaultsSource source, std::u16string_view blockName,
                    const std::string& where) {
  BlockDefaults defaults;
  const std::string prefix = "The attribute defaults of block \"" + textcore::ToUtf8(blockName) + "\" in " + where;
  try {
    defaults.document = nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    std::string reason = e.what();
    if (const auto bracket = reason.find("] "); reason.starts_with("[json.exception") && bracket != std::string::npos)
      reason.erase(0, bracket + 2);
    throw std::runtime_error(prefix + " are not valid JSON: " + reason);
  }
  if (!defaults.document.is_object()) throw std::runtime_error(prefix + " are not a JSON object of attribute tags");
  defaults.source = source;
  return defaults;
}

}  // namespace

BlockDefaults LoadBlockDefaults(library::Tdb* db, const platform::Registry& registry, std::u16string_view blockName) {
  if (db != nullptr) {
    const std::u16string text = db->ReadJson(library::kBlocksAttr, blockName);
    if (!text.empty())
      return Parse(textcore::ToUtf8(text), DefaultsSource::Database, blockName,
                   "the library database " + db->slDBPath().string());
  }
  if (const auto text = registry.ReadUserString(kBlocksRegistryKey, textcore::ToUtf8(blockName)))
    return Parse(*text, DefaultsSource::Registry, blockName, "the registry");
  return {};
}

}  // namespace zil::attributes
