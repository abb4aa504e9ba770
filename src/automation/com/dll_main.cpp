// The entry points of zil.dll: DllMain and the four exports of an in-process COM server (zil.def). They
// forward to the one Server of the module, created when the DLL is loaded; this pointer is the only
// module-wide variable, because the exports are free functions that COM calls without context.
// clang-format off
#include "automation/com/server.h"
// clang-format on

#include <new>

namespace {

zil::com::Server* server = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(instance);
      // Nothing more under the loader lock: the add-in starts when COM first asks for the class.
      server = new (std::nothrow) zil::com::Server(instance);
      return server != nullptr ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      if (server == nullptr) return TRUE;
      if (reserved != nullptr) {
        server->Unload(true);  // process exit: the server is left as it is, the process ends anyway
      } else {
        delete server;
      }
      server = nullptr;
      return TRUE;
    default:
      return TRUE;
  }
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) { return server->GetClassObject(clsid, iid, out); }

STDAPI DllCanUnloadNow() { return server->CanUnloadNow(); }

STDAPI DllRegisterServer() { return server->Register(); }

STDAPI DllUnregisterServer() { return server->Unregister(); }
