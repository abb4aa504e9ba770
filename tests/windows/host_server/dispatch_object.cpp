#include "dispatch_object.h"

#include <oleauto.h>

#include <cwctype>
#include <exception>
#include <new>

#include "acad/error.h"
#include "textcore/utf8.h"

namespace zil::testhost {
namespace {

constexpr wchar_t kSource[] = L"zil stand-in host";

bool SameName(const char* a, const wchar_t* b) {
  for (; *a != '\0' && *b != L'\0'; ++a, ++b)
    if (std::towlower(static_cast<wint_t>(static_cast<unsigned char>(*a))) != std::towlower(static_cast<wint_t>(*b)))
      return false;
  return *a == '\0' && *b == L'\0';
}

HRESULT Fail(EXCEPINFO* exception, const std::string& message) {
  if (exception != nullptr) {
    *exception = EXCEPINFO{};
    exception->scode = E_FAIL;
    exception->bstrSource = SysAllocString(kSource);
    const std::u16string text = textcore::FromUtf8(message);
    exception->bstrDescription =
        SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  }
  return DISP_E_EXCEPTION;
}

}  // namespace

std::atomic<long> DispatchObject::alive_{0};

CallArgs::CallArgs(const DISPPARAMS& params, const char* member)
    : params_(params), count_(params.cArgs - params.cNamedArgs), member_(member) {}

const VARIANT& CallArgs::At(std::size_t i) const {
  if (i >= params_.cArgs) throw acad::Error(std::string(member_) + ": an argument is missing");
  const VARIANT& v = params_.rgvarg[params_.cArgs - 1 - i];  // the last argument comes first
  return v.vt == (VT_BYREF | VT_VARIANT) ? *v.pvarVal : v;
}

bool CallArgs::Missing(std::size_t i) const {
  if (i >= count_) return true;
  const VARIANT& v = At(i);
  return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND;
}

VARIANT& CallArgs::Out(std::size_t i) const {
  VARIANT& v = params_.rgvarg[params_.cArgs - 1 - i];
  if (v.vt != (VT_BYREF | VT_VARIANT))
    throw acad::Error(std::string(member_) + ": an out-parameter must be a VARIANT*");
  return *v.pvarVal;
}

std::vector<std::int16_t> CallArgs::Shorts(std::size_t i) const {
  const VARIANT& v = At(i);
  if (v.vt != (VT_ARRAY | VT_I2))
    throw acad::Error(std::string(member_) + ": the filter types must be 16-bit integers");
  std::vector<std::int16_t> values;
  for (const acad::Value& value : Values(i)) values.push_back(static_cast<std::int16_t>(std::get<std::int32_t>(value)));
  return values;
}

std::vector<acad::Value> CallArgs::Values(std::size_t i) const {
  const VARIANT& v = At(i);
  if (!(v.vt & VT_ARRAY) || v.parray == nullptr) throw acad::Error(std::string(member_) + ": an array was expected");
  LONG low = 0, high = -1;
  SafeArrayGetLBound(v.parray, 1, &low);
  SafeArrayGetUBound(v.parray, 1, &high);
  std::vector<acad::Value> values;
  for (LONG k = low; k <= high; ++k) {
    autocad::OwnedVariant element;
    if ((v.vt & ~VT_ARRAY) == VT_VARIANT) {
      SafeArrayGetElement(v.parray, &k, element.out());
    } else {
      VARIANT& e = element.get();
      e.vt = static_cast<VARTYPE>(v.vt & ~VT_ARRAY);
      SafeArrayGetElement(v.parray, &k,
                          e.vt == VT_BSTR ? static_cast<void*>(&e.bstrVal) : static_cast<void*>(&e.llVal));
    }
    values.push_back(autocad::AsValue(element.get(), member_));
  }
  return values;
}

DispatchObject& CallArgs::Object(std::size_t i) const {
  const VARIANT& v = At(i);
  auto* object = v.vt == VT_DISPATCH ? dynamic_cast<DispatchObject*>(v.pdispVal) : nullptr;
  if (object == nullptr) throw acad::Error(std::string(member_) + ": the object given is not one of this host's");
  return *object;
}

DispatchObject::DispatchObject(std::vector<Member> members) : members_(std::move(members)) { ++alive_; }

HRESULT STDMETHODCALLTYPE DispatchObject::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IDispatch) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE DispatchObject::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE DispatchObject::Release() {
  const ULONG left = --references_;
  if (left == 0) {
    delete this;
    --alive_;
  }
  return left;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;  // served by name only, as late binding needs
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0 || names == nullptr || ids == nullptr) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (std::size_t m = 0; m < members_.size(); ++m) {
    if (SameName(members_[m].name, names[0])) {
      ids[0] = static_cast<DISPID>(m + 1);
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // members take no named arguments
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                                 VARIANT* result, EXCEPINFO* exception, UINT*) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (id < 1 || static_cast<std::size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
  const Member& member = members_[static_cast<std::size_t>(id - 1)];
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  const DISPPARAMS& given = params != nullptr ? *params : none;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  if (put && !member.put) return DISP_E_MEMBERNOTFOUND;
  if (!put && !member.get) return DISP_E_MEMBERNOTFOUND;
  const CallArgs args(given, member.name);
  const std::size_t count = args.Count();
  if (put ? given.cArgs != 1 : (count < member.minArgs || count > member.maxArgs)) return DISP_E_BADPARAMCOUNT;
  try {
    if (put) {
      member.put(args);
    } else {
      autocad::OwnedVariant value = member.get(args);
      if (result != nullptr) *result = value.Detach();
    }
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    return Fail(exception, e.what());
  }
}

autocad::OwnedVariant Result(DispatchObject* object) {
  autocad::OwnedVariant v;
  v.get().vt = VT_DISPATCH;
  v.get().pdispVal = object;
  return v;
}

}  // namespace zil::testhost
