#include "autocad/owned_variant.h"

#include <oleauto.h>

#include <cstdint>
#include <memory>

#include "acad/error.h"

namespace zil::autocad {
namespace {

[[noreturn]] void Unexpected(const VARIANT& v, std::string_view what, const char* expected) {
  throw acad::Error(std::string(what) + " gave a value of variant type " + std::to_string(v.vt) + " where " + expected +
                    " was expected");
}

// v changed to `type`, or nothing when it cannot be; numbers and strings convert as automation converts.
bool ChangeTo(const VARIANT& v, VARTYPE type, OwnedVariant& out) {
  const VARIANT* source = &v;
  if (v.vt == (VT_BYREF | VT_VARIANT)) source = v.pvarVal;
  return SUCCEEDED(VariantChangeTypeEx(out.out(), const_cast<VARIANT*>(source), LOCALE_INVARIANT, 0, type));
}

struct SafeArrayDeleter {
  void operator()(SAFEARRAY* array) const noexcept { SafeArrayDestroy(array); }
};

template <typename T>
OwnedVariant ArrayArg(VARTYPE type, const std::vector<T>& values, void (*put)(T, void*)) {
  std::unique_ptr<SAFEARRAY, SafeArrayDeleter> array(SafeArrayCreateVector(type, 0, static_cast<ULONG>(values.size())));
  if (!array) throw std::bad_alloc();
  void* data = nullptr;
  SafeArrayAccessData(array.get(), &data);
  for (std::size_t i = 0; i < values.size(); ++i)
    put(values[i], static_cast<char*>(data) + i * SafeArrayGetElemsize(array.get()));
  SafeArrayUnaccessData(array.get());
  OwnedVariant arg;
  arg.get().vt = static_cast<VARTYPE>(VT_ARRAY | type);
  arg.get().parray = array.release();
  return arg;
}

// The elements of a one-dimensional array, each as a VARIANT (copies the caller owns).
std::vector<OwnedVariant> Elements(const VARIANT& v, std::string_view what) {
  const VARIANT& source = v.vt == (VT_BYREF | VT_VARIANT) ? *v.pvarVal : v;
  if (!(source.vt & VT_ARRAY) || source.parray == nullptr || SafeArrayGetDim(source.parray) != 1)
    Unexpected(source, what, "an array");
  LONG low = 0, high = -1;
  SafeArrayGetLBound(source.parray, 1, &low);
  SafeArrayGetUBound(source.parray, 1, &high);
  const auto type = static_cast<VARTYPE>(source.vt & ~VT_ARRAY);
  std::vector<OwnedVariant> elements;
  for (LONG i = low; i <= high; ++i) {
    OwnedVariant element;
    if (type == VT_VARIANT) {
      if (FAILED(SafeArrayGetElement(source.parray, &i, element.out()))) Unexpected(source, what, "an array");
    } else {
      // The element's bytes into the matching member of a VARIANT of that type.
      VARIANT& e = element.get();
      e.vt = type;
      void* target = type == VT_BSTR ? static_cast<void*>(&e.bstrVal) : static_cast<void*>(&e.llVal);
      if (FAILED(SafeArrayGetElement(source.parray, &i, target))) Unexpected(source, what, "an array");
    }
    elements.push_back(std::move(element));
  }
  return elements;
}

}  // namespace

OwnedVariant StringArg(std::u16string_view text) {
  OwnedVariant arg;
  arg.get().vt = VT_BSTR;
  arg.get().bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  if (arg.get().bstrVal == nullptr) throw std::bad_alloc();
  return arg;
}

OwnedVariant IntArg(std::int32_t value) {
  OwnedVariant arg;
  arg.get().vt = VT_I4;
  arg.get().lVal = value;
  return arg;
}

OwnedVariant DoubleArg(double value) {
  OwnedVariant arg;
  arg.get().vt = VT_R8;
  arg.get().dblVal = value;
  return arg;
}

OwnedVariant BoolArg(bool value) {
  OwnedVariant arg;
  arg.get().vt = VT_BOOL;
  arg.get().boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return arg;
}

OwnedVariant PointArg(const acad::Point& point) {
  return ArrayArg<double>(VT_R8, {point.x, point.y, point.z},
                          [](double d, void* at) { *static_cast<double*>(at) = d; });
}

OwnedVariant ShortArrayArg(const std::vector<std::int16_t>& values) {
  return ArrayArg<std::int16_t>(VT_I2, values, [](std::int16_t s, void* at) { *static_cast<SHORT*>(at) = s; });
}

OwnedVariant ValueArg(const acad::Value& value) {
  if (const auto* i = std::get_if<std::int32_t>(&value)) {
    // AutoCAD's integer system variables and filter values are 16-bit: SetVariable refuses a 32-bit one.
    if (*i < INT16_MIN || *i > INT16_MAX) return IntArg(*i);
    OwnedVariant arg;
    arg.get().vt = VT_I2;
    arg.get().iVal = static_cast<SHORT>(*i);
    return arg;
  }
  if (const auto* d = std::get_if<double>(&value)) return DoubleArg(*d);
  if (const auto* s = std::get_if<std::u16string>(&value)) return StringArg(*s);
  if (const auto* p = std::get_if<acad::Point>(&value)) return PointArg(*p);
  return OwnedVariant();
}

OwnedVariant ValueArrayArg(const std::vector<acad::Value>& values) {
  std::unique_ptr<SAFEARRAY, SafeArrayDeleter> array(
      SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size())));
  if (!array) throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
    OwnedVariant element = ValueArg(values[static_cast<std::size_t>(i)]);
    SafeArrayPutElement(array.get(), &i, &element.get());  // copies the element
  }
  OwnedVariant arg;
  arg.get().vt = VT_ARRAY | VT_VARIANT;
  arg.get().parray = array.release();
  return arg;
}

