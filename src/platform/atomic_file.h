// Writing a file so that it is either wholly the old one or wholly the new one: the bytes go to a
// temporary file in the same folder, are flushed to the disk, and the temporary file then replaces the
// target by a rename. On failure the target is left as it was and the temporary file is removed.
#pragma once

#include <filesystem>
#include <string_view>

namespace zil::platform {

// Throws std::runtime_error saying what failed (the system's reason).
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace zil::platform
