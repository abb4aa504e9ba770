// What the text dialog's tests share: the drawing make_text_dialog_fixtures.py writes (once per test
// program), the handles of its entities, and the add-in with the real Qt dialogs over a stand-in host that
// has the drawing open, as the command layer drives it (SetApp, then the members; the command text a member
// queued runs after it returns). The data folder's font table lists hebrew (DosHebrew), hebkeys
// (DosEnglish), hebkeysr (DosEnglishR) and the symbol font hebsym; the keyboard has US English, Hebrew and
// Russian layouts.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <string>

#include "support/qt/addin_on_drawing.h"
#include "textcore/font_converter.h"
#include "textdialog/dialogs/thtext.h"

namespace zil::textdialog::test {

inline constexpr platform::KeyboardLayoutHandle kUs = zil::test::kUsLayout;
inline constexpr platform::KeyboardLayoutHandle kHebrew = zil::test::kHebrewLayout;
inline constexpr platform::KeyboardLayoutHandle kRussian = 0x04190419;

// The conversions of a font type, set apart from the add-in's own state.
struct Conversions {
  Conversions(fntType type, bool backwards) {
    conv.cStType = type;
    conv.cStBack = backwards;
  }
  bool reverseTTF = false;
  textcore::FontConverter conv;
};

class TextDialogTest : public zil::test::AddInOnDrawingTest {
 protected:
  explicit TextDialogTest(const char* drawing = "text_dialog.dxf");

  // Runs the member `member` (newtext, edit, block) with `handle`; `drive` runs on the dialog once it is
  // shown and active, and must close it (a dialog still open after 30 seconds fails the test and is
  // closed). Then the command text the call queued runs (kept in `ran`).
  automation::CallResult Run(std::u16string_view member, const std::u16string& handle,
                             std::function<void(Thtext&)> drive);

  // Makes `style` the drawing's current text style (a change of the drawing).
  void UseStyle(const std::u16string& style);
  // Places a text in the current style, as the command layer does before newtext; its handle.
  std::u16string Place(acad::Point at = {10, -20, 0}, double height = 2.5);

  std::u16string Handle(const char* name) const;
};

// The widgets of the form, found by their names.
QWidget* Editor(Thtext& form, const char* name);
QString EditorText(Thtext& form, const char* name);
// Types `keys` into `editor`, one key at a time; `after` runs after each.
void TypeKeys(QWidget* editor, const QString& keys, const std::function<void()>& after = {});
void Click(Thtext& form, const char* button);

}  // namespace zil::textdialog::test
