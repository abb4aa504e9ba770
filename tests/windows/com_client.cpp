#include "com_client.h"

#include <stdexcept>

namespace zil::test {

VARIANT Str(std::u16string_view text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  return v;
}

VARIANT Int(int value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT Bool(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT Dispatch(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = object;
  if (object != nullptr) object->AddRef();
  return v;
}

std::u16string Text(BSTR text) {
  return text == nullptr ? std::u16string()
                         : std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

std::string Utf8(std::u16string_view text) {
  const auto* units = reinterpret_cast<const wchar_t*>(text.data());
  const int size = WideCharToMultiByte(CP_UTF8, 0, units, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, units, static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

Reply::Reply() { VariantInit(&result); }

Reply::~Reply() {
  VariantClear(&result);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
}

std::u16string Reply::description() const { return Text(exception.bstrDescription); }
std::u16string Reply::source() const { return Text(exception.bstrSource); }
std::u16string Reply::text() const { return result.vt == VT_BSTR ? Text(result.bstrVal) : std::u16string(); }

std::unique_ptr<Reply> Call(IDispatch* object, const wchar_t* member, std::vector<VARIANT> args, WORD flags) {
  auto reply = std::make_unique<Reply>();
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR name = const_cast<LPOLESTR>(member);
  reply->hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(reply->hr)) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());  // Invoke takes the last argument first
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
      params.rgdispidNamedArgs = &put;
      params.cNamedArgs = 1;
    }
    reply->hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &reply->result, &reply->exception,
                               &reply->argumentError);
  }
  for (VARIANT& v : args) VariantClear(&v);
  return reply;
}

std::u16string Hebstr(IDispatch* object) {
  const auto reply = Call(object, L"Hebstr", {}, DISPATCH_PROPERTYGET);
  if (FAILED(reply->hr)) throw std::runtime_error("Hebstr failed");
  return reply->text();
}

DataFolder::DataFolder() {
  path_ = std::filesystem::temp_directory_path() /
          (L"zil-com-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()));
  std::filesystem::create_directories(path_);
  SetEnvironmentVariableW(L"ZIL_DATA_FOLDER", path_.c_str());
}

DataFolder::~DataFolder() {
  SetEnvironmentVariableW(L"ZIL_DATA_FOLDER", nullptr);
  std::error_code ignored;  // a folder left behind in the temporary folder harms nothing
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace zil::test
