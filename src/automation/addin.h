// The add-in context: everything the add-in keeps for its lifetime, owned by one object instead of module
// globals — the result string, the host version, the host state, the data folder, the font definitions
// with the settings and conversion state, the platform services and the dialogs. A test builds its own
// AddIn on a temporary data folder.
//
// Start-up and shut-down follow the module's order:
//   start-up:  register the class factory; choose the data folder (Documents, then application data);
//              create the font definitions (settings, font table and key texts loaded, data folder
//              settled by every rule); create the dialogs' data module.
//   shut-down: free the library window; close and free the font definitions (settings written); free the
//              data module; release the host version, the result string and the host state. A step that
//              throws is passed over silently and the remaining steps still run, so the settings are never
//              lost because an earlier step failed.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "acad/host_state.h"
#include "automation/dialogs.h"
#include "config/font_definitions.h"
#include "platform/services.h"

namespace zil::automation {

class Tautozil;

class AddIn {
 public:
  AddIn(platform::Services services, Dialogs& dialogs);
  ~AddIn();
  AddIn(const AddIn&) = delete;
  AddIn& operator=(const AddIn&) = delete;

  void Startup();
  void Shutdown();
  bool Started() const { return started_; }

  // The class factory: every request creates a new automation object over this add-in. Fails before
  // start-up and after shut-down.
  std::unique_ptr<Tautozil> CreateObject();

  // Module-wide state.
  std::u16string ResultString;
  std::u16string AcadVersion;
  acad::HostState host;
  std::filesystem::path DataFolder;  // ends with the path separator

  // The font definitions (present between start-up and shut-down).
  config::FontDefinitions& frmFonts();

  platform::Services& services() { return services_; }
  Dialogs& dialogs() { return dialogs_; }

 private:
  platform::Services services_;
  Dialogs& dialogs_;
  std::unique_ptr<config::FontDefinitions> fonts_;
  bool classRegistered_ = false;
  bool started_ = false;
};

}  // namespace zil::automation
