#include "drawing/whole_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "drawing/dxf_error.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZIL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZIL_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef ZIL_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

namespace zil::drawing {

char* WholeFile::AllocatePages(std::size_t bytes) {
  // Private anonymous pages: given back with madvise, they cost nothing until written again.
  void* const pages = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  return static_cast<char*>(pages);
}

void WholeFile::FreePages(char* pages, std::size_t bytes) noexcept {
#ifdef ZIL_ADDRESS_SANITIZER
  ASAN_UNPOISON_MEMORY_REGION(pages, bytes);
#endif
  ::munmap(pages, bytes);
}

void WholeFile::DiscardPages(char* pages, std::size_t bytes) noexcept {
  ::madvise(pages, bytes, MADV_DONTNEED);
#ifdef ZIL_ADDRESS_SANITIZER
  ASAN_POISON_MEMORY_REGION(pages, bytes);
#endif
}

WholeFile ReadWholeFile(const std::string& path) {
  const auto fail = [&path](const std::string& what, int error) {
    throw DxfError("cannot read " + path + ": " + what + " (" + std::strerror(error) + ")");
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open it", errno);
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    fail("it is a folder", EISDIR);
  }
  // Read straight into the pages, growing them should the file grow while it is read.
  WholeFile bytes;
  bytes.Reserve(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 1 << 16);
  for (;;) {
    if (bytes.size_ == bytes.capacity_) bytes.Reserve(bytes.capacity_ * 2);
    const ssize_t n = ::read(fd, bytes.data_ + bytes.size_, bytes.capacity_ - bytes.size_);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      fail("reading failed", error);
    }
    bytes.size_ += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return bytes;
}

}  // namespace zil::drawing
