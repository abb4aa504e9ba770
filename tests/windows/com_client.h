// A late-bound client of the registered zil.autozil, as AutoCAD's command layer is one: the object is
// created by its ProgID and every member is called by name through IDispatch::Invoke.
#pragma once

// The add-in's headers come before the platform's: the platform defines its result codes as macros.
// clang-format off
#include "automation/member_table.h"
#include "automation/com/zil.h"
// clang-format on

#include <oleauto.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zil::test {

// VARIANT arguments; the caller's vector owns them and clears them.
VARIANT Str(std::u16string_view text);
VARIANT Int(int value);
VARIANT Bool(bool value);
VARIANT Dispatch(IDispatch* object);

// The outcome of one Invoke.
struct Reply {
  Reply();
  ~Reply();
  Reply(const Reply&) = delete;
  Reply& operator=(const Reply&) = delete;

  // The member's own result code: EXCEPINFO's for DISP_E_EXCEPTION, else Invoke's.
  HRESULT code() const { return hr == DISP_E_EXCEPTION ? exception.scode : hr; }
  std::u16string description() const;
  std::u16string source() const;
  std::u16string text() const;  // a string result

  HRESULT hr = S_OK;
  VARIANT result;
  EXCEPINFO exception{};
  UINT argumentError = ~0u;
};

std::u16string Text(BSTR text);
std::string Utf8(std::u16string_view text);
inline std::string Narrow(std::wstring_view s) { return std::string(s.begin(), s.end()); }  // ASCII names

// Calls `member` by name with `args` in parameter order; `flags` DISPATCH_METHOD, DISPATCH_PROPERTYGET or
// DISPATCH_PROPERTYPUT.
std::unique_ptr<Reply> Call(IDispatch* object, const wchar_t* member, std::vector<VARIANT> args,
                            WORD flags = DISPATCH_METHOD);

// ResultString, through the property Hebstr.
std::u16string Hebstr(IDispatch* object);

// A data folder of its own for the add-in of this test process (ZIL_DATA_FOLDER), removed at the end.
class DataFolder {
 public:
  DataFolder();
  ~DataFolder();
  DataFolder(const DataFolder&) = delete;
  DataFolder& operator=(const DataFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zil::test
