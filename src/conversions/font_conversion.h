// Font conversion and remapping of a drawing's texts (the flow behind the "Veltro Font Converter"
// window).
//
// The window lists the fonts of the drawing's text styles; the user checks some and either converts
// (every single-line text, attribute and MText whose style uses a checked font is rewritten for the font
// of a target style and given that style, single-line texts becoming aligned texts that keep their place
// and length) or remaps (the strings are transcoded character by character to another font mapping and,
// on request, reversed; their style stays). Each action is one undo step followed by a regeneration and
// a message.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "conversions/drawing_walk.h"
#include "conversions/style_table.h"
#include "platform/messages.h"

namespace zil::conversions {

// The mapping choices of a remap, in the window's order.
enum class Mapping { DosHebrew = 0, English7Bit = 1, Windows = 2, None = 3 };
// The font type a mapping choice remaps to: DosHebrew, DosEnglish, WindowsHeb, TrueType (no change).
int RemapTarget(Mapping mapping);

class FontConversion {
 public:
  FontConversion(acad::HostState& host, config::FontDefinitions& fonts, platform::Messages& messages);

  // Reads the drawing's styles and fonts; clears the check marks and the chosen target style.
  void LoadStyleTable();

  // What the window shows and the user chooses.
  const std::vector<std::u16string>& Fonts() const { return fontList_; }
  std::vector<std::u16string> StyleNames() const;  // sorted
  std::vector<bool> checked;                       // per font of Fonts()
  std::optional<std::u16string> targetStyle;       // ComboBox1
  bool rightToLeft = false;                        // "Change Right to Left order"
  bool reverse = false;                            // "Reverse"
  Mapping mapping = Mapping::None;                 // "Mapping"

  void CheckAll(bool on);
  // Checks a font by name, without regard to case: the fonts of that name, else those whose name without
  // folder and extension is the name's ("hebdos" or "C:\fonts\HEBDOS.SHX" checks "hebdos.shx"), as the
  // font table names fonts; false when the drawing has no such font.
  bool Check(std::u16string_view font);

  // The message an action shows when it cannot start with the window as it is ("Fonts to convert not
  // checked.", ...); nothing when it can.
  std::optional<std::u16string> Refusal(bool remap) const;

  // "Convert »" and "Remap to »". An action that cannot start shows its message and does nothing.
  WalkReport Convert(const Progress& progress = {});
  WalkReport Remap(const Progress& progress = {});

  const StyleTable& Styles() const { return styles_; }

 private:
  void GatherSelection();
  WalkReport Act(bool remap, const Progress& progress);
  // Each gives what it did to the entity, nothing for a blank one.
  std::optional<Outcome> ConvertText(acad::Entity& t);
  std::optional<Outcome> ConvertMText(acad::Entity& m);
  std::optional<Outcome> RemapText(acad::Entity& t);
  std::optional<Outcome> RemapMText(acad::Entity& m);
  // A string of a font of `type` for the target style's font.
  std::u16string ConvertedString(const std::u16string& s, fntType type, bool backwards) const;
  const TstyleRec* SelectedStyle(acad::Entity& e);
  void Show(std::u16string_view text);

  acad::HostState& host_;
  config::FontDefinitions& fonts_;
  platform::Messages& messages_;
  StyleTable styles_;
  std::vector<std::u16string> fontList_;
  std::map<std::u16string, std::int32_t> selStyles_;  // upper-cased style names of checked fonts -> fntIdx
  // The target style, gathered by "Convert »".
  std::u16string outstyleName_;
  fntType outStType_ = DosHebrew;
  bool outcStBack_ = false;
  std::int16_t outRemap_ = -1;
};

}  // namespace zil::conversions
