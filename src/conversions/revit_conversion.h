// Conversion of a drawing for Revit: in a copy of the drawing, every single-line text, attribute and MText
// whose style does not use a TrueType font gets its string in edit form (logical order, Unicode) and the
// TrueType style "ARIALREVIT" (Arial); single-line texts and attributes become aligned texts between two
// points, so they keep their place, direction and length.
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

// One text, attribute or MText of the walk, with the style table of the drawing.
Outcome ConvertTextForRevit(acad::Entity& t, const StyleTable& styles, config::FontDefinitions& fonts);
Outcome ConvertMTextForRevit(acad::Entity& m, const StyleTable& styles, config::FontDefinitions& fonts);
void ConvertAttributesForRevit(acad::Entity& blockReference, const StyleTable& styles, config::FontDefinitions& fonts,
                               WalkReport& report);

// The styles prepared, then the walk with the layers opened.
WalkReport ConvertDrawingForRevit(acad::Document& doc, config::FontDefinitions& fonts, const Progress& progress);

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

  std::u16string thisName;         // the drawing the dialog was opened on
  std::u16string targetFile;       // JvFilenameEdit1
  bool reverseOutputText = false;  // CheckBox1
  bool saved = false;

 private:
  acad::HostState& host_;
  config::FontDefinitions& fonts_;
  platform::Messages& messages_;
};

}  // namespace zil::conversions
