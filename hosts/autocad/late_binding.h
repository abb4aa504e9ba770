// Late binding to AutoCAD's objects, as the add-in's command layer binds: every member by its name.
//
// A Session is shared by all the objects of one application. It keeps the dispatch identifier of each
// member name for each kind of object, asked of GetIDsOfNames once and then reused: the kind of an entity
// is its ObjectName ("AcDbText"), since AutoCAD's entity classes number their members differently; the
// kind of any other object is its AutoCAD class ("AcadDocument"). A name an object does not know fails
// as late binding does: "The object KIND does not support the member NAME".
//
// A LateBound object holds one reference to AutoCAD's IDispatch and calls its members with Invoke:
// methods with DISPATCH_METHOD, properties with DISPATCH_PROPERTYGET and DISPATCH_PROPERTYPUT (objects
// too). A member that fails throws acad::Error with AutoCAD's own description of the failure (EXCEPINFO);
// one that fails without a description says which member failed and the result code.
//
// At process exit AutoCAD's code may be gone before the add-in's: an abandoned session lets every object
// go without calling Release.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "autocad/owned_variant.h"

namespace zil::autocad {

class Session {
 public:
  // The member's dispatch identifier for objects of `kind`; throws acad::Error for a name `object`
  // does not know.
  DISPID IdOf(IDispatch* object, const std::u16string& kind, const char* member);

  void Abandon() noexcept { abandoned_ = true; }
  bool Abandoned() const noexcept { return abandoned_; }
  // Names asked of GetIDsOfNames so far (each once per kind).
  std::size_t NamesLookedUp() const noexcept { return lookups_; }

 private:
  // DISPID_UNKNOWN for a name the object does not know.
  static DISPID LookUp(IDispatch* object, const std::u16string& kind, const char* member);

  std::map<std::pair<std::u16string, std::string>, DISPID> ids_;
  std::size_t lookups_ = 0;
  bool abandoned_ = false;
};

class LateBound {
 public:
  // Takes over one reference to `object`.
  LateBound(std::shared_ptr<Session> session, IDispatch* object, std::u16string kind);
  virtual ~LateBound();
  LateBound(const LateBound&) = delete;
  LateBound& operator=(const LateBound&) = delete;

  IDispatch* Dispatch() const noexcept { return object_; }
  const std::shared_ptr<Session>& SharedSession() const noexcept { return session_; }
  const std::u16string& Kind() const noexcept { return kind_; }

 protected:
  OwnedVariant Get(const char* member) const;
  OwnedVariant Call(const char* member, Args args = {}) const;
  void Put(const char* member, OwnedVariant value) const;

  std::u16string GetString(const char* member) const;
  std::int32_t GetInt(const char* member) const;
  double GetDouble(const char* member) const;
  bool GetBool(const char* member) const;
  acad::Point GetPoint(const char* member) const;
  // A new reference the caller owns.
  IDispatch* GetObject(const char* member) const;
  IDispatch* CallForObject(const char* member, Args args = {}) const;

  // "AcadDocument.HandleToObject": for messages.
  std::string Describe(const char* member) const;

 private:
  OwnedVariant Invoke(const char* member, WORD flags, Args& args) const;

  std::shared_ptr<Session> session_;
  IDispatch* object_;
  std::u16string kind_;
};

}  // namespace zil::autocad
