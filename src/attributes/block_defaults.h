// The attribute defaults document of a block: JSON text naming, for some attribute tags, the values the
// user may pick. It is read from the text library database (table BlocksAttr, block names compared without
// regard to ASCII case) or, when the database has none, from the registry (the current user's key
// "\Software\Dastel\Lisp\Blocks", a string value named like the block). The add-in only reads these.
//
// The stored text is untrusted: text that is not JSON, or JSON that is not an object, is an error naming
// the block and where the text came from.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "library/tdb.h"
#include "platform/registry.h"

namespace zil::attributes {

inline constexpr std::string_view kBlocksRegistryKey = "\\Software\\Dastel\\Lisp\\Blocks";

enum class DefaultsSource { None, Database, Registry };

struct BlockDefaults {
  nlohmann::json document = nlohmann::json::object();  // attribute tag -> entry
  DefaultsSource source = DefaultsSource::None;
  bool Loaded() const { return source != DefaultsSource::None; }
};

// The document of `blockName`. `db` may be null when there is no library database, whose BlocksAttr
// would hold nothing: then only the registry is asked. Nothing loaded when neither has one.
BlockDefaults LoadBlockDefaults(library::Tdb* db, const platform::Registry& registry, std::u16string_view blockName);

}  // namespace zil::attributes
