#include "drawing/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "drawing/dxf_error.h"

namespace zil::drawing {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what, int error) {
  throw DxfError("cannot save " + path + ": " + what + " (" + std::strerror(error) + "); the file is left as it was");
}

// The process's umask, read without changing it.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
  }
  return 022;
}

class FileSink final : public ByteSink {
 public:
  FileSink(int fd, const std::string& path) : fd_(fd), path_(path) { buffer_.reserve(kBufferSize); }

  void Write(std::string_view bytes) override {
    if (buffer_.size() + bytes.size() > kBufferSize) Flush();
    if (bytes.size() >= kBufferSize) {
      WriteAll(bytes);
    } else {
      buffer_.append(bytes);
    }
  }

  void Flush() {
    WriteAll(buffer_);
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kBufferSize = 1 << 20;

  void WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail(path_, "writing failed", errno);
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
  }

  int fd_;
  const std::string& path_;
  std::string buffer_;
};

}  // namespace

void ReplaceFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write) {
  std::string target = path;
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists) {
    if (S_ISDIR(existing.st_mode)) Fail(path, "it is a folder", EISDIR);
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) target = resolved;
  }
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "/." + name + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) Fail(path, "cannot create a temporary file in " + folder, errno);

  bool open = true;
  try {
    FileSink sink(fd, path);
    write(sink);
    sink.Flush();
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (::fchmod(fd, mode) != 0) Fail(path, "cannot set the permissions", errno);
    if (::fsync(fd) != 0) Fail(path, "flushing to the disk failed", errno);
    open = false;
    if (::close(fd) != 0) Fail(path, "closing the temporary file failed", errno);
  } catch (...) {
    if (open) ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    Fail(path, "cannot put the new file in place", error);
  }
  // The rename is on the disk once the folder is; a folder that cannot be synced (some file systems
  // refuse) does not make the saved file any less whole, so that failure is not reported.
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
}

}  // namespace zil::drawing
