// After `regsvr32 /u zil.dll`: exits 0 when nothing that registration writes is left in the registry,
// else names what is left and exits 1.
#include <cstdio>
#include <string>

#include "automation/com/zil.h"

namespace {

std::wstring Key(const wchar_t* folder, REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return std::wstring(folder) + L"\\" + text;
}

bool Exists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

}  // namespace

int main() {
  const std::wstring keys[] = {L"zil.autozil", Key(L"CLSID", CLSID_autozil), Key(L"TypeLib", LIBID_zil),
                               Key(L"Interface", IID_Iautozil)};
  int left = 0;
  for (const std::wstring& key : keys) {
    if (Exists(key)) {
      std::fwprintf(stderr, L"still registered: HKEY_CLASSES_ROOT\\%ls\n", key.c_str());
      ++left;
    }
  }
  if (!Exists(L"CLSID")) {
    std::fwprintf(stderr, L"HKEY_CLASSES_ROOT\\CLSID is gone: unregistration removed more than it wrote\n");
    ++left;
  }
  if (left == 0) std::fwprintf(stdout, L"zil.dll left nothing in the registry\n");
  return left == 0 ? 0 : 1;
}
