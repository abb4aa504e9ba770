#include "automation/com/server.h"

#include <exception>
#include <new>

#include "automation/com/class_factory.h"
#include "automation/com/com_text.h"
#include "automation/com/dispatch_application.h"
#include "automation/com/error_info.h"
#include "automation/com/registration.h"
#include "automation/com/zil.h"

namespace zil::com {

platform::MessageAnswer ModuleMessages::Show(const std::u16string& caption, const std::u16string& text,
                                             platform::MessageIcon icon, platform::MessageButtons buttons) {
  if (!underLoaderLock) return boxes_.Show(caption, text, icon, buttons);
  // No window may be created while the loader lock is held; the message still goes somewhere a developer
  // can read it, and the answer is the one that changes nothing.
  const std::u16string line = caption + u": " + text + u"\n";
  OutputDebugStringW(Wide(line));
  switch (buttons) {
    case platform::MessageButtons::Ok:
      return platform::MessageAnswer::Ok;
    case platform::MessageButtons::YesNo:
      return platform::MessageAnswer::No;
    case platform::MessageButtons::OkCancel:
    case platform::MessageButtons::YesNoCancel:
    case platform::MessageButtons::YesNoCancelAll:
      break;
  }
  return platform::MessageAnswer::Cancel;
}

std::size_t ModuleMessages::Choose(const std::u16string& caption, const std::u16string& text,
                                   platform::MessageIcon icon, const std::vector<std::u16string>& choices) {
  if (!underLoaderLock) return boxes_.Choose(caption, text, icon, choices);
  return Messages::Choose(caption, text, icon, choices);  // to the debugger output through Show
}

Server::Server(HMODULE module)
    : module_(module), addin_({keyboard_, messages_, folders_, files_, clipboard_, registry_}, dialogs_) {}

Server::~Server() {
  // Reached only when the DLL is freed (not at process exit): the add-in shuts down under the loader lock.
  messages_.underLoaderLock = true;
  Stop();
}

std::wstring Server::ModulePath() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module_, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void Server::Start() {
  if (addin_.Started()) return;
  if (typeInfo_ == nullptr) {
    ITypeLib* library = nullptr;
    const std::wstring path = ModulePath();
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (SUCCEEDED(hr)) {
      hr = library->GetTypeInfoOfGuid(IID_Iautozil, &typeInfo_);
      library->Release();
    }
    if (FAILED(hr))
      throw automation::AutomationError(hr, "The type library of zil.dll cannot be loaded from its own resources");
  }
  addin_.Startup();
}

void Server::Stop() {
  addin_.Shutdown();
  if (typeInfo_ != nullptr) {
    typeInfo_->Release();
    typeInfo_ = nullptr;
  }
}

HRESULT Server::GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_autozil) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    Start();
    auto* factory = new ClassFactory(*this);
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
  } catch (const automation::AutomationError& e) {
    return Fail(static_cast<HRESULT>(e.code()), e.what());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    return Fail(E_UNEXPECTED, std::string("zil cannot start: ") + e.what());
  }
}

HRESULT Server::CanUnloadNow() {
  if (objects_ > 0 || locks_ > 0) return S_FALSE;
  // COM unloads the DLL after this answer: the add-in shuts down now, outside the loader lock, and starts
  // again should COM ask for the class before unloading.
  Stop();
  return S_OK;
}

HRESULT Server::Register() {
  try {
    return RegisterServer(ModulePath());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT Server::Unregister() { return UnregisterServer(); }

void Server::Unload(bool processTerminating) {
  if (!processTerminating) return;  // the destructor shuts down
  if (!addin_.Started()) return;
  // At process exit other modules may be gone already: AutoCAD's object and the type information are left
  // unreleased and no window is shown, but the settings are still written.
  messages_.underLoaderLock = true;
  if (addin_.host.AcadApp) AbandonApplication(*addin_.host.AcadApp);
  typeInfo_ = nullptr;
  addin_.Shutdown();
}

}  // namespace zil::com
