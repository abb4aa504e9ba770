#include "drawing/standin/selection.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cmath>

#include "acad/error.h"
#include "drawing/entity_edit.h"
#include "drawing/spaces.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/input_source.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

char32_t Fold(char32_t c) { return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT)); }

// One alternative of a wildcard pattern against the whole text, from positions t and p.
bool MatchFrom(std::u16string_view text, std::size_t t, std::u16string_view pattern, std::size_t p) {
  while (p < pattern.size()) {
    const char16_t c = pattern[p];
    if (c == u'*') {
      for (std::size_t k = t; k <= text.size(); ++k)
        if (MatchFrom(text, k, pattern, p + 1)) return true;
      return false;
    }
    if (t >= text.size()) return false;
    const char16_t ch = text[t];
    bool ok = false;
    std::size_t next = p + 1;
    switch (c) {
      case u'?':
        ok = true;
        break;
      case u'#':
        ok = u_isdigit(ch) != 0;
        break;
      case u'@':
        ok = u_isalpha(ch) != 0;
        break;
      case u'.':
        ok = u_isalnum(ch) == 0;
        break;
      case u'`':
        if (p + 1 < pattern.size()) {
          ok = Fold(pattern[p + 1]) == Fold(ch);
          next = p + 2;
        }
        break;
      case u'[': {
        std::size_t q = p + 1;
        const bool negate = q < pattern.size() && pattern[q] == u'~';
        if (negate) ++q;
        bool in = false;
        const std::size_t first = q;
        while (q < pattern.size() && (pattern[q] != u']' || q == first)) {
          if (q + 2 < pattern.size() && pattern[q + 1] == u'-' && pattern[q + 2] != u']') {
            in = in || (Fold(ch) >= Fold(pattern[q]) && Fold(ch) <= Fold(pattern[q + 2]));
            q += 3;
          } else {
            in = in || Fold(pattern[q]) == Fold(ch);
            ++q;
          }
        }
        ok = in != negate;
        next = q + 1;
        break;
      }
      default:
        ok = Fold(c) == Fold(ch);
        break;
    }
    if (!ok) return false;
    ++t;
    p = next;
  }
  return t == text.size();
}

// The value a filter group compares for an entity.
std::u16string FilterValue(drawing::Drawing& d, drawing::Record& r, int code) {
  if (code == 0) return textcore::FromUtf8(r.Type());
  if (code == 8) return drawing::EntityView(d, r).Layer();
  const drawing::Tag* tag = r.Find(code);
  if (tag) return d.Decode(tag->value);
  if (code == 7 && (r.Type() == "TEXT" || r.Type() == "MTEXT" || r.Type() == "ATTRIB" || r.Type() == "ATTDEF"))
    return u"Standard";
  return {};
}

struct Filter {
  std::vector<std::pair<int, std::u16string>> pairs;
  bool Admits(drawing::Drawing& d, drawing::Record& r) const {
    for (const auto& [code, pattern] : pairs)
      if (!WildcardMatch(FilterValue(d, r, code), pattern)) return false;
    return true;
  }
};

Filter MakeFilter(const std::vector<std::int16_t>& types, const std::vector<acad::Value>& data) {
  if (types.size() != data.size()) {
    throw acad::Error("The selection filter has " + std::to_string(types.size()) + " group codes but " +
                      std::to_string(data.size()) + " values");
  }
  Filter filter;
  for (std::size_t i = 0; i < types.size(); ++i) {
    const int code = types[i];
    if (code != 0 && code != 2 && code != 7 && code != 8) {
      throw acad::Error("The stand-in host filters selections by group codes 0, 2, 7 and 8 only, not " +
                        std::to_string(code));
    }
    const auto* text = std::get_if<std::u16string>(&data[i]);
    if (!text) throw acad::Error("The value of filter group " + std::to_string(code) + " must be a string");
    filter.pairs.emplace_back(code, *text);
  }
  return filter;
}

[[noreturn]] void WrongAnswer(const Answer& answer, const char* wanted) {
  throw acad::Error(std::string("The input answered a prompt for ") + wanted + " with another kind of answer (" +
                    answer.origin + ")");
}

}  // namespace

bool WildcardMatch(std::u16string_view text, std::u16string_view pattern) {
  std::size_t start = 0;
  for (;;) {
    // Alternatives end at a "," that is not quoted.
    std::size_t end = start;
    while (end < pattern.size() && pattern[end] != u',') end += pattern[end] == u'`' ? 2u : 1u;
    end = std::min(end, pattern.size());
    std::u16string_view alternative = pattern.substr(start, end - start);
    const bool negate = !alternative.empty() && alternative.front() == u'~';
    if (negate) alternative.remove_prefix(1);
    if (MatchFrom(text, 0, alternative, 0) != negate) return true;
    if (end >= pattern.size()) return false;
    start = end + 1;
  }
}

// --- selection sets ---

StandInSelectionSet::StandInSelectionSet(std::shared_ptr<StandInDocument> document, std::u16string name)
    : document_(std::move(document)), name_(std::move(name)) {}

std::shared_ptr<StandInDocument> StandInSelectionSet::Live() const {
  auto document = document_.lock();
  if (deleted_ || !document) throw acad::Error("The selection set " + textcore::ToUtf8(name_) + " was deleted");
  return document;
}

void StandInSelectionSet::Take(drawing::Record& record) {
  if (std::find(records_.begin(), records_.end(), &record) == records_.end()) records_.push_back(&record);
}

