// ReplaceFileAtomically on Windows: the temporary file is made beside the target, flushed to the disk
// (FlushFileBuffers) and moved over the target with MoveFileExW (replacing it, written through). A new
// file gets the folder's default security, an existing one is replaced by a file with the same.
#include <windows.h>

#include <filesystem>
#include <string>

#include "drawing/atomic_file.h"
#include "drawing/dxf_error.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string message(reinterpret_cast<const char16_t*>(text), length);
  LocalFree(text);
  while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u'.'))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : textcore::ToUtf8(message);
}

[[noreturn]] void Fail(const std::string& path, const std::string& what, DWORD error) {
  throw DxfError("cannot save " + path + ": " + what + " (" + SystemMessage(error) + "); the file is left as it was");
}

class FileSink final : public ByteSink {
 public:
  FileSink(HANDLE file, const std::string& path) : file_(file), path_(path) { buffer_.reserve(kBufferSize); }

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
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr)) Fail(path_, "writing failed", GetLastError());
      bytes.remove_prefix(written);
    }
  }

  HANDLE file_;
  const std::string& path_;
  std::string buffer_;
};

}  // namespace

void ReplaceFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write) {
  const std::filesystem::path target = std::filesystem::absolute(std::filesystem::path(path));
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    Fail(path, "it is a folder", ERROR_DIRECTORY);

  std::filesystem::path temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary =
        target.parent_path() / (L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(attempt) + L".tmp");
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && (GetLastError() != ERROR_FILE_EXISTS || attempt > 1000))
      Fail(path, "cannot create a temporary file in " + target.parent_path().string(), GetLastError());
  }

  bool open = true;
  try {
    FileSink sink(file, path);
    write(sink);
    sink.Flush();
    if (!FlushFileBuffers(file)) Fail(path, "flushing to the disk failed", GetLastError());
    open = false;
    if (!CloseHandle(file)) Fail(path, "closing the temporary file failed", GetLastError());
  } catch (...) {
    if (open) CloseHandle(file);
    DeleteFileW(temporary.c_str());
    throw;
  }
  if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    Fail(path, "cannot put the new file in place", error);
  }
}

}  // namespace zil::drawing
