#include "automation/dispatch.h"

#include "textcore/utf8.h"

namespace zil::automation {
namespace {

InvokeResult From(const CallResult& r) { return {r.hr, r.error, std::nullopt}; }

InvokeResult Call(Tautozil& o, const MemberInfo& member, std::span<const Variant> a) {
  switch (member.dispid) {
    case 201:
      return From(o.newtext(CoerceToString(a[0])));
    case 202:
      return From(o.edit(CoerceToString(a[0])));
    case 203:
      return From(o.FontTable());
    case 204:
      return From(o.mtext(CoerceToString(a[0])));
    case 206:
      return From(o.put_aver(CoerceToString(a[0])));
    case 207:
      return From(o.block(CoerceToString(a[0])));
    case 208:
      return From(o.replace());
    case 209:
      return From(o.acadtostr(CoerceToString(a[0]), CoerceToInt8(a[1])));
    case 210:
      return From(o.strtoacad(CoerceToString(a[0]), CoerceToInt8(a[1])));
    case 212:
      return From(o.acadversin(CoerceToString(a[0])));
    case 213: {
      std::u16string value;
      InvokeResult r = From(o.get_Hebstr(value));
      if (!Failed(r.hr)) r.value = std::move(value);
      return r;
    }
    case 214:
      return From(o.HtoMtext());
    case 215:
      return From(o.Hlib());
    case 216:
      return From(o.HShowfont());
    case 217:
      return From(o.Hplot());
    case 218:
      return From(o.Cmd(CoerceToString(a[0]), CoerceToString(a[1]), CoerceToString(a[2])));
    case 219:
      return From(o.Convert());
    case 220:
      return From(o.SetApp(CoerceToApplication(a[0])));
    default:
      return {DISP_E_MEMBERNOTFOUND, "Unknown member", std::nullopt};
  }
}

}  // namespace

InvokeResult Invoke(Tautozil& object, const MemberInfo& member, std::span<const Variant> args) {
  if (static_cast<int>(args.size()) != member.paramCount) {
    return {DISP_E_BADPARAMCOUNT,
            std::string(member.name) + " takes " + std::to_string(member.paramCount) + " argument" +
                (member.paramCount == 1 ? "" : "s") + ", not " + std::to_string(args.size()),
            std::nullopt};
  }
  try {
    return Call(object, member, args);
  } catch (const AutomationError& e) {  // an argument that cannot be coerced
    return {e.code(), std::string(member.name) + ": " + e.what(), std::nullopt};
  }
}

InvokeResult Invoke(Tautozil& object, int dispid, std::span<const Variant> args) {
  const MemberInfo* member = FindMember(dispid);
  if (member == nullptr)
    return {DISP_E_MEMBERNOTFOUND, "No member has the dispatch identifier " + std::to_string(dispid), std::nullopt};
  return Invoke(object, *member, args);
}

InvokeResult Invoke(Tautozil& object, std::u16string_view name, std::span<const Variant> args) {
  const MemberInfo* member = FindMember(name);
  if (member == nullptr)
    return {DISP_E_UNKNOWNNAME, "Unknown member name \"" + textcore::ToUtf8(name) + "\"", std::nullopt};
  return Invoke(object, *member, args);
}

}  // namespace zil::automation
