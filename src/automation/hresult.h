// Automation result codes and the exception that carries one.
//
// Every member of the automation object is a guarded call: an exception ends it with a failure result
// carrying the exception's message. An AutomationError brings its own code; any other exception ends the
// call with E_UNEXPECTED.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zil::automation {

using HRESULT = std::int32_t;

constexpr HRESULT MakeHResult(std::uint32_t code) { return static_cast<HRESULT>(code); }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOTIMPL = MakeHResult(0x80004001u);
inline constexpr HRESULT E_UNEXPECTED = MakeHResult(0x8000FFFFu);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHResult(0x80020003u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHResult(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = MakeHResult(0x80020006u);
inline constexpr HRESULT DISP_E_OVERFLOW = MakeHResult(0x8002000Au);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHResult(0x8002000Eu);

constexpr bool Failed(HRESULT hr) { return hr < 0; }

// "0x8000FFFF"
std::string FormatHResult(HRESULT hr);

class AutomationError : public std::runtime_error {
 public:
  AutomationError(HRESULT code, const std::string& message) : std::runtime_error(message), code_(code) {}
  HRESULT code() const noexcept { return code_; }

 private:
  HRESULT code_;
};

}  // namespace zil::automation
