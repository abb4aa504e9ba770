#include "platform/special_folders_win.h"

#include <shlobj.h>
#include <windows.h>

#include <string>

namespace zil::platform {
namespace {

constexpr int kPersonal = 5;  // CSIDL_PERSONAL: Documents
constexpr int kAppData = 26;  // CSIDL_APPDATA: roaming application data

std::optional<std::filesystem::path> ShellFolder(int csidl) {
  WCHAR folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) || folder[0] == L'\0')
    return std::nullopt;
  return std::filesystem::path(folder);
}

}  // namespace

std::optional<std::filesystem::path> Win32SpecialFolders::Documents() const { return ShellFolder(kPersonal); }

std::optional<std::filesystem::path> Win32SpecialFolders::ApplicationData() const { return ShellFolder(kAppData); }

std::filesystem::path Win32SpecialFolders::FixedDataFolder() const { return std::filesystem::path(L"c:\\Veltro\\"); }

std::optional<std::filesystem::path> Win32SpecialFolders::DataFolderOverride() const {
  const DWORD size = GetEnvironmentVariableW(L"ZIL_DATA_FOLDER", nullptr, 0);
  if (size <= 1) return std::nullopt;  // unset or empty
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(L"ZIL_DATA_FOLDER", value.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  value.resize(length);
  return std::filesystem::path(value);
}

}  // namespace zil::platform
