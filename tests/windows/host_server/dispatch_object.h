// The COM side of the test host: an object served through IDispatch by member name, as AutoCAD serves
// its objects, from a table of members. Names compare without regard to case; a property is read with
// DISPATCH_PROPERTYGET or DISPATCH_METHOD and written with DISPATCH_PROPERTYPUT(REF). Arguments follow
// AutoCAD's conventions (autocad/owned_variant.h). A member that throws ends with DISP_E_EXCEPTION and
// the exception's message in EXCEPINFO (source "zil stand-in host"); a wrong number of arguments is
// DISP_E_BADPARAMCOUNT.
#pragma once

#include <oaidl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acad/error.h"
#include "autocad/owned_variant.h"

namespace zil::testhost {

// The arguments of one call, in parameter order.
class CallArgs {
 public:
  CallArgs(const DISPPARAMS& params, const char* member);
  std::size_t Count() const noexcept { return count_; }
  bool Missing(std::size_t i) const;
  const VARIANT& At(std::size_t i) const;
  // The VARIANT an out-parameter points to.
  VARIANT& Out(std::size_t i) const;

  std::u16string String(std::size_t i) const { return autocad::AsString(At(i), member_); }
  int Int(std::size_t i) const { return autocad::AsInt(At(i), member_); }
  double Double(std::size_t i) const { return autocad::AsDouble(At(i), member_); }
  bool Bool(std::size_t i) const { return autocad::AsBool(At(i), member_); }
  acad::Point Point(std::size_t i) const { return autocad::AsPoint(At(i), member_); }
  acad::Value Value(std::size_t i) const { return autocad::AsValue(At(i), member_); }
  std::vector<std::int16_t> Shorts(std::size_t i) const;
  std::vector<acad::Value> Values(std::size_t i) const;
  // The test host's own object given back to it.
  class DispatchObject& Object(std::size_t i) const;

 private:
  const DISPPARAMS& params_;
  std::size_t count_;
  const char* member_;
};

using Getter = std::function<autocad::OwnedVariant(const CallArgs&)>;
using Setter = std::function<void(const CallArgs&)>;

struct Member {
  const char* name;
  std::size_t minArgs;
  std::size_t maxArgs;
  Getter get;  // a method or a property read
  Setter put;  // a property write (the value is the last argument); empty when read only
};

class DispatchObject : public IDispatch {
 public:
  explicit DispatchObject(std::vector<Member> members);
  virtual ~DispatchObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override;

  // Objects alive in this module, for DllCanUnloadNow.
  static long Alive() noexcept { return alive_; }

 private:
  std::vector<Member> members_;
  std::atomic<ULONG> references_{1};
  static std::atomic<long> alive_;
};

// An object of the surface served through IDispatch, keeping the object it serves.
template <typename T>
class Served final : public DispatchObject {
 public:
  Served(std::shared_ptr<T> served, std::vector<Member> members)
      : DispatchObject(std::move(members)), subject(std::move(served)) {}
  const std::shared_ptr<T> subject;
};

// The object served behind an argument; acad::Error when it is not one of this host's objects of type T.
template <typename T>
std::shared_ptr<T> SubjectOf(const CallArgs& args, std::size_t i) {
  auto* served = dynamic_cast<Served<T>*>(&args.Object(i));
  if (served == nullptr) throw acad::Error("The object given is not of the kind the member takes");
  return served->subject;
}

// A new object as a result: the VARIANT takes the one reference the object was made with.
autocad::OwnedVariant Result(DispatchObject* object);

}  // namespace zil::testhost
