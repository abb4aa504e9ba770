// The dialogs seam: the automation object asks this interface to run each modal dialog. The Qt build
// implements it with the real dialogs; a build without Qt uses NoDialogs, whose dialog members fail with a
// clear message while every other member of the add-in works.
#pragma once

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
};

// No dialogs in this build: showing one fails with E_NOTIMPL and says so.
class NoDialogs final : public Dialogs {
 public:
  void CreateDataModule() override {}
  void FreeDataModule() override {}
  void FreeLibraryWindow() override {}
  void ShowFontTable(AddIn& addin) override;
  void ShowAbout(AddIn& addin) override;
};

}  // namespace zil::automation
