// Reading a file whole with the Windows API, in binary, so that line ends stay as they are.
#include <windows.h>

#include <filesystem>
#include <new>

#include "drawing/dxf_error.h"
#include "drawing/whole_file.h"

namespace zil::drawing {

char* WholeFile::AllocatePages(std::size_t bytes) {
  void* const pages = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (pages == nullptr) throw std::bad_alloc();
  return static_cast<char*>(pages);
}

void WholeFile::FreePages(char* pages, std::size_t) noexcept { VirtualFree(pages, 0, MEM_RELEASE); }

void WholeFile::DiscardPages(char* pages, std::size_t bytes) noexcept {
  // The pages' contents are let go: the system takes them back without writing them out.
  VirtualAlloc(pages, bytes, MEM_RESET, PAGE_READWRITE);
}

WholeFile ReadWholeFile(const std::string& path) {
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
  WholeFile bytes;
  LARGE_INTEGER size{};
  try {
    bytes.Reserve(GetFileSizeEx(handle, &size) && size.QuadPart > 0 ? static_cast<std::size_t>(size.QuadPart) + 1
                                                                    : std::size_t{1} << 16);
    for (;;) {
      if (bytes.size_ == bytes.capacity_) bytes.Reserve(bytes.capacity_ * 2);
      const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.capacity_ - bytes.size_, 1u << 30));
      DWORD read = 0;
      if (!ReadFile(handle, bytes.data_ + bytes.size_, wanted, &read, nullptr)) fail("reading failed");
      if (read == 0) break;
      bytes.size_ += read;
    }
  } catch (...) {
    CloseHandle(handle);
    throw;
  }
  CloseHandle(handle);
  return bytes;
}

}  // namespace zil::drawing
