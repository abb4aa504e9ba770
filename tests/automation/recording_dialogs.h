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
};

}  // namespace zil::test
