// Typed views over the table records the add-in touches: STYLE, LAYER, DIMSTYLE and BLOCK_RECORD, and the
// lookups of a table's records. Thin, like the entity views: every getter reads tags, every setter changes
// its own tags through the drawing. Names compare without regard to case, as CAD programs compare them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/entity_views.h"

namespace zil::drawing {

// The records of table `table` ("STYLE", "LAYER", ...), erased ones left out; empty when it is missing.
std::vector<Record*> TableRecords(const Drawing& drawing, std::string_view table);
// The record of `table` named `name`, or nullptr.
Record* FindTableRecord(const Drawing& drawing, std::string_view table, std::u16string_view name);
// Case-insensitive comparison of names (full Unicode case folding).
bool SameName(std::u16string_view a, std::u16string_view b);

class TableRecordView : public EntityView {
 public:
  TableRecordView(Drawing& drawing, Record& record, std::string_view marker);

  std::u16string Name() const { return StringOf(placement_, 2); }
  int Flags() const { return static_cast<int>(IntegerOr(placement_, 70, 0)); }

 protected:
  void SetFlag(int bit, bool on);
  Placement placement_;
};

class StyleView : public TableRecordView {
 public:
  StyleView(Drawing& drawing, Record& record) : TableRecordView(drawing, record, "AcDbTextStyleTableRecord") {}

  std::u16string FontFile() const { return StringOf(placement_, 3); }
  // The font file as AutoCAD's FontFile names it: group 3, except for a TrueType style that gives the
  // file without its extension (AutoCAD writes "arial" and the family in the XDATA), which names the
  // TrueType file ("arial.ttf").
  std::u16string FontFileAsNamed() const;
  void SetFontFile(std::u16string_view file) { SetString(placement_, 3, file); }
  std::u16string BigFontFile() const { return StringOf(placement_, 4); }
  void SetBigFontFile(std::u16string_view file) { SetString(placement_, 4, file); }
  int GenerationFlags() const { return static_cast<int>(IntegerOr(placement_, 71, 0)); }  // 2 backward, 4 upside down
  void SetGenerationFlags(int flags) { SetInteger(placement_, 71, flags); }
  bool IsBackward() const { return (GenerationFlags() & 2) != 0; }
  double FixedHeight() const { return DoubleOr(placement_, 40, 0); }  // 0: the height is chosen per text
  void SetFixedHeight(double height) { SetDouble(placement_, 40, height); }
  double WidthFactor() const { return DoubleOr(placement_, 41, 1); }
  void SetWidthFactor(double factor) { SetDouble(placement_, 41, factor); }
  double ObliqueDegrees() const { return DoubleOr(placement_, 50, 0); }
  // A shape file entry (flag 1), not a text style.
  bool IsShapeFile() const { return (Flags() & 1) != 0; }
  // The TrueType family name some writers add as XDATA of application ACAD; empty when absent.
  std::u16string TrueTypeFamily() const;
  // Makes the style a TrueType style of `family`: the XDATA of application ACAD holds the family and the
  // font flags (group 1071: pitch and family in the low byte, the character set in the next, 0x1000000
  // italic, 0x2000000 bold), replacing any the style had; the font file (group 3) is emptied, since the
  // family names the font.
  void SetTrueTypeFont(std::u16string_view family, long long flags);
};

class LayerView : public TableRecordView {
 public:
  LayerView(Drawing& drawing, Record& record) : TableRecordView(drawing, record, "AcDbLayerTableRecord") {}

  bool IsFrozen() const { return (Flags() & 1) != 0; }
  void SetFrozen(bool frozen) { SetFlag(1, frozen); }
  bool IsLocked() const { return (Flags() & 4) != 0; }
  void SetLocked(bool locked) { SetFlag(4, locked); }
  // Negative when the layer is off.
  int Color() const { return static_cast<int>(IntegerOr(placement_, 62, 7)); }
};

class DimStyleView : public TableRecordView {
 public:
  DimStyleView(Drawing& drawing, Record& record) : TableRecordView(drawing, record, "AcDbDimStyleTableRecord") {}
};

class BlockRecordView : public TableRecordView {
 public:
  BlockRecordView(Drawing& drawing, Record& record) : TableRecordView(drawing, record, "AcDbBlockTableRecord") {}
  // The LAYOUT object of a layout's block record, 0 otherwise.
  std::uint64_t LayoutHandle() const;
};

}  // namespace zil::drawing
