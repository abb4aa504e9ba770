#include "config/word_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zil::config {

std::string ReadWordFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string() + ": " + std::strerror(errno));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw std::runtime_error("cannot read " + file.string() + ": " + std::strerror(errno));
  return std::move(content).str();
}

}  // namespace zil::config
