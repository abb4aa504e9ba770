// The dialogs seam: the automation object asks this interface to run each modal dialog. The Qt build
// implements it with the real dialogs; a build without Qt uses NoDialogs, whose dialog members fail with a
// clear message while every other member of the add-in works.
#pragma once

#include <string_view>

namespace zil::automation {

class AddIn;

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The image lists the dialogs share, loaded at module start-up and freed at shut-down.
  virtual void CreateDataModule() = 0;
  virtual void FreeDataModule() = 0;
  // Frees the text library window when one is still open (module shut-down).
  virtual void FreeLibraryWindow() = 0;

  // "Fonts Definition", modal, over the add-in's font definitions.
  virtual void ShowFontTable(AddIn& addin) = 0;
  // The About window, modal.
  virtual void ShowAbout(AddIn& addin) = 0;

  // The members below run after the host refresh, on the active drawing.

  // The single-line text dialog on the text the command layer has just placed (newtext).
  virtual void NewText(AddIn& addin, std::u16string_view handle) = 0;
  // The single-line text dialog on an existing text, attribute or dimension (edit, block).
  virtual void EditText(AddIn& addin, std::u16string_view handle) = 0;
  // The MText editor on a new MText (mtext ""), or on the MText with this handle (mtext, edit).
  virtual void NewMText(AddIn& addin) = 0;
  virtual void EditMText(AddIn& addin, std::u16string_view handle) = 0;
  // Picked single-line texts into one MText (HtoMtext).
  virtual void ConvertTextsToMText(AddIn& addin) = 0;
  // Find and replace over picked texts and block attributes (replace).
  virtual void ReplaceInTexts(AddIn& addin) = 0;
  // The attribute grid on an attribute definition (edit) or a block reference (block).
  virtual void EditAttributeDefinition(AddIn& addin, std::u16string_view handle) = 0;
  virtual void EditBlockAttributes(AddIn& addin, std::u16string_view handle) = 0;
  // The text library window (Hlib).
  virtual void ShowLibrary(AddIn& addin) = 0;
  // The drawing conversion for Revit (Convert) and the font conversion and remapping (hfont_convert).
  virtual void ConvertForRevit(AddIn& addin) = 0;
  virtual void ConvertFonts(AddIn& addin) = 0;
};

// No dialogs in this build: showing one fails with E_NOTIMPL and says so.
class NoDialogs final : public Dialogs {
 public:
  void CreateDataModule() override {}
  void FreeDataModule() override {}
  void FreeLibraryWindow() override {}
  void ShowFontTable(AddIn& addin) override;
  void ShowAbout(AddIn& addin) override;
  void NewText(AddIn& addin, std::u16string_view handle) override;
  void EditText(AddIn& addin, std::u16string_view handle) override;
  void NewMText(AddIn& addin) override;
  void EditMText(AddIn& addin, std::u16string_view handle) override;
  void ConvertTextsToMText(AddIn& addin) override;
  void ReplaceInTexts(AddIn& addin) override;
  void EditAttributeDefinition(AddIn& addin, std::u16string_view handle) override;
  void EditBlockAttributes(AddIn& addin, std::u16string_view handle) override;
  void ShowLibrary(AddIn& addin) override;
  void ConvertForRevit(AddIn& addin) override;
  void ConvertFonts(AddIn& addin) override;
};

}  // namespace zil::automation
