// The stand-in host's selection sets and Utility object. Semantics, as AutoCAD's:
// - SelectionSets.Add with a name the document holds already fails; a set lives until Delete.
// - Select takes mode 5 (every entity of model space and of every layout; attributes and vertices are
//   parts of their entities, block definitions are not looked into); the stand-in host has no screen, so
//   the modes that select by a window or the previous selection are refused with a message.
// - Filters: types and data are paired arrays; group 0 (entity type), 2 (block name), 7 (text style) and 8
//   (layer) compare the entity's value with the data, a pattern as AutoCAD's wildcard matching reads it:
//   alternatives separated by ",", "*" any run, "?" any character, "#" a digit, "@" a letter, "." a
//   character that is neither, "~" at the start negates, "`" quotes the next character; letters without
//   regard to case. Every pair must admit the entity. Other groups are refused with a message.
// - SelectOnScreen asks the input source to pick; picked entities that are not live entities of the
//   drawing, or that the filter does not admit, are not added (as AutoCAD's picking would not take them).
//   Enter or Escape ends the picking with what was picked so far: nothing.
// - Erase erases every entity of the set (one undo step); Delete removes the set from the document.
// - Utility.GetPoint returns the point answered; GetDistance the distance answered, or the distance from
//   its base point to a point answered. Enter alone raises acad::Error "User input is a keyword" (callers
//   take their default); Escape raises acad::Error saying the input was cancelled; an answer of another
//   kind raises acad::Error naming where it came from.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acad/selection.h"
#include "drawing/drawing.h"

namespace zil::standin {

class StandInDocument;

class StandInSelectionSet final : public acad::SelectionSet {
 public:
  StandInSelectionSet(std::shared_ptr<StandInDocument> document, std::u16string name);

  std::u16string Name() const override { return name_; }
  void Select(int mode, const acad::Point& p1, const acad::Point& p2, const std::vector<std::int16_t>& filterTypes,
              const std::vector<acad::Value>& filterData) override;
  void SelectOnScreen(const std::vector<std::int16_t>& filterTypes,
                      const std::vector<acad::Value>& filterData) override;
  int Count() const override;
  acad::EntityPtr Item(int index) const override;
  void Erase() override;
  void Delete() override;

 private:
  // The document, while the set is not deleted; throws acad::Error otherwise.
  std::shared_ptr<StandInDocument> Live() const;
  void Take(drawing::Record& record);

  std::weak_ptr<StandInDocument> document_;  // the document keeps its sets: no cycle
  std::u16string name_;
  std::vector<drawing::Record*> records_;
  bool deleted_ = false;
};

class StandInSelectionSets final : public acad::SelectionSets {
 public:
  explicit StandInSelectionSets(std::shared_ptr<StandInDocument> document) : document_(std::move(document)) {}
  int Count() const override;
  std::shared_ptr<acad::SelectionSet> Item(int index) const override;
  std::shared_ptr<acad::SelectionSet> Item(const std::u16string& name) const override;
  std::shared_ptr<acad::SelectionSet> Add(const std::u16string& name) override;

 private:
  std::shared_ptr<StandInDocument> document_;
};

class StandInUtility final : public acad::Utility {
 public:
  explicit StandInUtility(std::shared_ptr<StandInDocument> document) : document_(std::move(document)) {}
  acad::Point GetPoint(const std::optional<acad::Point>& base, const std::u16string& prompt) override;
  double GetDistance(const std::optional<acad::Point>& base, const std::u16string& prompt) override;

 private:
  std::shared_ptr<StandInDocument> document_;
};

// AutoCAD's wildcard matching (see above), for filters.
bool WildcardMatch(std::u16string_view text, std::u16string_view pattern);

}  // namespace zil::standin
