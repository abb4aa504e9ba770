// The header variables of a drawing ($ACADVER, $DWGCODEPAGE, $HANDSEED, $CLAYER, ...): a view over the
// tags of the HEADER section. A variable is a group 9 tag with its name followed by its value tags.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/drawing.h"

namespace zil::drawing {

class HeaderView {
 public:
  explicit HeaderView(Drawing& drawing) : drawing_(drawing) {}

  bool Exists() const noexcept { return drawing_.Header() != nullptr; }
  // The names of all variables, in file order.
  std::vector<std::string_view> Names() const;
  // The value tags of variable `name` (empty when it is not there).
  std::vector<Tag> Values(std::string_view name) const;
  // The first value tag of `name` (with group `code`, when given), or nullptr.
  const Tag* Value(std::string_view name, int code = -1) const;
  std::optional<std::u16string> String(std::string_view name) const;
  std::optional<double> Double(std::string_view name) const;
  std::optional<long long> Integer(std::string_view name) const;

  // Sets the value with group `code` of `name`, adding the tag or the variable (at the end of the header)
  // when missing. Throws DxfError when the drawing has no HEADER section.
  void SetValue(std::string_view name, int code, std::string_view value);
  void SetString(std::string_view name, int code, std::u16string_view text);
  void SetDouble(std::string_view name, int code, double value);
  void SetInteger(std::string_view name, int code, long long value);

 private:
  Drawing& drawing_;
};

}  // namespace zil::drawing
