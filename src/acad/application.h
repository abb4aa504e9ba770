// The AutoCAD application and its documents as the add-in sees them: the root of the automation
// surface that the command layer hands to the add-in through SetApp. Member names are AutoCAD's.
#pragma once

#include <memory>
#include <string>

#include "acad/entity.h"
#include "acad/selection.h"
#include "acad/tables.h"
#include "acad/value.h"

namespace zil::acad {

inline constexpr int kModelSpace = 1;  // ActiveSpace of a document working in model space

class Document {
 public:
  virtual ~Document() = default;

  virtual int ActiveSpace() const = 0;
  virtual std::shared_ptr<Block> ModelSpace() = 0;
  virtual std::shared_ptr<Block> PaperSpace() = 0;
  virtual std::shared_ptr<acad::TextStyles> TextStyles() = 0;
  virtual std::shared_ptr<acad::Layers> Layers() = 0;
  virtual std::shared_ptr<acad::Blocks> Blocks() = 0;
  virtual std::shared_ptr<acad::DimStyles> DimStyles() = 0;
  virtual std::shared_ptr<acad::SelectionSets> SelectionSets() = 0;
  virtual std::shared_ptr<acad::Utility> Utility() = 0;

  virtual std::shared_ptr<Layer> ActiveLayer() = 0;
  virtual void SetActiveLayer(const std::shared_ptr<Layer>& layer) = 0;
  virtual std::shared_ptr<TextStyle> ActiveTextStyle() = 0;
  virtual void SetActiveTextStyle(const std::shared_ptr<TextStyle>& style) = 0;
  virtual std::shared_ptr<DimStyle> ActiveDimStyle() = 0;
  virtual void SetActiveDimStyle(const std::shared_ptr<DimStyle>& style) = 0;

  // The object with this handle; an unknown handle throws acad::Error.
  virtual EntityPtr HandleToObject(const std::u16string& handle) = 0;
  virtual Value GetVariable(const std::u16string& name) = 0;
  virtual void SetVariable(const std::u16string& name, const Value& value) = 0;

  // Changes between the marks are one undo step.
  virtual void StartUndoMark() = 0;
  virtual void EndUndoMark() = 0;
  // Command-line text; it runs after the current automation call has returned.
  virtual void SendCommand(const std::u16string& text) = 0;
  virtual void Regen(int which) = 0;

  virtual bool Saved() const = 0;
  virtual void Save() = 0;
  virtual void SaveAs(const std::u16string& fileName) = 0;
  virtual std::u16string Path() const = 0;  // the folder, without a final separator
  virtual std::u16string Name() const = 0;  // the file name
};

class Documents {
 public:
  virtual ~Documents() = default;
  virtual int Count() const = 0;
  virtual std::shared_ptr<Document> Open(const std::u16string& fileName) = 0;
};

class Application {
 public:
  virtual ~Application() = default;
  virtual std::shared_ptr<Document> ActiveDocument() = 0;
  virtual std::shared_ptr<acad::Documents> Documents() = 0;
  virtual void ZoomCenter(const Point& center, double magnification) = 0;
  virtual void Update() = 0;
};

}  // namespace zil::acad
