// Reading a word list or affix file whole, with an error that names the file.
#pragma once

#include <filesystem>
#include <string>

namespace zil::config {

// The bytes of `file`. Throws std::runtime_error ("cannot read FILE: reason") when it cannot be read.
std::string ReadWordFile(const std::filesystem::path& file);

}  // namespace zil::config
