// Conversion of a drawing for Revit: in a copy of the drawing, every single-line text, attribute and MText
// whose style does not use a TrueType font gets its string in edit form (logical order, Unicode) and the
// TrueType style "ARIALREVIT" (Arial); single-line texts and attributes become aligned texts between two
// points, so they keep their place, direction and length.
//
// Two ways to write the string: the edit form (the default), which reads as before for a text that begins
// with a Hebrew letter and holds Hebrew letters, digits, spaces, "-" and ":", and the exact reading order,
// a string that a left-to-right layout shows with exactly the glyphs the SHX text showed, in the same order,
// with the directional marks LRM and RLM only where the order alone cannot do it.
//
// The flow behind the "Converting Drawing to REVIT" dialog: Activate when the dialog becomes active,
// then the buttons (SaveAsAndConvert, Save, ReloadBase), then Close.
#pragma once

#include <string>

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "conversions/drawing_walk.h"
#include "conversions/style_table.h"
#include "platform/messages.h"

namespace zil::conversions {

// How the converted strings are written.
enum class RevitStrings {
  EditForm,    // AAcadToEditWin, reversed when the setting reverseTTF says so
  ExactOrder,  // the glyphs the text showed, in the same order (reverseTTF does not apply)
};

// The string a TrueType style shows as the glyphs that the SHX text `stored` showed: in a font that draws
// as `drawn`, backwards when the text or its style draws backwards. `marks` receives the number of marks
// LRM and RLM it holds.
std::u16string ExactRevitString(std::u16string_view stored, const config::FontDefinitions::DrawnFont& drawn,
                                bool backwards, int* marks = nullptr);

// One text, attribute or MText of the walk, with the style table of the drawing.
Outcome ConvertTextForRevit(acad::Entity& t, const StyleTable& styles, config::FontDefinitions& fonts,
                            RevitStrings strings = RevitStrings::EditForm);
Outcome ConvertMTextForRevit(acad::Entity& m, const StyleTable& styles, config::FontDefinitions& fonts,
                             RevitStrings strings = RevitStrings::EditForm);
void ConvertAttributesForRevit(acad::Entity& blockReference, const StyleTable& styles, config::FontDefinitions& fonts,
                               WalkReport& report, RevitStrings strings = RevitStrings::EditForm);

// The styles prepared, then the walk with the layers opened.
WalkReport ConvertDrawingForRevit(acad::Document& doc, config::FontDefinitions& fonts, const Progress& progress,
                                  RevitStrings strings = RevitStrings::EditForm);

class RevitConversion {
 public:
  RevitConversion(acad::HostState& host, config::FontDefinitions& fonts, platform::Messages& messages);

  // The drawing's full name and the default target "<name without extension>_Revit.dwg".
  void Activate();
  // "Save As and Convert": the base drawing saved first when the user agrees, saved as the target, the
  // copy converted, regenerated and saved; "Conversion finished".
  WalkReport SaveAsAndConvert(const Progress& progress = {});
  // "Save".
  void Save();
  // "Reload  base DWG": reopens the base drawing when the active one has no unsaved changes.
  void ReloadBase();
  // Closing: the setting reverseTTF takes the "Reverse Output Text" choice.
  void Close();

  std::u16string thisName;                        // the drawing the dialog was opened on
  std::u16string targetFile;                      // JvFilenameEdit1
  bool reverseOutputText = false;                 // CheckBox1
  RevitStrings strings = RevitStrings::EditForm;  // "Keep exact reading order"
  bool saved = false;

 private:
  acad::HostState& host_;
  config::FontDefinitions& fonts_;
  platform::Messages& messages_;
};

}  // namespace zil::conversions
