#include "drawing/dxf_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "drawing/dxf_error.h"
#include "drawing/loader.h"
#include "drawing/writer.h"
#include "platform/atomic_file.h"

namespace zil::drawing {
namespace {

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

}  // namespace

std::unique_ptr<Drawing> LoadDxfFile(const std::string& path) { return LoadDxf(ReadWholeFile(path), path); }

void SaveDxfFile(const Drawing& drawing, const std::string& path) {
  // The drawing streams into the file: a save needs no second copy of a large drawing in memory.
  class Sink final : public ByteSink {
   public:
    explicit Sink(const platform::ByteWriter& write) : write_(write) {}
    void Write(std::string_view bytes) override { write_(bytes); }

   private:
    const platform::ByteWriter& write_;
  };
  try {
    platform::WriteFileAtomically(path, [&drawing](const platform::ByteWriter& write) {
      Sink sink(write);
      WriteDxf(drawing, sink);
    });
  } catch (const platform::WriteError& e) {
    throw DxfError("cannot save " + path + ": " + e.Reason() + (e.LeftAsItWas() ? "; the file is left as it was" : ""));
  }
}

}  // namespace zil::drawing
