#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zil::platform {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBufferSize = 1 << 20;

std::string SystemReason(int error) { return std::strerror(error); }

fs::path FolderOf(const fs::path& file) {
  fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// How the target is written.
struct Destination {
  bool replace = true;  // replaced through a temporary file; else written in place
  fs::path file;        // replace: the file to replace (links followed); in place: the target
  bool exists = false;  // replace: the file exists, and keeps `mode`
  fs::perms mode = fs::perms::none;
  bool truncate = false;  // in place: a regular file that cannot be reached by name
};

// The temporary file's name beside `file`: hidden, and unlikely to be anyone else's.
fs::path TemporaryBeside(const fs::path& file, std::random_device& random) {
  // Built from the native name, so that a name in any script survives on Windows too.
  fs::path name(".");
  name += file.filename().native();
  name += "." + std::to_string(random()) + std::to_string(random()) + ".tmp";
  return FolderOf(file) / name;
}

#ifdef _WIN32

Destination Resolve(const fs::path& target) {
  if (target.empty()) throw WriteError(target, "no file name was given", true);
  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  if (!ec && fs::exists(status)) {
    if (fs::is_directory(status)) throw WriteError(target, "it is a folder", true);
    if (!fs::is_regular_file(status)) return {false, target};  // a device such as NUL, or a named pipe
    fs::path file = target;
    if (fs::is_symlink(fs::symlink_status(target, ec))) file = fs::canonical(target, ec);
    if (ec) file = target;
    return {true, file, true, status.permissions()};
  }
  const fs::path folder = FolderOf(target);
  if (!fs::is_directory(folder, ec))
    throw WriteError(target, "the folder " + folder.string() + " does not exist", true);
  return {true, target};
}

// A file open for writing, with a buffer in front of it (the C library's).
class OutFile {
 public:
  OutFile(std::FILE* file, const fs::path& target, bool leftAsItWas)
      : file_(file), target_(target), leftAsItWas_(leftAsItWas) {
    std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
  }
  ~OutFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;

  void Write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail("writing failed");
  }
  // Flushes (to the disk too when `sync`) and closes.
  void Finish(bool sync) {
    if (std::fflush(file_) != 0) Fail("writing failed");
    if (sync && _commit(_fileno(file_)) != 0) Fail("flushing to the disk failed");
    std::FILE* file = std::exchange(file_, nullptr);
    if (std::fclose(file) != 0) Fail("closing the file failed");
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw WriteError(target_, what + ": " + SystemReason(errno), leftAsItWas_);
  }
  std::FILE* file_;
  const fs::path& target_;
  bool leftAsItWas_;
};

std::FILE* CreateTemporary(const fs::path& file, fs::path& temporary) {
  std::random_device random;
  temporary = TemporaryBeside(file, random);
  return _wfopen(temporary.c_str(), L"wb");  // _wfopen takes a name in any script; fopen only the ANSI page
}

std::FILE* OpenInPlace(const fs::path& file, bool) { return _wfopen(file.c_str(), L"wb"); }

void PutInPlace(const fs::path& temporary, const Destination& d, const fs::path& target) {
  std::error_code ec;
  if (d.exists) fs::permissions(temporary, d.mode, ec);
  // Replacing the target, and written through to the disk before the call returns.
  if (!MoveFileExW(temporary.c_str(), d.file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const std::error_code error(static_cast<int>(GetLastError()), std::system_category());
    throw WriteError(target, "cannot put the new file in place: " + error.message(), true);
  }
}

bool CanWrite(const fs::path&) { return true; }

bool Valid(const std::FILE* file) { return file != nullptr; }

#else

// The name a chain of symbolic links ends at: `target` itself when it is no link.
fs::path FollowLinks(const fs::path& target) {
  fs::path name = target;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return name;
    std::error_code ec;
    const fs::path link = fs::read_symlink(name, ec);
    if (ec) return name;
    name = link.is_absolute() ? link : name.parent_path() / link;
  }
  throw WriteError(target, "too many levels of symbolic links", true);
}

Destination Resolve(const fs::path& target) {
  if (target.empty()) throw WriteError(target, "no file name was given", true);
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (S_ISREG(info.st_mode)) {
      const fs::path file = FollowLinks(target);
      struct stat reached {};
      // A link the kernel makes for an open file (/proc/self/fd/N) whose file has no name any more.
      if (::stat(file.c_str(), &reached) != 0 || reached.st_dev != info.st_dev || reached.st_ino != info.st_ino)
        return {false, target, false, fs::perms::none, true};
      // Renaming over a file needs only the folder's permission; a file its owner made read-only is still
      // not written over.
      if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EROFS))
        throw WriteError(target, "it is read-only", true);
      return {true, file, true, static_cast<fs::perms>(info.st_mode & 07777)};
    }
    if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) return {false, target};
    if (S_ISDIR(info.st_mode)) throw WriteError(target, "it is a folder", true);
    if (S_ISBLK(info.st_mode))
      throw WriteError(target, "it is a block device (a disk), which is not written over", true);
    throw WriteError(target, "it is a socket, not a file", true);
  }
  const int error = errno;
  if (error != ENOENT && error != ENOTDIR) throw WriteError(target, SystemReason(error), true);
  const fs::path file = FollowLinks(target);
  const fs::path folder = FolderOf(file);
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0) {
    const int folderError = errno;
    throw WriteError(target,
                     folderError == ENOENT ? "the folder " + folder.string() + " does not exist"
                                           : "the folder " + folder.string() + ": " + SystemReason(folderError),
                     true);
  }
  if (!S_ISDIR(folderInfo.st_mode)) throw WriteError(target, folder.string() + " is not a folder", true);
  return {true, file};
}

