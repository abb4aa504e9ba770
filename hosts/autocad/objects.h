// The automation surface of src/acad over AutoCAD's own objects, late bound (late_binding.h): each class
// is one AutoCAD object kind, each member the AutoCAD member of the same name. Objects a member returns
// are wrapped in the class of their kind, entities in AutoCadEntity (entity.h).
#pragma once

#include <memory>
#include <string>

#include "acad/application.h"
#include "autocad/late_binding.h"

namespace zil::autocad {

class AutoCadApplication final : public acad::Application, public LateBound {
 public:
  // Takes over one reference to AutoCAD's Application object; nothing is called yet.
  explicit AutoCadApplication(IDispatch* application);

  std::shared_ptr<acad::Document> ActiveDocument() override;
  std::shared_ptr<acad::Documents> Documents() override;
  void ZoomCenter(const acad::Point& center, double magnification) override;
  void Update() override;
};

class AutoCadDocuments final : public acad::Documents, public LateBound {
 public:
  AutoCadDocuments(std::shared_ptr<Session> session, IDispatch* object);
  int Count() const override;
  std::shared_ptr<acad::Document> Open(const std::u16string& fileName) override;
};

class AutoCadDocument final : public acad::Document, public LateBound {
 public:
  AutoCadDocument(std::shared_ptr<Session> session, IDispatch* object);

  int ActiveSpace() const override;
  std::shared_ptr<acad::Block> ModelSpace() override;
  std::shared_ptr<acad::Block> PaperSpace() override;
  std::shared_ptr<acad::TextStyles> TextStyles() override;
  std::shared_ptr<acad::Layers> Layers() override;
  std::shared_ptr<acad::Blocks> Blocks() override;
  std::shared_ptr<acad::DimStyles> DimStyles() override;
  std::shared_ptr<acad::SelectionSets> SelectionSets() override;
  std::shared_ptr<acad::Utility> Utility() override;
  std::shared_ptr<acad::Layer> ActiveLayer() override;
  void SetActiveLayer(const std::shared_ptr<acad::Layer>& layer) override;
  std::shared_ptr<acad::TextStyle> ActiveTextStyle() override;
  void SetActiveTextStyle(const std::shared_ptr<acad::TextStyle>& style) override;
  std::shared_ptr<acad::DimStyle> ActiveDimStyle() override;
  void SetActiveDimStyle(const std::shared_ptr<acad::DimStyle>& style) override;
  acad::EntityPtr HandleToObject(const std::u16string& handle) override;
  acad::Value GetVariable(const std::u16string& name) override;
  void SetVariable(const std::u16string& name, const acad::Value& value) override;
  void StartUndoMark() override;
  void EndUndoMark() override;
  void SendCommand(const std::u16string& text) override;
  void Regen(int which) override;
  bool Saved() const override;
  void Save() override;
  void SaveAs(const std::u16string& fileName) override;
  std::u16string Path() const override;
  std::u16string Name() const override;
};

class AutoCadUtility final : public acad::Utility, public LateBound {
 public:
  AutoCadUtility(std::shared_ptr<Session> session, IDispatch* object);
  acad::Point GetPoint(const std::optional<acad::Point>& base, const std::u16string& prompt) override;
  double GetDistance(const std::optional<acad::Point>& base, const std::u16string& prompt) override;
};

class AutoCadTextStyle final : public acad::TextStyle, public LateBound {
 public:
  AutoCadTextStyle(std::shared_ptr<Session> session, IDispatch* object);
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
};

class AutoCadLayer final : public acad::Layer, public LateBound {
 public:
  AutoCadLayer(std::shared_ptr<Session> session, IDispatch* object);
  std::u16string Name() const override;
  bool Freeze() const override;
  void SetFreeze(bool frozen) override;
  bool Lock() const override;
  void SetLock(bool locked) override;
};

class AutoCadDimStyle final : public acad::DimStyle, public LateBound {
 public:
  AutoCadDimStyle(std::shared_ptr<Session> session, IDispatch* object);
  std::u16string Name() const override;
};

class AutoCadBlock final : public acad::Block, public LateBound {
 public:
  AutoCadBlock(std::shared_ptr<Session> session, IDispatch* object);
  std::u16string Name() const override;
  bool IsLayout() const override;
  int Count() const override;
  acad::EntityPtr Item(int index) const override;
  acad::EntityPtr AddText(const std::u16string& text, const acad::Point& insertion, double height) override;
  acad::EntityPtr AddMText(const acad::Point& insertion, double width, const std::u16string& text) override;
  acad::EntityPtr AddSolid(const acad::Point& p1, const acad::Point& p2, const acad::Point& p3,
                           const acad::Point& p4) override;
};

class AutoCadSelectionSet final : public acad::SelectionSet, public LateBound {
 public:
  AutoCadSelectionSet(std::shared_ptr<Session> session, IDispatch* object);
  std::u16string Name() const override;
  void Select(int mode, const acad::Point& p1, const acad::Point& p2, const std::vector<std::int16_t>& filterTypes,
              const std::vector<acad::Value>& filterData) override;
  void SelectOnScreen(const std::vector<std::int16_t>& filterTypes,
                      const std::vector<acad::Value>& filterData) override;
  int Count() const override;
  acad::EntityPtr Item(int index) const override;
  void Erase() override;
  void Delete() override;
};

// A collection of AutoCAD: Item by index from 0 or by name, Add by name.
template <typename T, typename Wrapper>
class AutoCadCollection final : public acad::Collection<T>, public LateBound {
 public:
  AutoCadCollection(std::shared_ptr<Session> session, IDispatch* object, std::u16string kind)
      : LateBound(std::move(session), object, std::move(kind)) {}
  int Count() const override { return GetInt("Count"); }
  std::shared_ptr<T> Item(int index) const override { return Wrap(CallForObject("Item", ArgList(IntArg(index)))); }
  std::shared_ptr<T> Item(const std::u16string& name) const override {
    return Wrap(CallForObject("Item", ArgList(StringArg(name))));
  }
  std::shared_ptr<T> Add(const std::u16string& name) override {
    return Wrap(CallForObject("Add", ArgList(StringArg(name))));
  }

 private:
  std::shared_ptr<T> Wrap(IDispatch* object) const { return std::make_shared<Wrapper>(SharedSession(), object); }
};

}  // namespace zil::autocad
