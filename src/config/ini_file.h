// Windows INI files with the rules of the platform's profile strings, read and written by us.
//
// Section and key names match without regard to case; the first of several equal sections, and the first
// of several equal keys in it, wins. Values are trimmed, and quotes around a whole value are dropped.
// Integers are decimal, or hexadecimal after "$" or "0x"; a value that is not a number gives the default.
// Booleans read any non-zero integer as true and are written "1" / "0".
//
// The file is kept as its lines (Windows-1255 bytes, the line ending of the file); changes edit lines in
// memory and Save() writes the whole file atomically (temporary file, then rename), so lines and sections
// a change does not touch survive it unchanged. Input is untrusted: any bytes load.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zil::config {

// A failed write: "Unable to write to <path>", with the reason after it.
class IniWriteError : public std::runtime_error {
 public:
  IniWriteError(const std::filesystem::path& path, const std::string& reason);
  const std::filesystem::path& path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
};

class IniFile {
 public:
  // Reads the file; a missing file is an empty one. Throws std::runtime_error when it exists but cannot
  // be read.
  explicit IniFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }

  std::optional<std::u16string> ReadString(std::u16string_view section, std::u16string_view key) const;
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view def) const;
  std::int32_t ReadInteger(std::u16string_view section, std::u16string_view key, std::int32_t def) const;
  bool ReadBool(std::u16string_view section, std::u16string_view key, bool def) const;
  // The key names of a section, in file order (lines without "=" and ";" comments are not keys).
  std::vector<std::u16string> ReadSection(std::u16string_view section) const;
  bool SectionExists(std::u16string_view section) const;

  // Replaces the value of the first equal key, or adds the key at the end of its section, or the section
  // at the end of the file.
  void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void WriteInteger(std::u16string_view section, std::u16string_view key, std::int32_t value);
  void WriteBool(std::u16string_view section, std::u16string_view key, bool value);
  // Removes the first equal section with all its lines.
  void EraseSection(std::u16string_view section);

  // Writes the file atomically. Throws IniWriteError.
  void Save() const;

  // The integer a profile value stands for, if it is one.
  static std::optional<std::int32_t> ParseInteger(std::u16string_view text);

 private:
  struct SectionSpan {
    std::size_t header;  // index of the "[name]" line
    std::size_t end;     // one past the last line of the section
  };
  std::optional<SectionSpan> FindSection(std::u16string_view section) const;
  std::optional<std::size_t> FindKey(const SectionSpan& span, std::u16string_view key) const;

  std::filesystem::path path_;
  std::vector<std::string> lines_;  // without line endings
  std::string eol_ = "\r\n";
  bool finalEol_ = true;  // the file ends with a line ending
};

}  // namespace zil::config
