// A Dialogs fake that records which dialog the automation object asked for.
#pragma once

#include <string>
#include <vector>

#include "automation/dialogs.h"

namespace zil::test {

class RecordingDialogs final : public automation::Dialogs {
 public:
  std::vector<std::string> calls;
  bool failLibraryWindow = false;

  void CreateDataModule() override { calls.push_back("CreateDataModule"); }
  void FreeDataModule() override { calls.push_back("FreeDataModule"); }
  void FreeLibraryWindow() override {
    calls.push_back("FreeLibraryWindow");
    if (failLibraryWindow) throw std::runtime_error("library window would not close");
  }
  void ShowFontTable(automation::AddIn&) override { calls.push_back("ShowFontTable"); }
  void ShowAbout(automation::AddIn&) override { calls.push_back("ShowAbout"); }
  void NewText(automation::AddIn&, std::u16string_view h) override { Record("NewText", h); }
  void EditText(automation::AddIn&, std::u16string_view h) override { Record("EditText", h); }
  void NewMText(automation::AddIn&) override { calls.push_back("NewMText"); }
  void EditMText(automation::AddIn&, std::u16string_view h) override { Record("EditMText", h); }
  void ConvertTextsToMText(automation::AddIn&) override { calls.push_back("ConvertTextsToMText"); }
  void ReplaceInTexts(automation::AddIn&) override { calls.push_back("ReplaceInTexts"); }
  void EditAttributeDefinition(automation::AddIn&, std::u16string_view h) override {
    Record("EditAttributeDefinition", h);
  }
  void EditBlockAttributes(automation::AddIn&, std::u16string_view h) override { Record("EditBlockAttributes", h); }
  void ShowLibrary(automation::AddIn&) override { calls.push_back("ShowLibrary"); }
  void ConvertForRevit(automation::AddIn&) override { calls.push_back("ConvertForRevit"); }
  void ConvertFonts(automation::AddIn&) override { calls.push_back("ConvertFonts"); }

 private:
  // The call with its handle, as "Name HANDLE" (handles are ASCII).
  void Record(const char* name, std::u16string_view handle) {
    calls.push_back(std::string(name) + " " + std::string(handle.begin(), handle.end()));
  }
};

}  // namespace zil::test
