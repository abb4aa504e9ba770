// The stand-in host's table records and blocks: text styles, layers, dimension styles, their
// collections, and blocks (model space, paper space, layouts and block definitions) with the entities in
// them. Semantics, as AutoCAD's:
// - Collections list their records in table order; TextStyles leaves out the entries of shape files
//   (flag 1), which are not text styles. Item by name compares without regard to case; an unknown name
//   or an index out of range throws acad::Error. Add of a name the table holds returns that record; Add
//   makes new text styles and layers; the stand-in host does not make dimension styles or blocks, and
//   says so.
// - Blocks: model space, paper space, then every other block definition in the drawing's order (other
//   layouts' blocks and anonymous blocks included). Model space and paper space are named
//   "*Model_Space" and "*Paper_Space" in every version; they and other layouts' blocks are layouts.
// - A layer that is current cannot be frozen. TextStyle.SetFont makes a TrueType style of a typeface
//   (table_views.h: the font file is emptied and the typeface kept as the style's ACAD XDATA).
//   TextStyle.FontFile names the TrueType file of a style whose file is given without its extension and
//   whose family is in that XDATA ("arial" gives "arial.ttf"), as AutoCAD's does.
// - Block.AddText, AddMText and AddSolid return the new entity, made in the current layer and colour
//   (and, for texts, the current text style), at the end of the block's entities (new_entities.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acad/tables.h"
#include "drawing/spaces.h"

namespace zil::standin {

class StandInDocument;

class StandInTextStyle final : public acad::TextStyle {
 public:
  StandInTextStyle(std::shared_ptr<StandInDocument> document, drawing::Record& record);
  std::u16string Name() const override;
  std::u16string FontFile() const override;
  void SetFontFile(const std::u16string& file) override;
  std::u16string BigFontFile() const override;
  void SetBigFontFile(const std::u16string& file) override;
  int TextGenerationFlag() const override;
  void SetTextGenerationFlag(int flag) override;
  double Height() const override;
  void SetHeight(double height) override;
  double Width() const override;
  void SetWidth(double width) override;
  void SetFont(const std::u16string& typeface, bool bold, bool italic, int charset, int pitchAndFamily) override;

 private:
  drawing::Record& Live() const;
  std::shared_ptr<StandInDocument> document_;
  drawing::Record& record_;
};

class StandInLayer final : public acad::Layer {
 public:
  StandInLayer(std::shared_ptr<StandInDocument> document, drawing::Record& record);
  std::u16string Name() const override;
  bool Freeze() const override;
  void SetFreeze(bool frozen) override;
  bool Lock() const override;
  void SetLock(bool locked) override;

 private:
  drawing::Record& Live() const;
  std::shared_ptr<StandInDocument> document_;
  drawing::Record& record_;
};

class StandInDimStyle final : public acad::DimStyle {
 public:
  StandInDimStyle(std::shared_ptr<StandInDocument> document, drawing::Record& record);
  std::u16string Name() const override;
  drawing::Record& Rec() const noexcept { return record_; }

 private:
  std::shared_ptr<StandInDocument> document_;
  drawing::Record& record_;
};

class StandInBlock final : public acad::Block {
 public:
  StandInBlock(std::shared_ptr<StandInDocument> document, drawing::Space space, std::u16string name);
  std::u16string Name() const override { return name_; }
  bool IsLayout() const override;
  int Count() const override;
  acad::EntityPtr Item(int index) const override;
  acad::EntityPtr AddText(const std::u16string& text, const acad::Point& insertion, double height) override;
  acad::EntityPtr AddMText(const acad::Point& insertion, double width, const std::u16string& text) override;
  acad::EntityPtr AddSolid(const acad::Point& p1, const acad::Point& p2, const acad::Point& p3,
                           const acad::Point& p4) override;

  const drawing::Space& Space() const noexcept { return space_; }

 private:
  const std::vector<drawing::Record*>& Entities() const;

  std::shared_ptr<StandInDocument> document_;
  drawing::Space space_;
  std::u16string name_;
  // The entities, kept until the records of the drawing change.
  mutable std::vector<drawing::Record*> entities_;
  mutable unsigned long generation_ = ~0ul;
};

// The records of one table as a collection.
template <typename T>
class TableCollection final : public acad::Collection<T> {
 public:
  TableCollection(std::shared_ptr<StandInDocument> document, std::string table)
      : document_(std::move(document)), table_(std::move(table)) {}
  int Count() const override;
  std::shared_ptr<T> Item(int index) const override;
  std::shared_ptr<T> Item(const std::u16string& name) const override;
  std::shared_ptr<T> Add(const std::u16string& name) override;

 private:
  std::vector<drawing::Record*> Records() const;
  std::shared_ptr<T> Make(drawing::Record& record) const;

  std::shared_ptr<StandInDocument> document_;
  std::string table_;
};

using StandInTextStyles = TableCollection<acad::TextStyle>;
using StandInLayers = TableCollection<acad::Layer>;
using StandInDimStyles = TableCollection<acad::DimStyle>;

class StandInBlocks final : public acad::Blocks {
 public:
  explicit StandInBlocks(std::shared_ptr<StandInDocument> document) : document_(std::move(document)) {}
  int Count() const override;
  std::shared_ptr<acad::Block> Item(int index) const override;
  std::shared_ptr<acad::Block> Item(const std::u16string& name) const override;
  std::shared_ptr<acad::Block> Add(const std::u16string& name) override;

 private:
  std::vector<std::shared_ptr<acad::Block>> All() const;
  std::shared_ptr<StandInDocument> document_;
};

}  // namespace zil::standin
