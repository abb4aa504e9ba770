#include "mtext/replace_texts.h"

#include <stdexcept>
#include <string>

#include "acad/error.h"
#include "acad/undo_group.h"
#include "mtext/command_scope.h"
#include "textcore/utf8.h"

namespace zil::mtext {

namespace {

// One record of a text or an attribute, read under its own style.
rstrec Read(Context& c, const acad::EntityPtr& entity, const acad::Point& at) {
  rstrec record;
  const std::u16string drawn = entity->TextString();
  c.host.CurStyleName = entity->StyleName();
  c.host.CurStyle = c.host.AcadTextStyles->Item(c.host.CurStyleName);
  c.fonts.conv.cStBack = c.host.CurStyle->TextGenerationFlag() == 2;
  c.fonts.SetFntType(c.host.CurStyle->FontFile(), drawn);
  record.s = c.fonts.conv.AcadToEditDos(drawn);
  record.x = at.x;
  record.y = at.y;
  record.cStType = c.fonts.conv.cStType;
  record.cStBack = c.fonts.conv.cStBack;
  record.obj = entity;
  return record;
}

}  // namespace

void ReplaceInTexts(Context& c, ReplaceEditor& editor) {
  acad::Document& doc = *c.host.AcadDoc;
  const SelectionSetAtEnd set(doc.SelectionSets()->Add(u"SSText"));
  set->SelectOnScreen({0}, {acad::Value(std::u16string(u"Text,INSERT"))});
  const int n = set->Count();
  if (n == 0) return;

  const EnglishAtEnd english(c.keyboard);
  c.host.AcadTextStyles = doc.TextStyles();
  ReplaceEditing editing;
  for (int i = 0; i < n; ++i) {
    const acad::EntityPtr picked = set->Item(i);
    switch (picked->EntityType()) {
      case acad::kEntityBlockReference:
        if (picked->HasAttributes()) {
          const acad::Point at = picked->InsertionPoint();
          for (const acad::EntityPtr& attribute : picked->GetAttributes())
            editing.records.push_back(Read(c, attribute, at));
        }
        break;
      case acad::kEntityText:
        editing.records.push_back(Read(c, picked, picked->InsertionPoint()));
        break;
      default:
        break;
    }
  }
  SortByReadingOrder(editing.records);
  if (editor.Edit(editing)) WriteBackLines(c, editing.records, editing.lines);
}

int WriteBackLines(Context& c, const std::vector<rstrec>& records, const std::vector<std::u16string>& lines) {
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < records.size() && i < lines.size(); ++i)
    if (records[i].Update && lines[i] != records[i].s) changed.push_back(i);
  if (changed.empty()) return 0;

  const acad::UndoGroup group(*c.host.AcadDoc);
  int written = 0;
  int failed = 0;
  std::string firstFailure;
  for (const std::size_t i : changed) {
    const rstrec& record = records[i];
    c.fonts.conv.cStBack = record.cStBack;
    c.fonts.conv.cStType = record.cStType;
    try {
      record.obj->SetTextString(c.fonts.conv.EditToacadDos(lines[i]));
      ++written;
    } catch (const std::exception& e) {
      if (failed++ == 0) firstFailure = "the line \"" + textcore::ToUtf8(lines[i]) + "\": " + e.what();
    }
  }
  if (written > 0) c.host.AcadApp->Update();
  if (failed > 0) {
    throw std::runtime_error(std::to_string(failed) + (failed == 1 ? " changed text was" : " changed texts were") +
                             " not written back (" + std::to_string(written) + " were); the first, " + firstFailure);
  }
  return written;
}

}  // namespace zil::mtext
