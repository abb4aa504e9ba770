// VARIANTs of the late-bound calls: an owned VARIANT (cleared when it goes), the arguments AutoCAD's
// members take, and the conversions of their results. AutoCAD's conventions:
//   point          a SAFEARRAY of three doubles with bounds 0..2 (a result may hold two, then z is 0)
//   filter types   a SAFEARRAY of 16-bit integers (VT_I2); filter data a SAFEARRAY of VARIANTs
//   integer value  of a system variable or a filter: VT_I2 when it fits 16 bits, as AutoCAD takes them
//   missing        an optional argument left out: VT_ERROR with DISP_E_PARAMNOTFOUND
//   object         VT_DISPATCH; an array of objects is a SAFEARRAY of VT_DISPATCH or of VARIANTs
// A result that cannot become the type asked for throws acad::Error naming `what` (the member).
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "acad/point.h"
#include "acad/value.h"

namespace zil::autocad {

class OwnedVariant {
 public:
  OwnedVariant() noexcept { VariantInit(&v_); }
  ~OwnedVariant() { VariantClear(&v_); }
  OwnedVariant(OwnedVariant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  OwnedVariant& operator=(OwnedVariant&& other) noexcept {
    if (this != &other) {
      VariantClear(&v_);
      v_ = other.v_;
      VariantInit(&other.v_);
    }
    return *this;
  }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;

  const VARIANT& get() const noexcept { return v_; }
  VARIANT& get() noexcept { return v_; }
  // Gives the value up to the caller, who then owns it.
  VARIANT Detach() noexcept {
    VARIANT v = v_;
    VariantInit(&v_);
    return v;
  }
  // Cleared, for a callee to fill.
  VARIANT* out() noexcept {
    VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

using Args = std::vector<OwnedVariant>;

// The arguments of one call, in parameter order.
template <typename... Values>
Args ArgList(Values&&... values) {
  Args args;
  args.reserve(sizeof...(values));
  (args.push_back(std::forward<Values>(values)), ...);
  return args;
}

// Arguments.
OwnedVariant StringArg(std::u16string_view text);
OwnedVariant IntArg(std::int32_t value);
OwnedVariant DoubleArg(double value);
OwnedVariant BoolArg(bool value);
OwnedVariant PointArg(const acad::Point& point);
OwnedVariant ShortArrayArg(const std::vector<std::int16_t>& values);
OwnedVariant ValueArg(const acad::Value& value);
OwnedVariant ValueArrayArg(const std::vector<acad::Value>& values);
OwnedVariant ObjectArg(IDispatch* object);  // adds a reference
OwnedVariant MissingArg();
// A reference to `target` for an out-parameter; `target` must outlive the call.
OwnedVariant OutArg(VARIANT& target);

// Results.
std::u16string AsString(const VARIANT& v, std::string_view what);
std::int32_t AsInt(const VARIANT& v, std::string_view what);
double AsDouble(const VARIANT& v, std::string_view what);
bool AsBool(const VARIANT& v, std::string_view what);
acad::Point AsPoint(const VARIANT& v, std::string_view what);
acad::Value AsValue(const VARIANT& v, std::string_view what);
// A new reference the caller owns.
IDispatch* AsObject(const VARIANT& v, std::string_view what);
// New references the caller owns.
std::vector<IDispatch*> AsObjects(const VARIANT& v, std::string_view what);

}  // namespace zil::autocad
