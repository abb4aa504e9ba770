// A file's bytes, read whole: POSIX, or the Windows API in the Windows build. A file that grows while it
// is read is read to its end.
#pragma once

#include <string>

namespace zil::drawing {

// Throws DxfError naming the file and the reason when it cannot be opened or read, or is a folder.
std::string ReadWholeFile(const std::string& path);

}  // namespace zil::drawing
