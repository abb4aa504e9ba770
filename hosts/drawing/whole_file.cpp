#include "drawing/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "drawing/dxf_error.h"

namespace zil::drawing {

std::string ReadWholeFile(const std::string& path) {
  const auto fail = [&path](const std::string& what, int error) {
    throw DxfError("cannot read " + path + ": " + what + " (" + std::strerror(error) + ")");
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open it", errno);
  std::string bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    fail("it is a folder", EISDIR);
  }
  // Read straight into the string, growing it should the file grow while it is read.
  std::size_t used = 0;
  bytes.resize(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 1 << 16);
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      fail("reading failed", error);
    }
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  ::close(fd);
  return bytes;
}

}  // namespace zil::drawing