OwnedVariant ObjectArg(IDispatch* object) {
  OwnedVariant arg;
  arg.get().vt = VT_DISPATCH;
  arg.get().pdispVal = object;
  if (object != nullptr) object->AddRef();
  return arg;
}

OwnedVariant MissingArg() {
  OwnedVariant arg;
  arg.get().vt = VT_ERROR;
  arg.get().scode = DISP_E_PARAMNOTFOUND;
  return arg;
}

OwnedVariant OutArg(VARIANT& target) {
  OwnedVariant arg;
  arg.get().vt = VT_BYREF | VT_VARIANT;
  arg.get().pvarVal = &target;
  return arg;
}

std::u16string AsString(const VARIANT& v, std::string_view what) {
  OwnedVariant text;
  if (!ChangeTo(v, VT_BSTR, text)) Unexpected(v, what, "a string");
  const BSTR b = text.get().bstrVal;
  return b == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(b), SysStringLen(b));
}

std::int32_t AsInt(const VARIANT& v, std::string_view what) {
  OwnedVariant number;
  if (!ChangeTo(v, VT_I4, number)) Unexpected(v, what, "an integer");
  return number.get().lVal;
}

double AsDouble(const VARIANT& v, std::string_view what) {
  OwnedVariant number;
  if (!ChangeTo(v, VT_R8, number)) Unexpected(v, what, "a number");
  return number.get().dblVal;
}

bool AsBool(const VARIANT& v, std::string_view what) {
  OwnedVariant flag;
  if (!ChangeTo(v, VT_BOOL, flag)) Unexpected(v, what, "a Boolean");
  return flag.get().boolVal != VARIANT_FALSE;
}

acad::Point AsPoint(const VARIANT& v, std::string_view what) {
  const std::vector<OwnedVariant> elements = Elements(v, what);
  if (elements.size() != 2 && elements.size() != 3) Unexpected(v, what, "a point");
  acad::Point point;
  point.x = AsDouble(elements[0].get(), what);
  point.y = AsDouble(elements[1].get(), what);
  if (elements.size() == 3) point.z = AsDouble(elements[2].get(), what);
  return point;
}

acad::Value AsValue(const VARIANT& v, std::string_view what) {
  const VARIANT& source = v.vt == (VT_BYREF | VT_VARIANT) ? *v.pvarVal : v;
  if (source.vt & VT_ARRAY) return AsPoint(source, what);
  switch (source.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return std::monostate{};
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_UI2:
    case VT_INT:
    case VT_BOOL:
      return AsInt(source, what);
    case VT_R4:
    case VT_R8:
      return AsDouble(source, what);
    default:
      return AsString(source, what);
  }
}

IDispatch* AsObject(const VARIANT& v, std::string_view what) {
  const VARIANT& source = v.vt == (VT_BYREF | VT_VARIANT) ? *v.pvarVal : v;
  IDispatch* object = nullptr;
  if ((source.vt == VT_DISPATCH || source.vt == VT_UNKNOWN) && source.punkVal != nullptr)
    source.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
  if (object == nullptr) Unexpected(source, what, "an object");
  return object;
}

std::vector<IDispatch*> AsObjects(const VARIANT& v, std::string_view what) {
  const VARIANT& source = v.vt == (VT_BYREF | VT_VARIANT) ? *v.pvarVal : v;
  if (source.vt == VT_EMPTY) return {};  // no objects at all
  std::vector<IDispatch*> objects;
  try {
    for (const OwnedVariant& element : Elements(source, what)) objects.push_back(AsObject(element.get(), what));
  } catch (...) {
    for (IDispatch* object : objects) object->Release();
    throw;
  }
  return objects;
}

}  // namespace zil::autocad
