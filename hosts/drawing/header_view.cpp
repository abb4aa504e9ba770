#include "drawing/header_view.h"

#include "drawing/dxf_error.h"
#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

// [first, last) of the value tags of `name` in `tags`; first == npos when it is not there.
std::pair<std::size_t, std::size_t> Find(const std::vector<Tag>& tags, std::string_view name) {
  for (std::size_t i = 0; i < tags.size(); ++i) {
    if (tags[i].code != 9 || Trimmed(tags[i].value) != name) continue;
    std::size_t end = i + 1;
    while (end < tags.size() && tags[end].code != 9) ++end;
    return {i + 1, end};
  }
  return {std::string_view::npos, 0};
}

}  // namespace

std::vector<std::string_view> HeaderView::Names() const {
  std::vector<std::string_view> names;
  if (const Record* header = drawing_.Header())
    for (const Tag& tag : header->Tags())
      if (tag.code == 9) names.push_back(Trimmed(tag.value));
  return names;
}

std::vector<Tag> HeaderView::Values(std::string_view name) const {
  const Record* header = drawing_.Header();
  if (!header) return {};
  const auto& tags = header->Tags();
  const auto [first, last] = Find(tags, name);
  if (first == std::string_view::npos) return {};
  return std::vector<Tag>(tags.begin() + static_cast<std::ptrdiff_t>(first),
                          tags.begin() + static_cast<std::ptrdiff_t>(last));
}

const Tag* HeaderView::Value(std::string_view name, int code) const {
  const Record* header = drawing_.Header();
  if (!header) return nullptr;
  const auto& tags = header->Tags();
  const auto [first, last] = Find(tags, name);
  if (first == std::string_view::npos) return nullptr;
  for (std::size_t i = first; i < last; ++i)
    if (code < 0 || tags[i].code == code) return &tags[i];
  return nullptr;
}

std::optional<std::u16string> HeaderView::String(std::string_view name) const {
  const Tag* tag = Value(name);
  if (!tag) return std::nullopt;
  return drawing_.Decode(tag->value);
}

std::optional<double> HeaderView::Double(std::string_view name) const {
  const Tag* tag = Value(name);
  if (!tag) return std::nullopt;
  return DoubleOf(*tag, drawing_.File());
}

std::optional<long long> HeaderView::Integer(std::string_view name) const {
  const Tag* tag = Value(name);
  if (!tag) return std::nullopt;
  return IntegerOf(*tag, drawing_.File());
}

void HeaderView::SetValue(std::string_view name, int code, std::string_view value) {
  Record* header = drawing_.Header();
  if (!header) ThrowAt(drawing_.File(), 0, "the drawing has no HEADER section to hold " + std::string(name));
  std::vector<Tag> tags = header->Tags();
  const auto [first, last] = Find(tags, name);
  if (first == std::string_view::npos) {
    tags.push_back(drawing_.MakeTag(9, name));
    tags.push_back(drawing_.MakeTag(code, value));
  } else {
    std::size_t i = first;
    while (i < last && tags[i].code != code) ++i;
    if (i < last) {
      if (tags[i].value == value) return;
      tags[i].value = drawing_.KeepValue(code, value);  // the code line and line end stay as they are
    } else {
      tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(last), drawing_.MakeTag(code, value));
    }
  }
  drawing_.SetTags(*header, std::move(tags));
}

void HeaderView::SetString(std::string_view name, int code, std::u16string_view text) {
  SetValue(name, code, drawing_.Encode(text));
}

void HeaderView::SetDouble(std::string_view name, int code, double value) { SetValue(name, code, FormatDouble(value)); }

void HeaderView::SetInteger(std::string_view name, int code, long long value) {
  SetValue(name, code, std::to_string(value));
}

}  // namespace zil::drawing
