// A late-bound client of COM objects as a script host is one: objects made by ProgID, members called by
// name with string arguments, object results kept. Failures throw std::runtime_error with the member and
// its description.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "com_client.h"

namespace zil::test {

class LateObject {
 public:
  LateObject() = default;
  explicit LateObject(IDispatch* object);  // takes a reference of its own
  static LateObject Create(const wchar_t* progId);
  ~LateObject();
  LateObject(const LateObject& other) : LateObject(other.object_) {}
  LateObject& operator=(LateObject&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  IDispatch* get() const { return object_; }
  // The member's result; throws when it fails.
  std::unique_ptr<Reply> Call(const wchar_t* member, std::vector<VARIANT> args = {},
                              WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET) const;
  LateObject Object(const wchar_t* member, std::vector<VARIANT> args = {}) const;
  std::u16string String(const wchar_t* member, std::vector<VARIANT> args = {}) const;

 private:
  IDispatch* object_ = nullptr;
};

// A file's Windows name under Wine: drive Z: is the root folder.
std::wstring WindowsPath(const std::string& unixPath);
std::string ReadBytes(const std::filesystem::path& file);
// The strings of an array of strings (or of VARIANTs holding strings).
std::vector<std::u16string> Strings(const VARIANT& array);

}  // namespace zil::test
