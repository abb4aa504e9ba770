// The COM server of zil.dll: the one object behind the DLL's entry points. It owns the add-in context
// with the Windows platform services (keyboard layouts, message boxes, special folders) and no dialogs
// (this build has no Qt), the type library's description of Iautozil, and the counts of live objects and
// locks that decide whether the DLL may be unloaded.
//
// Start-up and shut-down run outside the loader lock: the add-in starts when COM first asks the DLL for
// its class (right after loading it) and shuts down when COM is told the DLL may be unloaded
// (DllCanUnloadNow with no object left). Should the DLL be freed without that question, shut-down runs at
// unload with its messages kept off the screen; at process exit only the settings are written and
// AutoCAD's object is left alone.
#pragma once

// The add-in's headers come before the platform's: the platform defines its result codes as macros.
// clang-format off
#include "automation/hresult.h"
#include "automation/addin.h"
#include "automation/dialogs.h"
#include "platform/clipboard.h"
#include "platform/file_choosers.h"
#include "platform/keyboard_layouts_win.h"
#include "platform/messages_win.h"
#include "platform/registry_win.h"
#include "platform/special_folders_win.h"
// clang-format on

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <string>

namespace zil::com {

// Message boxes, except while the loader lock is held, when a message goes to the debugger output.
class ModuleMessages final : public platform::Messages {
 public:
  platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;
  std::size_t Choose(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                     const std::vector<std::u16string>& choices) override;
  bool underLoaderLock = false;

 private:
  platform::Win32Messages boxes_;
};

class Server {
 public:
  explicit Server(HMODULE module);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // The entry points.
  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);
  HRESULT CanUnloadNow();
  HRESULT Register();
  HRESULT Unregister();
  // DLL_PROCESS_DETACH.
  void Unload(bool processTerminating);

  // For the objects and the class factory.
  void AddObject() { ++objects_; }
  void ReleaseObject() { --objects_; }
  void Lock(bool lock) {
    if (lock) {
      ++locks_;
    } else {
      --locks_;
    }
  }
  automation::AddIn& addin() { return addin_; }
  ITypeInfo* typeInfo() const { return typeInfo_; }

 private:
  std::wstring ModulePath() const;
  void Start();
  void Stop();

  HMODULE module_;
  platform::Win32KeyboardLayouts keyboard_;
  ModuleMessages messages_;
  platform::Win32SpecialFolders folders_;
  platform::NoFileChoosers files_;  // the file choosers belong to the dialogs, which this build lacks
  platform::InProcessClipboard clipboard_;
  platform::Win32Registry registry_;
  automation::NoDialogs dialogs_;
  automation::AddIn addin_;
  ITypeInfo* typeInfo_ = nullptr;
  std::atomic<long> objects_{0};
  std::atomic<long> locks_{0};
};

}  // namespace zil::com
