#include "attributes/attribute_grid.h"

#include <charconv>
#include <map>
#include <stdexcept>

#include "acad/error.h"
#include "textdialog/number_text.h"

namespace zil::attributes {
namespace {

constexpr int kStartRowOfBlock = 0;
constexpr int kDefinitionValueRow = 2;

}  // namespace

std::u16string FormatWidthFactor(double factor) {
  char text[64];
  // to_chars, not the C library: Qt sets the C library's locale from the environment.
  const auto written = std::to_chars(text, text + sizeof text, factor, std::chars_format::general, 15);
  const char16_t separator = textdialog::DecimalSeparator();
  std::u16string result;
  for (const char* c = text; c != written.ptr; ++c) result.push_back(*c == '.' ? separator : static_cast<char16_t>(*c));
  return result;
}

double ParseWidthFactor(std::u16string_view text) {
  try {
    const double factor = textdialog::ParseNumber(text, textdialog::DecimalSeparator());
    return factor > 0 ? factor : 1;
  } catch (const std::invalid_argument&) {
    return 1;
  }
}

AttributeGrid::AttributeGrid(acad::HostState& host, config::FontDefinitions& fonts, library::Tdb& db,
                             const platform::Registry& registry)
    : host_(host), fonts_(fonts), db_(db), registry_(registry) {}

acad::Document& AttributeGrid::Doc() const {
  if (!host_.AcadDoc) throw acad::Error("No active drawing: the host was not refreshed");
  return *host_.AcadDoc;
}

AttributeGrid::FontState AttributeGrid::UseStyle(const std::u16string& styleName, std::optional<bool> backwards,
                                                 std::u16string_view value) {
  host_.CurStyleName = styleName;
  host_.CurStyle = host_.AcadTextStyles->Item(styleName);
  fonts_.conv.cStBack = backwards ? *backwards : host_.CurStyle->TextGenerationFlag() == 2;
  fonts_.SetFntType(acad::StyleFont(*host_.CurStyle), value);
  return {fonts_.conv.cStType, fonts_.conv.cStBack};
}

void AttributeGrid::ReadAttributeDefinition(std::u16string_view handle) {
  const acad::EntityPtr definition = Doc().HandleToObject(std::u16string(handle));
  const std::u16string prompt = definition->PromptString();
  const std::u16string tag = definition->TagString();
  const std::u16string value = definition->TextString();
  const std::u16string style = definition->StyleName();
  const FontState state = UseStyle(style, std::nullopt, value);
  lblName_ = u"Style: " + style + u"   Font: " + host_.CurStyle->FontFile();

  kind_ = GridKind::AttributeDefinition;
  rows_.assign(3, GridRow{});
  rows_[1] = {u"Tag", u"Prompt", u"Value"};
  rows_[kDefinitionValueRow] = {tag, prompt, fonts_.conv.AcadToEditWin(value), false, true};
  entities_.assign(3, nullptr);
  entities_[kDefinitionValueRow] = definition;
  read_.assign(3, {});
  read_[kDefinitionValueRow] = value;
  shown_.assign(3, {});
  shown_[kDefinitionValueRow] = rows_[kDefinitionValueRow].value;
  states_.assign(3, {});
  states_[kDefinitionValueRow] = state;
  factors_.clear();
  sfactor_.clear();
}

bool AttributeGrid::ReadBlockAttributes(std::u16string_view handle) {
  acad::Document& doc = Doc();
  const acad::EntityPtr reference = doc.HandleToObject(std::u16string(handle));
  const std::u16string name = reference->Name();
  if (!picks_.isBson()) picks_.LoadBlockDefaults(db_, registry_, name);
  const std::shared_ptr<acad::Block> definition = doc.Blocks()->Item(name);
  const int n = definition->Count();
  const std::vector<acad::EntityPtr> attributes = reference->GetAttributes();
  if (attributes.empty()) return false;
  lblName_ = u"Block:   " + name;

  // The prompts of the definition's tags; walking from the end, the later of two definitions decides.
  std::map<std::u16string, std::u16string> prompts;
  for (int i = n - 1; i >= 0; --i) {
    const acad::EntityPtr entity = definition->Item(i);
    if (entity->EntityType() != acad::kEntityAttributeDefinition) continue;
    const std::u16string prompt = entity->PromptString();
    const std::u16string tag = entity->TagString();
    if (!tag.empty()) prompts.emplace(tag, prompt);
  }

  kind_ = GridKind::BlockReference;
  const std::size_t count = attributes.size();
  rows_.assign(count, GridRow{});
  entities_ = attributes;
  read_.assign(count, {});
  shown_.assign(count, {});
  states_.assign(count, {});
  factors_.assign(count, 1);
  for (std::size_t i = 0; i < count; ++i) {
    const acad::Entity& attribute = *attributes[i];
    factors_[i] = attribute.ScaleFactor();
    const std::u16string tag = attribute.TagString();
    const auto known = prompts.find(tag);
    const std::u16string prompt = known != prompts.end() && !known->second.empty() ? known->second : tag;
    const bool backwards = attribute.TextGenerationFlag() == 2;
    read_[i] = attribute.TextString();
    states_[i] = UseStyle(attribute.StyleName(), backwards, read_[i]);
    shown_[i] = fonts_.conv.AcadToEditWin(read_[i]);
    rows_[i] = {tag, prompt, shown_[i], picks_.HasEntry(tag), true};
  }
  sfactor_ = factors_;
  return true;
}

int AttributeGrid::StartRow() const {
  return kind_ == GridKind::AttributeDefinition ? kDefinitionValueRow : kStartRowOfBlock;
}

void AttributeGrid::SetValue(int row, std::u16string_view value) {
  rows_.at(static_cast<std::size_t>(row)).value = value;
}

std::optional<std::u16string> AttributeGrid::SelectedWidthFactor() const {
  if (kind_ != GridKind::BlockReference || selected_ < 0) return std::nullopt;
  return FormatWidthFactor(sfactor(selected_));
}

void AttributeGrid::SelectRow(int row) {
  if (row >= 0 && row < RowCount()) selected_ = row;
}

void AttributeGrid::ShowPickList() { picks_.ShowPickList(*this, selected_); }

void AttributeGrid::SetWidthFactor(std::u16string_view text) {
  if (kind_ != GridKind::BlockReference || selected_ < 0) return;
  sfactor_.at(static_cast<std::size_t>(selected_)) = ParseWidthFactor(text);
}

void AttributeGrid::ApplyPick(int index, std::u16string_view text) { picks_.ApplyPick(*this, index, text); }

std::u16string AttributeGrid::ToDrawing(std::size_t row, std::u16string_view value) {
  // The row's own font state, whatever was read or converted last.
  fonts_.conv.cStType = states_[row].type;
  fonts_.conv.cStBack = states_[row].backwards;
  return fonts_.conv.EditToacadWin(value, fonts_.inistr.reverseTTF);
}

std::vector<AttributeGrid::Change> AttributeGrid::Changes() {
  std::vector<Change> changes;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!entities_[i]) continue;
    Change change{entities_[i], std::nullopt, std::nullopt};
    const std::u16string& v = rows_[i].value;
    if (v != shown_[i]) {
      std::u16string text = v.empty() ? u" " : ToDrawing(i, v);
      if (text != read_[i]) change.text = std::move(text);
    }
    if (kind_ == GridKind::BlockReference && !v.empty() && sfactor_[i] != factors_[i]) change.factor = sfactor_[i];
    if (change.text || change.factor) changes.push_back(std::move(change));
  }
  return changes;
}

void AttributeGrid::Write() {
  const std::vector<Change> changes = Changes();
  if (changes.empty()) return;
  acad::Document& doc = Doc();
  doc.StartUndoMark();
  int written = 0;
  try {
    for (const Change& change : changes) {
      if (change.factor) {
        change.entity->SetScaleFactor(*change.factor);
        ++written;
      }
      if (change.text) {
        change.entity->SetTextString(*change.text);
        ++written;
      }
      if (kind_ == GridKind::AttributeDefinition) change.entity->Update();
    }
  } catch (const std::exception& e) {
    std::string message = e.what();
    try {
      doc.EndUndoMark();
      if (written > 0) {
        doc.SendCommand(u"U ");
        message += " (the attributes written before are taken back: the drawing stays as it was)";
      }
    } catch (const std::exception&) {
      // The host's own error is the one to report.
    }
    throw acad::Error(message);
  }
  doc.EndUndoMark();
}

}  // namespace zil::attributes
