// The host state: what the add-in knows of the running AutoCAD between and during automation calls, and
// the small queries the dialogs share.
//
// SetApp gives the application. RefreshHost runs first in every member that works on the drawing and
// re-reads the active document, the space that receives new entities (model space when the document's
// ActiveSpace is 1, else paper space), the text styles and the current layer (its name is "0" when it
// cannot be read), then rebuilds the keyboard layout list. The current style (CurStyle, CurStyleName) is
// kept from call to call until a dialog or query sets it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "acad/application.h"
#include "config/font_definitions.h"
#include "platform/keyboard_layouts.h"

namespace zil::acad {

struct TLanguageEntry {
  std::string CountryName;  // the language's full name (Windows-1255)
  std::int32_t LanguageID = 0;
  std::string ISOCode;  // its abbreviated name
};

// At most this many keyboard layouts are listed.
inline constexpr std::size_t kMaxKeyboardLayouts = 40;

// The font a style's texts are classified by: its font file, or its big font when it has none.
std::u16string StyleFont(const TextStyle& style);

class HostState {
 public:
  std::shared_ptr<Application> AcadApp;
  std::shared_ptr<Document> AcadDoc;
  std::shared_ptr<Block> AcadSpace;
  std::shared_ptr<acad::TextStyles> AcadTextStyles;
  std::shared_ptr<TextStyle> CurStyle;
  std::u16string CurStyleName;
  std::u16string CurLayerName;

  std::vector<TLanguageEntry> languages;
  bool keyboardIsHebrew = false;  // the keyboard state read when the list was built

  // Fails with acad::Error when no application has been given, and with AutoCAD's errors.
  void RefreshHost(const platform::KeyboardLayouts& keyboard);

  // Makes the document's active text style current, sets the backwards flag of the conversion state
  // (only a generation flag of exactly 2 is backwards) and classifies the style's font (the big font when
  // the style has no font file).
  void LoadActiveStyle(config::FontDefinitions& fonts);
  // The same for the style named CurStyleName; an unknown name fails.
  void LoadNamedStyle(config::FontDefinitions& fonts);

  std::vector<std::u16string> ListStyleNames() const;
  std::vector<std::u16string> ListLayerNames() const;

  void BuildKeyboardList(const platform::KeyboardLayouts& keyboard);

  // Drops every reference to the host (module shut-down).
  void Release();

 private:
  void UseStyle(config::FontDefinitions& fonts);
};

}  // namespace zil::acad
