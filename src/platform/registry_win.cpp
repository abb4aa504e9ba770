#include "platform/registry_win.h"

#include <windows.h>

#include <vector>

namespace zil::platform {
namespace {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace

std::optional<std::string> Win32Registry::ReadUserString(std::string_view key, std::string_view name) const {
  // Key paths are given from the hive's root, with or without the leading backslash.
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  const std::wstring wideKey = Wide(key), wideName = Wide(name);
  DWORD bytes = 0;
  LSTATUS status =
      RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
  if (status != ERROR_SUCCESS) return std::nullopt;
  std::vector<wchar_t> value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  status =
      RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &bytes);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return Utf8(std::wstring_view(value.data()));
}

}  // namespace zil::platform
