#include "autocad/late_binding.h"

#include <oleauto.h>

#include <cstdio>
#include <vector>

#include "acad/error.h"
#include "textcore/utf8.h"

namespace zil::autocad {
namespace {

std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

std::u16string Text(BSTR b) {
  return b == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(b), SysStringLen(b));
}

// The system's words for a result code, without the final full stop and line end.
std::string SystemMessage(HRESULT hr) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string message(reinterpret_cast<const char16_t*>(text), length);
  LocalFree(text);
  while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u'.'))
    message.pop_back();
  return textcore::ToUtf8(message);
}

// The failure of one Invoke as acad::Error: AutoCAD's description when it gave one.
[[noreturn]] void ThrowFailure(const std::string& member, HRESULT hr, EXCEPINFO& exception) {
  if (hr == DISP_E_EXCEPTION && exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  const std::u16string description = Text(exception.bstrDescription);
  const HRESULT code = hr == DISP_E_EXCEPTION && exception.scode != 0 ? exception.scode : hr;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  if (!description.empty()) throw acad::Error(textcore::ToUtf8(description));
  const std::string reason = SystemMessage(code);
  throw acad::Error(member + " failed" + (reason.empty() ? "" : ": " + reason) + " (" + Hex(code) + ")");
}

}  // namespace

DISPID Session::IdOf(IDispatch* object, const std::u16string& kind, const char* member) {
  const auto key = std::make_pair(kind, std::string(member));
  auto found = ids_.find(key);
  if (found == ids_.end()) {
    ++lookups_;
    found = ids_.emplace(key, LookUp(object, kind, member)).first;
  }
  if (found->second == DISPID_UNKNOWN)
    throw acad::Error("The object " + textcore::ToUtf8(kind) + " does not support the member " + member);
  return found->second;
}

DISPID Session::LookUp(IDispatch* object, const std::u16string& kind, const char* member) {
  std::wstring name(member, member + std::char_traits<char>::length(member));  // member names are ASCII
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(hr)) return id;
  if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) return DISPID_UNKNOWN;
  throw acad::Error("Looking up the member " + std::string(member) + " of " + textcore::ToUtf8(kind) +
                    " failed: " + SystemMessage(hr) + " (" + Hex(hr) + ")");
}

LateBound::LateBound(std::shared_ptr<Session> session, IDispatch* object, std::u16string kind)
    : session_(std::move(session)), object_(object), kind_(std::move(kind)) {}

LateBound::~LateBound() {
  if (object_ != nullptr && !session_->Abandoned()) object_->Release();
}

std::string LateBound::Describe(const char* member) const { return textcore::ToUtf8(kind_) + "." + member; }

OwnedVariant LateBound::Invoke(const char* member, WORD flags, Args& args) const {
  const DISPID id = session_->IdOf(object_, kind_, member);
  std::vector<VARIANT> reversed;  // Invoke takes the last argument first; `args` keeps owning them
  reversed.reserve(args.size());
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->get());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  OwnedVariant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  const HRESULT hr =
      object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                      flags == DISPATCH_PROPERTYPUT ? nullptr : result.out(), &exception, &argumentError);
  if (FAILED(hr)) ThrowFailure(Describe(member), hr, exception);
  return result;
}

OwnedVariant LateBound::Get(const char* member) const {
  Args none;
  return Invoke(member, DISPATCH_PROPERTYGET, none);
}

OwnedVariant LateBound::Call(const char* member, Args args) const { return Invoke(member, DISPATCH_METHOD, args); }

void LateBound::Put(const char* member, OwnedVariant value) const {
  Args args;
  args.push_back(std::move(value));
  Invoke(member, DISPATCH_PROPERTYPUT, args);
}

std::u16string LateBound::GetString(const char* member) const { return AsString(Get(member).get(), Describe(member)); }
std::int32_t LateBound::GetInt(const char* member) const { return AsInt(Get(member).get(), Describe(member)); }
double LateBound::GetDouble(const char* member) const { return AsDouble(Get(member).get(), Describe(member)); }
bool LateBound::GetBool(const char* member) const { return AsBool(Get(member).get(), Describe(member)); }
acad::Point LateBound::GetPoint(const char* member) const { return AsPoint(Get(member).get(), Describe(member)); }
IDispatch* LateBound::GetObject(const char* member) const { return AsObject(Get(member).get(), Describe(member)); }

IDispatch* LateBound::CallForObject(const char* member, Args args) const {
  return AsObject(Call(member, std::move(args)).get(), Describe(member));
}

}  // namespace zil::autocad
