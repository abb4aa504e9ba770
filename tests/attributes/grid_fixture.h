// What the attribute grid's tests share: the drawing make_grid_fixtures.py writes (once per test program)
// with the handles of its entities, and the add-in with the real Qt dialogs over a stand-in host that has
// the drawing open, driven as the command layer drives it (SetApp, then edit or block; the command text a
// member queued runs after it returns). The data folder's font table lists hebrew (DosHebrew), hebkeys
// (DosEnglish) and hebkeysr (DosEnglishR).
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <string>

#include "attributes/dialogs/tfrm_grid.h"
#include "support/qt/addin_on_drawing.h"
#include "textcore/font_converter.h"

class QTableView;

namespace zil::attributes::test {

inline constexpr platform::KeyboardLayoutHandle kUs = zil::test::kUsLayout;
inline constexpr platform::KeyboardLayoutHandle kHebrew = zil::test::kHebrewLayout;

// The conversions of one font type, apart from the add-in's own state.
struct Conversions {
  Conversions(fntType type, bool backwards) {
    conv.cStType = type;
    conv.cStBack = backwards;
  }
  // The drawing form of `text` under this font type.
  std::u16string ToDrawing(std::u16string_view text) const { return conv.EditToacadWin(text, false); }
  textcore::FontConverter conv;
};

// The font type each attribute of the drawing is read under.
struct TagType {
  const char16_t* tag;
  fntType type;
  bool backwards;
};
// PANEL's attributes with a style of their own (DUP, EMPTYP and ORPHAN are in Keys, as KEYS).
inline constexpr TagType kPanelTypes[] = {
    {u"HEB", DosHebrew, false},  {u"KEYS", DosEnglish, false}, {u"KEYSR", DosEnglishR, false},
    {u"WIN", WindowsHeb, false}, {u"TTF", TrueType, false},    {u"BACK", DosEnglish, true},
    {u"BIG", DosEnglish, false},
};

class GridTest : public zil::test::AddInOnDrawingTest {
 public:
  GridTest();

  // Runs `edit` or `block` with `handle`; `drive` runs on the grid once it is shown and active and must
  // close it (a dialog still open after 30 seconds fails the test and is closed). Then the command text
  // the call queued runs (kept in `ran`).
  automation::CallResult Run(std::u16string_view member, const std::u16string& handle,
                             std::function<void(TfrmGrid&)> drive);

  std::u16string Handle(const char* name) const;
  // The attribute of the block reference `block` (a name of handles.json) with this tag.
  acad::EntityPtr Attribute(const char* block, std::u16string_view tag);
  // Writes `text` into the attribute in the drawing form of `type`.
  void SetValue(const char* block, std::u16string_view tag, const TagType& type, std::u16string_view text);
  // Fills PANEL's attributes with `text`, each in the drawing form of its own font type.
  void FillPanel(std::u16string_view text);
  // Puts a defaults document for `block` into the library database of the data folder.
  void PutDefaults(const std::string& block, const std::string& json);
  std::u16string Hebstr();
};

// Driving the grid.
QTableView* Grid(TfrmGrid& form);
int RowOf(TfrmGrid& form, std::u16string_view tag);
QString Cell(TfrmGrid& form, int row, int column);
void ClickCell(TfrmGrid& form, int row, int column);
// Selects the value cell of `row`, types `keys` (which open its editor) and commits them with Return.
void TypeIntoCell(TfrmGrid& form, int row, const QString& keys);
void Click(TfrmGrid& form, const char* button);

}  // namespace zil::attributes::test