// A file open for writing, with a buffer in front of it.
class OutFile {
 public:
  OutFile(int fd, const fs::path& target, bool leftAsItWas) : fd_(fd), target_(target), leftAsItWas_(leftAsItWas) {
    buffer_.reserve(kBufferSize);
  }
  ~OutFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;

  void Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) Flush();
    if (bytes.size() >= kBufferSize) {
      WriteAll(bytes);
    } else {
      buffer_.append(bytes);
    }
  }
  void Finish(bool sync) {
    Flush();
    if (sync && ::fsync(fd_) != 0) Fail("flushing to the disk failed");
    if (::close(std::exchange(fd_, -1)) != 0) Fail("closing the file failed");
  }

 private:
  void Flush() {
    WriteAll(buffer_);
    buffer_.clear();
  }
  void WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail("writing failed");
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
  }
  [[noreturn]] void Fail(const std::string& what) {
    throw WriteError(target_, what + ": " + SystemReason(errno), leftAsItWas_);
  }

  int fd_;
  const fs::path& target_;
  bool leftAsItWas_;
  std::string buffer_;
};

// Made with 0666, so that the umask decides a new file's permissions as it does for any new file.
int CreateTemporary(const fs::path& file, fs::path& temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryBeside(file, random);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

int OpenInPlace(const fs::path& file, bool truncate) {
  return ::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (truncate ? O_TRUNC : 0));
}

void PutInPlace(const fs::path& temporary, const Destination& d, const fs::path& target) {
  if (d.exists && ::chmod(temporary.c_str(), static_cast<mode_t>(d.mode)) != 0)
    throw WriteError(target, "cannot give the new file the old one's permissions: " + SystemReason(errno), true);
  if (::rename(temporary.c_str(), d.file.c_str()) != 0)
    throw WriteError(target, "cannot put the new file in place: " + SystemReason(errno), true);
  // The rename is on the disk once the folder is; a folder that cannot be synced (some file systems
  // refuse) does not make the file any less whole, so that is not reported.
  const int folder = ::open(FolderOf(d.file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

bool CanWrite(const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; }

bool Valid(int fd) { return fd >= 0; }

#endif

void RemoveQuietly(const fs::path& path) {
  std::error_code ignored;  // the temporary file is ours; failing to remove it changes nothing for the caller
  fs::remove(path, ignored);
}

void Replace(const Destination& d, const fs::path& target, const std::function<void(const ByteWriter&)>& produce) {
  fs::path temporary;
  const auto handle = CreateTemporary(d.file, temporary);
  if (!Valid(handle))
    throw WriteError(
        target, "cannot make a file in the folder " + FolderOf(d.file).string() + ": " + SystemReason(errno), true);
  try {
    OutFile out(handle, target, true);
    produce([&out](std::string_view bytes) { out.Write(bytes); });
    out.Finish(true);
    PutInPlace(temporary, d, target);
  } catch (...) {
    RemoveQuietly(temporary);
    throw;
  }
}

void WriteInPlace(const Destination& d, const fs::path& target, const std::function<void(const ByteWriter&)>& produce) {
  const auto handle = OpenInPlace(d.file, d.truncate);
  if (!Valid(handle)) throw WriteError(target, SystemReason(errno), true);
  OutFile out(handle, target, false);
  produce([&out](std::string_view bytes) { out.Write(bytes); });
  out.Finish(false);
}

}  // namespace

WriteError::WriteError(const fs::path& target, const std::string& reason, bool leftAsItWas)
    : std::runtime_error("cannot write " + target.string() + ": " + reason),
      target_(target),
      reason_(reason),
      leftAsItWas_(leftAsItWas) {}

void WriteFileAtomically(const fs::path& target, const std::function<void(const ByteWriter&)>& produce) {
  const Destination d = Resolve(target);
  if (d.replace) {
    Replace(d, target, produce);
  } else {
    WriteInPlace(d, target, produce);
  }
}

void WriteFileAtomically(const fs::path& target, std::string_view bytes) {
  WriteFileAtomically(target, [bytes](const ByteWriter& write) { write(bytes); });
}

void CheckWritable(const fs::path& target) {
  const Destination d = Resolve(target);
  if (!d.replace) {
    if (!CanWrite(d.file)) throw WriteError(target, SystemReason(errno), true);
    return;
  }
  const fs::path folder = FolderOf(d.file);
  if (!CanWrite(folder))
    throw WriteError(target, "the folder " + folder.string() + " cannot be written: " + SystemReason(errno), true);
}

}  // namespace zil::platform
