// Reading a file whole with the Windows API, in binary, so that line ends stay as they are.
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "drawing/dxf_error.h"
#include "drawing/whole_file.h"

namespace zil::drawing {

std::string ReadWholeFile(const std::string& path) {
  const auto fail = [&path](const std::string& what) {
    throw DxfError("cannot read " + path + ": " + what + " (Windows error " + std::to_string(GetLastError()) + ")");
  };
  const std::filesystem::path file(path);
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      SetLastError(ERROR_DIRECTORY);
      fail("it is a folder");
    }
    fail("cannot open it");
  }
  std::string bytes;
  LARGE_INTEGER size{};
  std::size_t used = 0;
  bytes.resize(GetFileSizeEx(handle, &size) && size.QuadPart > 0 ? static_cast<std::size_t>(size.QuadPart) + 1
                                                                 : std::size_t{1} << 16);
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - used, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(handle, bytes.data() + used, wanted, &read, nullptr)) {
      CloseHandle(handle);
      fail("reading failed");
    }
    if (read == 0) break;
    used += read;
  }
  CloseHandle(handle);
  bytes.resize(used);
  return bytes;
}

}  // namespace zil::drawing
