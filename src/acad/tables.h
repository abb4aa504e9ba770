// Table records and blocks of a drawing: text styles, layers, dimension styles, blocks (model space and
// paper space are blocks that are layouts), and the collections that hold them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acad/entity.h"
#include "acad/point.h"

namespace zil::acad {

class TextStyle {
 public:
  virtual ~TextStyle() = default;
  virtual std::u16string Name() const = 0;
  virtual std::u16string FontFile() const = 0;
  virtual void SetFontFile(const std::u16string& file) = 0;
  virtual std::u16string BigFontFile() const = 0;
  virtual void SetBigFontFile(const std::u16string& file) = 0;
  // 2 backwards, 4 upside down.
  virtual int TextGenerationFlag() const = 0;
  virtual void SetTextGenerationFlag(int flag) = 0;
  // Above 0: a fixed height.
  virtual double Height() const = 0;
  virtual void SetHeight(double height) = 0;
  // The width factor.
  virtual double Width() const = 0;
  virtual void SetWidth(double width) = 0;
  // A TrueType typeface by name.
  virtual void SetFont(const std::u16string& typeface, bool bold, bool italic, int charset, int pitchAndFamily) = 0;
};

class Layer {
 public:
  virtual ~Layer() = default;
  virtual std::u16string Name() const = 0;
  virtual bool Freeze() const = 0;
  virtual void SetFreeze(bool frozen) = 0;
  virtual bool Lock() const = 0;
  virtual void SetLock(bool locked) = 0;
};

class DimStyle {
 public:
  virtual ~DimStyle() = default;
  virtual std::u16string Name() const = 0;
};

// A block definition, or a layout's space.
class Block {
 public:
  virtual ~Block() = default;
  virtual std::u16string Name() const = 0;
  virtual bool IsLayout() const = 0;
  virtual int Count() const = 0;
  virtual EntityPtr Item(int index) const = 0;
  // Each adding member returns the new entity, in the current layer, style and colour.
  virtual EntityPtr AddText(const std::u16string& text, const Point& insertion, double height) = 0;
  virtual EntityPtr AddMText(const Point& insertion, double width, const std::u16string& text) = 0;
  virtual EntityPtr AddSolid(const Point& p1, const Point& p2, const Point& p3, const Point& p4) = 0;
};

// A collection of named objects: Item by index from 0 or by name (without regard to case), Add by name.
// An unknown name or index out of range throws acad::Error.
template <typename T>
class Collection {
 public:
  virtual ~Collection() = default;
  virtual int Count() const = 0;
  virtual std::shared_ptr<T> Item(int index) const = 0;
  virtual std::shared_ptr<T> Item(const std::u16string& name) const = 0;
  virtual std::shared_ptr<T> Add(const std::u16string& name) = 0;
};

using TextStyles = Collection<TextStyle>;
using Layers = Collection<Layer>;
using DimStyles = Collection<DimStyle>;
using Blocks = Collection<Block>;

}  // namespace zil::acad
