#include "library/window/placement.h"

#include <cmath>
#include <optional>
#include <variant>

#include "acad/error.h"
#include "library/window/text_file.h"

namespace zil::library {
namespace {

constexpr double kLineStep = 1.5;         // lines are this many heights apart
constexpr double kSmallestHeight = 1e-8;  // a height below this takes the default
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 2;
constexpr int kAlignTop = 3;

acad::Document& Doc(const acad::HostState& host) {
  if (!host.AcadDoc) throw acad::Error("No active drawing: the host was not refreshed");
  return *host.AcadDoc;
}

std::u16string FontOf(const acad::TextStyle& style) {
  std::u16string font = style.FontFile();
  if (font.empty()) font = style.BigFontFile();
  return font;
}

// The changes of one placement are one undo step, however it ends.
class UndoStep {
 public:
  explicit UndoStep(acad::Document& doc) : doc_(doc) { doc_.StartUndoMark(); }
  UndoStep(const UndoStep&) = delete;
  UndoStep& operator=(const UndoStep&) = delete;
  ~UndoStep() {
    try {
      doc_.EndUndoMark();
    } catch (const std::exception&) {  // the placement's own error, if any, is the one to report
    }
  }

 private:
  acad::Document& doc_;
};

// Makes the style of placed texts current: the conversions use its font and its backwards flag.
void UsePlacementStyle(acad::HostState& host, config::FontDefinitions& fonts, const tprop& prop) {
  if (prop.style.empty()) {
    host.LoadActiveStyle(fonts);
    return;
  }
  host.AcadTextStyles = Doc(host).TextStyles();
  host.CurStyleName = prop.style;
  host.LoadNamedStyle(fonts);
}

// Where the texts go and how high they are, from the user's answers.
struct Start {
  acad::Point point;
  double height = 0;
  bool newTextSize = false;  // the height becomes the drawing's TEXTSIZE
};

double TextSize(acad::Document& doc) {
  const acad::Value value = doc.GetVariable(u"TEXTSIZE");
  if (const auto* size = std::get_if<double>(&value)) return *size;
  if (const auto* size = std::get_if<std::int32_t>(&value)) return *size;
  throw acad::Error("GetVariable: TEXTSIZE is not a number");
}

// Nothing when the user cancels a prompt.
std::optional<Start> AskStart(acad::Document& doc, const acad::TextStyle& style, const tprop& prop) {
  const double fixedHeight = style.Height();
  const auto utility = doc.Utility();
  Start start;
  try {
    start.point = utility->GetPoint(std::nullopt, std::u16string(kStartPointPrompt));
  } catch (const acad::Error&) {
    return std::nullopt;
  }
  if (fixedHeight > 0) {
    start.height = fixedHeight;
    return start;
  }
  start.newTextSize = true;
  if (prop.height > 0) {
    start.height = prop.height;
  } else {
    try {
      start.height = utility->GetDistance(start.point, std::u16string(kHeightPrompt));
    } catch (const acad::Error& e) {
      // Enter alone answers with the default height; anything else (Escape) ends the placement.
      if (std::string_view(e.what()).find("keyword") == std::string_view::npos) return std::nullopt;
      start.height = TextSize(doc);
    }
  }
  if (start.height < kSmallestHeight) start.height = TextSize(doc);
  return start;
}

// Adds a text whose baseline ends at `at` (right-aligned text) or starts there (left-aligned).
void AddText(acad::HostState& host, const tprop& prop, const std::u16string& text, const acad::Point& at, double height,
             int alignment, bool updateBeforeMoving) {
  const acad::EntityPtr entity = host.AcadSpace->AddText(text, at, height);
  entity->SetStyleName(host.CurStyleName);
  entity->SetHeight(height);
  entity->SetHorizontalAlignment(alignment);
  entity->SetVerticalAlignment(kAlignTop);
  if (!prop.layer.empty()) entity->SetLayer(prop.layer);
  if (updateBeforeMoving) entity->Update();
  acad::Point target = at;
  const acad::Point from = entity->InsertionPoint();
  if (alignment == kAlignRight) {
    const auto [lo, hi] = entity->GetBoundingBox();
    target.x -= std::abs(hi.x - lo.x);
  }
  entity->Move(from, target);
  entity->Update();
}

// The common start of both placements: the style, the prompts, the undo step; nothing when cancelled.
template <typename Place>
void Placing(acad::HostState& host, config::FontDefinitions& fonts, const tprop& prop, Place&& place) {
  acad::Document& doc = Doc(host);
  UsePlacementStyle(host, fonts, prop);
  const std::optional<Start> start = AskStart(doc, *host.CurStyle, prop);
  if (!start) return;
  UndoStep undo(doc);
  if (start->newTextSize) doc.SetVariable(u"TEXTSIZE", start->height);
  const int alignment = fonts.conv.cStBack ? kAlignLeft : kAlignRight;
  place(*start, alignment);
}

}  // namespace

std::u16string PickTexts(acad::HostState& host, config::FontDefinitions& fonts) {
  acad::Document& doc = Doc(host);
  const auto sets = doc.SelectionSets();
  std::shared_ptr<acad::SelectionSet> set;
  try {
    set = sets->Add(std::u16string(kPickSetName));
  } catch (const acad::Error&) {
    // A set of that name is left from before: start from an empty one.
    sets->Item(std::u16string(kPickSetName))->Delete();
    set = sets->Add(std::u16string(kPickSetName));
  }
  try {
    set->SelectOnScreen({0}, {acad::Value(std::u16string(u"Text"))});
    const int count = set->Count();
    if (count == 0) return {};  // the set stays, empty, for the next pick
    std::u16string picked;
    for (int i = 0; i < count; ++i) {
      const acad::EntityPtr text = set->Item(i);
      host.CurStyleName = text->StyleName();
      host.AcadTextStyles = doc.TextStyles();
      host.CurStyle = host.AcadTextStyles->Item(host.CurStyleName);
      fonts.conv.cStBack = host.CurStyle->TextGenerationFlag() == 2;
      const std::u16string drawn = text->TextString();
      fonts.SetFntType(FontOf(*host.CurStyle), drawn);
      picked += fonts.conv.AcadToEditWin(drawn);
      picked += u"\r\n";
    }
    set->Delete();
    return picked;
  } catch (...) {
    // Not left holding this pick's texts for the next one.
    try {
      set->Delete();
    } catch (const std::exception&) {
    }
    throw;
  }
}

void PlaceOneText(acad::HostState& host, config::FontDefinitions& fonts, const tprop& prop, std::u16string_view s) {
  Placing(host, fonts, prop, [&](const Start& start, int alignment) {
    AddText(host, prop, fonts.conv.EditToacadWin(s, fonts.inistr.reverseTTF), start.point, start.height, alignment,
            false);
  });
}

void PlaceLines(acad::HostState& host, config::FontDefinitions& fonts, const tprop& prop, std::u16string_view s) {
  Placing(host, fonts, prop, [&](const Start& start, int alignment) {
    const double step = kLineStep * start.height;
    acad::Point at{start.point.x, start.point.y, 0};
    for (const std::u16string& line : SplitLines(s)) {
      const std::u16string text = fonts.conv.EditToacadWin(line, fonts.inistr.reverseTTF);
      if (!text.empty()) AddText(host, prop, text, at, start.height, alignment, true);
      at.y -= step;
    }
  });
}

}  // namespace zil::library
