#include "late_client.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zil::test {

LateObject::LateObject(IDispatch* object) : object_(object) {
  if (object_ != nullptr) object_->AddRef();
}

LateObject LateObject::Create(const wchar_t* progId) {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(progId, &clsid))) throw std::runtime_error("not registered: " + Narrow(progId));
  IDispatch* object = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object))))
    throw std::runtime_error("cannot create " + Narrow(progId));
  LateObject made(object);
  object->Release();
  return made;
}

LateObject::~LateObject() {
  if (object_ != nullptr) object_->Release();
}

std::unique_ptr<Reply> LateObject::Call(const wchar_t* member, std::vector<VARIANT> args, WORD flags) const {
  auto reply = test::Call(object_, member, std::move(args), flags);
  if (FAILED(reply->hr))
    throw std::runtime_error(Narrow(member) + " failed: " + Utf8(reply->description()) + " (" +
                             std::to_string(reply->code()) + ")");
  return reply;
}

LateObject LateObject::Object(const wchar_t* member, std::vector<VARIANT> args) const {
  const auto reply = Call(member, std::move(args));
  if (reply->result.vt != VT_DISPATCH) throw std::runtime_error(Narrow(member) + " gave no object");
  return LateObject(reply->result.pdispVal);
}

std::u16string LateObject::String(const wchar_t* member, std::vector<VARIANT> args) const {
  return Call(member, std::move(args))->text();
}

std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::u16string> Strings(const VARIANT& array) {
  std::vector<std::u16string> strings;
  if (!(array.vt & VT_ARRAY) || array.parray == nullptr) return strings;
  LONG low = 0, high = -1;
  SafeArrayGetLBound(array.parray, 1, &low);
  SafeArrayGetUBound(array.parray, 1, &high);
  for (LONG i = low; i <= high; ++i) {
    VARIANT element;
    VariantInit(&element);
    if ((array.vt & ~VT_ARRAY) == VT_VARIANT) {
      SafeArrayGetElement(array.parray, &i, &element);
    } else {
      element.vt = VT_BSTR;
      SafeArrayGetElement(array.parray, &i, &element.bstrVal);
    }
    strings.push_back(element.vt == VT_BSTR ? Text(element.bstrVal) : std::u16string());
    VariantClear(&element);
  }
  return strings;
}

}  // namespace zil::test
