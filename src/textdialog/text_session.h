// What the single-line text dialog does to the drawing, without its widgets: one opening of the dialog on
// one text entity, from its preparation to its closing. The form (dialogs/thtext.h) shows what this gives
// it and calls it from its event handlers; every call goes through the AutoCAD automation surface, so the
// drawing is the preview: each change of the editor's text is converted to the form the style's font needs
// and written into the entity at once.
//
// A new text is the text entity the command layer has just placed: the dialog takes it over, the editors
// start empty and the first keystroke replaces what the entity held. An existing entity is a single-line
// text, a block attribute or a dimension (whose override text is edited: an empty override shows as "<>").
// All the dialog's changes lie inside one undo group, opened when it is prepared and closed when it
// closes; Cancel undoes the group with "U " (and, for a new text, the placement before it with a second
// "U "), which the host runs after the automation call returns.
//
// Where a user would lose work or get a wrong text, the session does the sound thing:
//   - OK on a line that "New Line" started and nothing was typed on drops that empty line only; the lines
//     written before it stay. (OK with nothing typed on a new text and no line kept is still Cancel.)
//   - A preparation that fails closes the undo group it opened, so the drawing's undo is not left inside
//     an open group.
//   - Choosing a style classifies its big font when it has no font file, as opening does, and keeps the
//     text it wrote as the one later switches between the editors convert.
//   - The text style of a dimension comes from its dimension style: choosing one in the style menu is
//     refused, instead of naming a text style as the dimension's dimension style.
//   - The dimension style made current to read a dimension's text style is put back also when reading it
//     fails.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "textdialog/editor_codes.h"
#include "textdialog/text_dialog_state.h"

namespace zil::textdialog {

enum TEdKind : int { edEdit = 0, edNew = 1 };

struct StyleMenuItem {
  std::u16string name;
  bool checked = false;
};

// What the form shows once the dialog is prepared.
struct Opening {
  std::vector<StyleMenuItem> styles;         // the style menu, in the drawing's order
  bool styleHeightFixed = false;             // the current text style has a height above 0: edH in red
  std::optional<std::u16string> heightText;  // edH, when it is filled
  std::optional<std::u16string> angleText;   // edAng, in degrees
  std::optional<int> justification;          // the item of cbxJust, when one stands for the text's
  std::u16string caption;
  std::u16string fontTypeName;  // edt1
};

// What the form shows after a style was chosen.
struct StyleChange {
  std::u16string caption;
  std::u16string fontTypeName;
  bool heightFixed = false;  // the style has a height above 0: edH in grey
};

// What the form shows after the font-type spin button.
struct FontTypeChange {
  std::u16string fontTypeName;
  std::optional<std::u16string> editorText;  // the entity's text read again under the new type
};

enum class OkOutcome {
  Written,           // the text is written; close
  ActsAsCancel,      // nothing typed on a new text: close, undoing everything
  EmptyLineDropped,  // the empty line New Line started is gone, the rest kept; close
};

class TextSession {
 public:
  TextSession(acad::HostState& host, config::FontDefinitions& fonts, TextDialogState& shared);

  // Preparing, for the entity `chandle` names. A failure (an unknown handle, a style the drawing lacks)
  // closes the undo group the preparation opened and propagates.
  Opening GetinputNewtext();
  Opening GetinputEdittext();

  // Switching to an editor: it becomes the editor in use and shows the current text (curText) in its
  // form, which this returns and keeps as the text read from the editor.
  std::u16string SwitchEditor(int editor);

  // The live update, with the editor's text: converted and written into the entity at once. Acts only
  // while there is an entity and changeF is set.
  void LiveUpdate(std::u16string_view editorText, int editor);

  // Leaving edH or edAng: the number typed (in the user's format) becomes the text's height, or its
  // rotation in degrees, when the box was edited and the entity is a single-line text.
  void ApplyHeight(std::u16string_view text);
  void ApplyAngle(std::u16string_view text);

  // Choosing a justification: the text takes it and stays where it was.
  void ChooseJustification(int index);

  // Choosing a text style from the menu: the entity takes it and the editor's text is written again for
  // the style's font.
  StyleChange ChooseStyle(const std::u16string& name, std::u16string_view editorText, int editor);

  // The font-type spin button: the next font type is used from now on and recorded for the style's font
  // at OK; a new text is written again under it, an existing entity's text is read again under it.
  FontTypeChange ApplyFontType(std::u16string_view editorText, int editor);

  // New Line: the text is copied 1.5 times its height lower in world Y and the copy becomes the entity
  // edited. The form then empties its editors and calls FinishNewLine.
  void NewLine();
  void FinishNewLine();

  // OK, with the visible editor's text.
  OkOutcome Ok(std::u16string_view editorText, int editor);
  // Cancel: the closing undoes the dialog's work.
  void Cancel() { doundo = true; }
  // Closing, however the dialog closes: the undo group ends and, after Cancel, "U " is sent.
  void Close();

  // The symbol buttons for the current font: for a symbol font each button shows exactly when its code is
  // not 0; otherwise tb4..tb13 hide and tb1..tb3 stay as they are (nothing in their entries).
  std::array<std::optional<bool>, kSymbolButtons> ShowSymbolButtons();
  // What button `i` (1..13) types.
  std::u16string InsertSymbol(int i) const;
  // What a key of the Windows editor types (editor_codes.h).
  std::u16string KeyText(unsigned shift, unsigned key) const;

  // The name of the current font type.
  std::u16string FontTypeName() const;

  // The dialog's state.
  std::u16string chandle;   // the handle of the entity
  int edkind = edEdit;      // new text or existing entity
  acad::EntityPtr eText;    // the entity being edited; null when there is none
  std::u16string scrText;   // the text last read from the visible editor
  std::u16string curText;   // that text in drawing form, as last written to the entity
  bool changeF = true;      // live updating is on
  bool doundo = false;      // the closing undoes the dialog's work
  double HCurText = 0;      // height applied at OK
  double hhText = 0;        // last height typed
  double AngText = 0;       // rotation applied at OK, radians
  int curhjust = 0;         // HorizontalAlignment applied at OK
  int curvjust = 0;         // VerticalAlignment applied at OK
  bool isHeightCh = false;  // edH was edited since its last apply
  bool isAngCh = false;     // edAng likewise
  bool isDim = false;       // the entity is a dimension
  bool isHebsymb = false;   // the style's font is a symbol font

 private:
  template <typename Steps>
  Opening Prepare(Steps&& steps);
  void FillStyleMenu(Opening& opening);
  void DetermineStyle(std::u16string_view text);
  void UseStyleFont(std::u16string_view text);
  std::u16string Convert(std::u16string_view editorText, int editor) const;
  void WriteLive(std::u16string_view editorText, int editor);
  void Write(const std::u16string& drawingText);
  std::u16string EntityText() const;
  std::u16string Caption(std::u16string_view styleName, std::u16string_view fontFile) const;
  acad::Document& Doc() const;

  acad::HostState& host_;
  config::FontDefinitions& fonts_;
  TextDialogState& shared_;
  bool undoOpen_ = false;    // the preparation opened the undo group
  bool lineCopied_ = false;  // eText is a copy New Line made
  bool lineKept_ = false;    // New Line left a line with text behind
};

}  // namespace zil::textdialog
