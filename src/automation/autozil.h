// Tautozil: the automation object `autozil`, with the members of the dispatch interface Iautozil.
//
// Every member is a guarded call: an exception anywhere inside it ends the member with a failure result
// carrying the message (the code of an AutomationError, E_UNEXPECTED for any other exception); the object
// stays usable and ResultString keeps what it had. The object holds nothing of its own: all state is the
// add-in's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/hresult.h"
#include "automation/variant.h"

namespace zil::automation {

class AddIn;

struct CallResult {
  HRESULT hr = S_OK;
  std::string error;  // the failure's message (UTF-8); empty on success
  bool Succeeded() const { return !Failed(hr); }
};

class Tautozil {
 public:
  explicit Tautozil(AddIn& addin) : addin_(addin) {}

  CallResult newtext(std::u16string_view ent);
  CallResult edit(std::u16string_view ent);
  CallResult FontTable();
  CallResult mtext(std::u16string_view ent);
  CallResult put_aver(std::u16string_view value);
  CallResult block(std::u16string_view ent);
  CallResult replace();
  CallResult acadtostr(std::u16string_view ent, std::int8_t kind);
  CallResult strtoacad(std::u16string_view ent, std::int8_t type);
  CallResult get_Hebstr(std::u16string& value);
  CallResult acadversin(std::u16string_view ver);
  CallResult HtoMtext();
  CallResult Hlib();
  CallResult HShowfont();
  CallResult Hplot();
  CallResult Cmd(std::u16string_view cmd, std::u16string_view par, std::u16string_view value);
  CallResult Convert();
  CallResult SetApp(ApplicationRef app);

 private:
  template <typename Body>
  CallResult Guarded(Body&& body);
  // The host refresh that runs first in every member working on the drawing.
  void Refresh();
  // The upper-cased object name of the entity with `handle` in the active document (edit and block route
  // by it); an unknown handle fails.
  std::u16string ObjectNameOf(std::u16string_view handle);

  AddIn& addin_;
};

}  // namespace zil::automation
