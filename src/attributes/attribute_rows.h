// The rows of the attribute grid as the pick list sees them: each row is one attribute, with its tag
// (column 0) and its value in edit form (column 2), and a mark on the tag cell for the rows whose tag has
// a pick list. The attribute-grid dialog implements this over its grid; tests over plain rows.
#pragma once

#include <string>
#include <string_view>

namespace zil::attributes {

class AttributeRows {
 public:
  virtual ~AttributeRows() = default;

  virtual int RowCount() const = 0;
  virtual std::u16string Tag(int row) const = 0;
  virtual std::u16string Value(int row) const = 0;
  virtual void SetValue(int row, std::u16string_view value) = 0;
  // The tag cell carries the pick-list mark (the grid colours it yellow).
  virtual bool Marked(int row) const = 0;
};

}  // namespace zil::attributes
