#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zil::platform {
namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  std::random_device random;
  const auto tag = std::to_string(random()) + std::to_string(random());
  // Built from the native name, so that a name in any script survives on Windows too.
  std::filesystem::path name(".");
  name += target.filename().native();
  name += "." + tag + ".tmp";
  return target.parent_path() / name;
}

// fopen takes the ANSI code page on Windows; _wfopen takes any name.
std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

void RemoveQuietly(const std::filesystem::path& path) {
  std::error_code ignored;  // the temporary file is ours; failing to remove it changes nothing for the caller
  std::filesystem::remove(path, ignored);
}

[[noreturn]] void Fail(const std::string& what, int error) {
  throw std::runtime_error(what + ": " + std::strerror(error));
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  const std::filesystem::path temporary = TemporaryBeside(target);
  std::FILE* file = OpenForWriting(temporary);
  if (file == nullptr) Fail("cannot create " + temporary.string(), errno);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
  int error = written ? 0 : errno;
#ifdef _WIN32
  if (written && _commit(_fileno(file)) != 0) written = false, error = errno;
#else
  if (written && fsync(fileno(file)) != 0) written = false, error = errno;
#endif
  if (std::fclose(file) != 0 && written) written = false, error = errno;
  if (!written) {
    RemoveQuietly(temporary);
    Fail("cannot write " + temporary.string(), error);
  }
  std::error_code ec;
  const auto existing = std::filesystem::status(target, ec);
  if (!ec && std::filesystem::exists(existing))
    std::filesystem::permissions(temporary, existing.permissions(), ec);  // keep the file's mode
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    RemoveQuietly(temporary);
    throw std::runtime_error("cannot replace " + target.string() + ": " + ec.message());
  }
}

}  // namespace zil::platform
