// Member calls per second through the whole Windows chain, run under Wine (not a test: it times): zil.dll
// called by name through IDispatch, its AutoCAD adapter calling the COM test host by name, the stand-in
// host reading the drawing. Usage (after the Windows tests have registered both DLLs):
//   build/windows-cross/wine-env wine build/windows-cross/bin/zil_bench_com.exe [CALLS]
// Prints, for each kind of call, the calls per second and the time of one call.
// The add-in's headers come before the platform's: the platform defines its result codes as macros.
// clang-format off
#include "automation/com/dispatch_application.h"
// clang-format on
#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "late_client.h"

namespace {

void Measure(const char* what, int calls, const std::function<void()>& call) {
  call();  // the first call looks the names up
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; ++i) call();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-58s %9.0f calls/s  %7.2f us/call\n", what, calls / seconds, seconds / calls * 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zil::test;
  const int calls = argc > 1 ? std::atoi(argv[1]) : 20000;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  {
    DataFolder data;
    std::filesystem::copy_file(ZIL_CHAIN_CASES "/data/HebFonts.txt", data.path() / "HebFonts.txt");
    const LateObject host = LateObject::Create(L"zilstandin.Application");
    const std::wstring drawing = WindowsPath(ZIL_CHAIN_CASES "/drawings/hebrew.dxf");
    host.Object(L"Documents").Call(L"Open", {Str(std::u16string(drawing.begin(), drawing.end()))});
    const LateObject zil = LateObject::Create(L"zil.autozil");
    zil.Call(L"SetApp", {Dispatch(host.get())}, DISPATCH_METHOD);
    const LateObject text = host.Object(L"ActiveDocument").Object(L"HandleToObject", {Str(u"3D")});

    Measure("zil: acadtostr of a string (kind 1), then Hebstr", calls, [&] {
      zil.Call(L"acadtostr", {Str(u"ouka"), Int(1)}, DISPATCH_METHOD);
      Hebstr(zil.get());
    });
    Measure("zil: acadtostr of an entity (kind 11) through the adapter", calls, [&] {
      zil.Call(L"acadtostr", {Str(u"3D"), Int(11)}, DISPATCH_METHOD);
    });
    Measure("host: TextString of a text, by name", calls, [&] { text.String(L"TextString"); });
    const auto adapted = zil::com::AdaptApplication(host.get());
    const auto entity = adapted->ActiveDocument()->HandleToObject(u"3D");
    Measure("adapter: TextString of a text (identifier cached)", calls, [&] { entity->TextString(); });
    Measure("adapter: HandleToObject, then EntityType", calls,
            [&] { adapted->ActiveDocument()->HandleToObject(u"3D")->EntityType(); });
  }
  CoUninitialize();
  return 0;
}
