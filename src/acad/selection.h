// Selection sets and the user-input members of the Utility object.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "acad/entity.h"
#include "acad/point.h"
#include "acad/tables.h"
#include "acad/value.h"

namespace zil::acad {

// Select modes.
inline constexpr int kSelectAll = 5;

class SelectionSet {
 public:
  virtual ~SelectionSet() = default;
  virtual std::u16string Name() const = 0;
  // Adds the entities that `mode` chooses and the filter admits: group code 0 with data such as
  // "Text,MTEXT" admits entities whose DXF type is one of the names (without regard to case).
  virtual void Select(int mode, const Point& p1, const Point& p2, const std::vector<std::int16_t>& filterTypes,
                      const std::vector<Value>& filterData) = 0;
  // Asks the user to pick entities; the filter as in Select.
  virtual void SelectOnScreen(const std::vector<std::int16_t>& filterTypes, const std::vector<Value>& filterData) = 0;
  virtual int Count() const = 0;
  virtual EntityPtr Item(int index) const = 0;
  // Erases every entity of the set from the drawing.
  virtual void Erase() = 0;
  // Removes the set itself from the document's selection sets.
  virtual void Delete() = 0;
};

using SelectionSets = Collection<SelectionSet>;

class Utility {
 public:
  virtual ~Utility() = default;
  // A point the user gives; cancelling raises acad::Error.
  virtual Point GetPoint(const std::optional<Point>& base, const std::u16string& prompt) = 0;
  // A distance the user gives from `base`. Enter alone raises acad::Error whose message holds "keyword";
  // callers then take a default.
  virtual double GetDistance(const std::optional<Point>& base, const std::u16string& prompt) = 0;
};

}  // namespace zil::acad
