// Writing a file the user named, the one rule every writer of the add-in follows (drawings, previews,
// settings, font tables, reports):
// - a regular file, or a name that does not exist yet, is replaced whole or not at all: the bytes go to a
//   temporary file in the same folder, are flushed to the disk, and the temporary file is renamed over
//   the target; an existing file keeps its permissions, a new one gets 0666 less the umask;
// - a symbolic link is followed (through any chain of links, also to a file that does not exist yet) and
//   the file it points to is replaced that way: the link stays a link;
// - a character device or a pipe (a terminal, /dev/stdout, /dev/null, a FIFO) cannot be replaced, so it is
//   written in place, as a shell's redirection writes it;
// - a regular file the user may not write (read-only) is refused, though its folder would let it be
//   replaced;
// - a folder, a block device (a disk) or a socket is refused.
// A failure throws WriteError naming the target and the system's reason. A file that was to be replaced
// is then left as it was and the temporary file is removed; a device or pipe may have received part of
// the bytes.
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zil::platform {

class WriteError : public std::runtime_error {
 public:
  WriteError(const std::filesystem::path& target, const std::string& reason, bool leftAsItWas);
  const std::filesystem::path& Target() const noexcept { return target_; }
  // Why, without the target's name: "the folder /x does not exist", "No space left on device".
  const std::string& Reason() const noexcept { return reason_; }
  // The target is as it was before the write began.
  bool LeftAsItWas() const noexcept { return leftAsItWas_; }

 private:
  std::filesystem::path target_;
  std::string reason_;
  bool leftAsItWas_;
};

// Receives the bytes of the file, in order, in pieces of any size.
using ByteWriter = std::function<void(std::string_view bytes)>;

// Calls `produce` with a writer into the file and puts the file in place. An exception from `produce`
// leaves the target as a failed write does and propagates unchanged.
void WriteFileAtomically(const std::filesystem::path& target, const std::function<void(const ByteWriter&)>& produce);
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Checks, without writing anything, that `target` can be written as WriteFileAtomically writes it: the
// same refusals, a folder that exists and can be written, a device or pipe that can be opened for writing.
// Throws WriteError.
void CheckWritable(const std::filesystem::path& target);

}  // namespace zil::platform
