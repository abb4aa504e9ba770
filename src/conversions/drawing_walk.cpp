#include "conversions/drawing_walk.h"

#include <vector>

namespace zil::conversions {
namespace {

// Thaws and unlocks every layer for its lifetime and puts back what it changed, by position.
class LayersOpened {
 public:
  explicit LayersOpened(acad::Document& doc) : layers_(doc.Layers()) {
    const int n = layers_->Count();
    for (int i = 0; i < n; ++i) {
      const auto layer = layers_->Item(i);
      frozen_.push_back(layer->Freeze());
      locked_.push_back(layer->Lock());
    }
    for (int i = 0; i < n; ++i) {
      const auto layer = layers_->Item(i);
      if (frozen_[static_cast<std::size_t>(i)]) layer->SetFreeze(false);
      if (locked_[static_cast<std::size_t>(i)]) layer->SetLock(false);
    }
  }
  LayersOpened(const LayersOpened&) = delete;
  LayersOpened& operator=(const LayersOpened&) = delete;

  ~LayersOpened() {
    // A layer that cannot be put back must not keep the others from being put back.
    for (std::size_t i = 0; i < frozen_.size(); ++i) {
      try {
        const auto layer = layers_->Item(static_cast<int>(i));
        if (frozen_[i]) layer->SetFreeze(true);
        if (locked_[i]) layer->SetLock(true);
      } catch (...) {
      }
    }
  }

 private:
  std::shared_ptr<acad::Layers> layers_;
  std::vector<bool> frozen_;
  std::vector<bool> locked_;
};

bool Anonymous(acad::Block& block) {
  if (block.IsLayout()) return false;
  const std::u16string name = block.Name();
  return name.empty() || name[0] == u'*';
}

void CountFailure(WalkReport& report, const std::exception& e) {
  if (report.failed++ == 0) report.firstFailure = e.what();
}

}  // namespace

void Tally(WalkReport& report, std::optional<Outcome> outcome) {
  if (!outcome) return;
  if (*outcome == Outcome::Converted) {
    ++report.converted;
  } else {
    ++report.leftAlone;
  }
}

WalkReport WalkDrawing(acad::Document& doc, const EntityVisitor& visit, const Progress& progress) {
  const LayersOpened layers(doc);
  return WalkEntities(doc, visit, progress);
}

WalkReport WalkEntities(acad::Document& doc, const EntityVisitor& visit, const Progress& progress) {
  WalkReport report;
  const auto blocks = doc.Blocks();
  std::vector<std::shared_ptr<acad::Block>> walked;
  std::size_t total = 0;
  const int blockCount = blocks->Count();
  for (int b = 0; b < blockCount; ++b) {
    auto block = blocks->Item(b);
    if (Anonymous(*block)) continue;
    total += static_cast<std::size_t>(block->Count());
    walked.push_back(std::move(block));
  }
  std::size_t done = 0;
  for (const auto& block : walked) {
    const int n = block->Count();
    for (int i = 0; i < n; ++i) {
      if (progress) progress(done, total);
      ++done;
      const auto entity = block->Item(i);
      try {
        visit(*entity, report);
      } catch (const std::exception& e) {
        CountFailure(report, e);
      }
    }
  }
  if (progress) progress(done, total);
  return report;
}

void VisitAttributes(acad::Entity& blockReference, const std::function<std::optional<Outcome>(acad::Entity&)>& visit,
                     WalkReport& report) {
  for (const auto& attribute : blockReference.GetAttributes()) {
    try {
      Tally(report, visit(*attribute));
    } catch (const std::exception& e) {
      CountFailure(report, e);
    }
  }
}

}  // namespace zil::conversions