void StandInSelectionSet::Select(int mode, const acad::Point&, const acad::Point&,
                                 const std::vector<std::int16_t>& filterTypes,
                                 const std::vector<acad::Value>& filterData) {
  const auto document = Live();
  if (mode != acad::kSelectAll) {
    throw acad::Error(
        "Select: the stand-in host has no screen to select by window, fence or previous selection; "
        "mode " +
        std::to_string(mode) + " is not available (5 selects everything)");
  }
  const Filter filter = MakeFilter(filterTypes, filterData);
  for (drawing::Record* r : document->AllLayoutEntities())
    if (filter.Admits(document->Dwg(), *r)) Take(*r);
}

void StandInSelectionSet::SelectOnScreen(const std::vector<std::int16_t>& filterTypes,
                                         const std::vector<acad::Value>& filterData) {
  const auto document = Live();
  const Filter filter = MakeFilter(filterTypes, filterData);
  const Answer answer = document->Application()->Input().Ask({PromptKind::Pick, u"Select objects:", std::nullopt});
  if (answer.kind == Answer::Kind::Enter || answer.kind == Answer::Kind::Cancel) return;
  if (answer.kind != Answer::Kind::Pick) WrongAnswer(answer, "objects to select");
  drawing::Drawing& d = document->Dwg();
  for (const std::u16string& handle : answer.handles) {
    const auto value = drawing::ToHandle(textcore::ToUtf8(handle));
    drawing::Record* r = value ? d.FindByHandle(*value) : nullptr;
    if (r == nullptr || r->Erased() || !document->IsEntity(*r) || drawing::IsSubEntity(r->Type())) continue;
    if (filter.Admits(d, *r)) Take(*r);
  }
}

int StandInSelectionSet::Count() const {
  Live();
  return static_cast<int>(records_.size());
}

acad::EntityPtr StandInSelectionSet::Item(int index) const {
  const auto document = Live();
  if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) {
    throw acad::Error("Item: the index " + std::to_string(index) + " is not 0 to " +
                      std::to_string(static_cast<long>(records_.size()) - 1) + " in the selection set " +
                      textcore::ToUtf8(name_));
  }
  return document->Wrap(*records_[static_cast<std::size_t>(index)]);
}

void StandInSelectionSet::Erase() {
  const auto document = Live();
  for (drawing::Record* r : records_) {
    if (!r->Erased() && document->OnLockedLayer(*r))
      throw acad::Error("Erase: an object of the selection set " + textcore::ToUtf8(name_) + " is on a locked layer");
  }
  UndoStack::Operation op(document->Undo());
  for (drawing::Record* r : records_)
    if (!r->Erased()) drawing::EraseEntity(document->Dwg(), *r);
  document->Undo().StructureChanged();
  records_.clear();
}

void StandInSelectionSet::Delete() {
  const auto document = Live();
  auto& sets = document->Sets();
  std::erase_if(sets, [this](const std::shared_ptr<StandInSelectionSet>& s) { return s.get() == this; });
  deleted_ = true;
  records_.clear();
}

int StandInSelectionSets::Count() const { return static_cast<int>(document_->Sets().size()); }

std::shared_ptr<acad::SelectionSet> StandInSelectionSets::Item(int index) const {
  const auto& sets = document_->Sets();
  if (index < 0 || static_cast<std::size_t>(index) >= sets.size())
    throw acad::Error("Item: the index " + std::to_string(index) + " is not that of a selection set");
  return sets[static_cast<std::size_t>(index)];
}

std::shared_ptr<acad::SelectionSet> StandInSelectionSets::Item(const std::u16string& name) const {
  for (const auto& set : document_->Sets())
    if (drawing::SameName(set->Name(), name)) return set;
  throw acad::Error("Item: there is no selection set named \"" + textcore::ToUtf8(name) + "\"");
}

std::shared_ptr<acad::SelectionSet> StandInSelectionSets::Add(const std::u16string& name) {
  if (name.empty()) throw acad::Error("Add: a selection set needs a name");
  for (const auto& set : document_->Sets())
    if (drawing::SameName(set->Name(), name))
      throw acad::Error("Add: a selection set named \"" + textcore::ToUtf8(name) + "\" exists already");
  auto set = std::make_shared<StandInSelectionSet>(document_, name);
  document_->Sets().push_back(set);
  return set;
}

// --- utility ---

acad::Point StandInUtility::GetPoint(const std::optional<acad::Point>& base, const std::u16string& prompt) {
  const Answer answer = document_->Application()->Input().Ask({PromptKind::Point, prompt, base});
  switch (answer.kind) {
    case Answer::Kind::Point:
      return answer.point;
    case Answer::Kind::Enter:
      throw acad::Error("User input is a keyword");
    case Answer::Kind::Cancel:
      throw acad::Error("The user cancelled the input (GetPoint)");
    default:
      WrongAnswer(answer, "a point");
  }
}

double StandInUtility::GetDistance(const std::optional<acad::Point>& base, const std::u16string& prompt) {
  const Answer answer = document_->Application()->Input().Ask({PromptKind::Distance, prompt, base});
  switch (answer.kind) {
    case Answer::Kind::Distance:
      return answer.distance;
    case Answer::Kind::Point:
      if (!base) WrongAnswer(answer, "a distance without a base point");
      return std::hypot(answer.point.x - base->x, answer.point.y - base->y, answer.point.z - base->z);
    case Answer::Kind::Enter:
      throw acad::Error("User input is a keyword");
    case Answer::Kind::Cancel:
      throw acad::Error("The user cancelled the input (GetDistance)");
    default:
      WrongAnswer(answer, "a distance");
  }
}

}  // namespace zil::standin
