// The members of the dispatch interface Iautozil, in interface order: names, dispatch identifiers, kinds
// and parameters. The automation object and the Windows server's interface definition are both checked
// against this table.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "automation/variant.h"

namespace zil::automation {

enum class MemberKind { Method, PropertyGet, PropertyPut };

struct Parameter {
  std::string_view name;
  ParamType type;
};

struct MemberInfo {
  std::string_view name;
  int dispid;
  MemberKind kind;
  std::array<Parameter, 3> params;
  int paramCount;
  // A property get returns a string; every other member returns nothing but its result code.
  bool ReturnsValue() const { return kind == MemberKind::PropertyGet; }
};

inline constexpr int kMemberCount = 18;

inline constexpr std::array<MemberInfo, kMemberCount> kMembers = {{
    {"newtext", 201, MemberKind::Method, {{{"ent", ParamType::String}}}, 1},
    {"edit", 202, MemberKind::Method, {{{"ent", ParamType::String}}}, 1},
    {"FontTable", 203, MemberKind::Method, {}, 0},
    {"mtext", 204, MemberKind::Method, {{{"ent", ParamType::String}}}, 1},
    {"aver", 206, MemberKind::PropertyPut, {{{"Value", ParamType::String}}}, 1},
    {"block", 207, MemberKind::Method, {{{"ent", ParamType::String}}}, 1},
    {"replace", 208, MemberKind::Method, {}, 0},
    {"acadtostr", 209, MemberKind::Method, {{{"ent", ParamType::String}, {"kind", ParamType::Int8}}}, 2},
    {"strtoacad", 210, MemberKind::Method, {{{"ent", ParamType::String}, {"type", ParamType::Int8}}}, 2},
    {"Hebstr", 213, MemberKind::PropertyGet, {}, 0},
    {"acadversin", 212, MemberKind::Method, {{{"ver", ParamType::String}}}, 1},
    {"HtoMtext", 214, MemberKind::Method, {}, 0},
    {"Hlib", 215, MemberKind::Method, {}, 0},
    {"HShowfont", 216, MemberKind::Method, {}, 0},
    {"Hplot", 217, MemberKind::Method, {}, 0},
    {"Cmd",
     218,
     MemberKind::Method,
     {{{"Cmd", ParamType::String}, {"par", ParamType::String}, {"Value", ParamType::String}}},
     3},
    {"Convert", 219, MemberKind::Method, {}, 0},
    {"SetApp", 220, MemberKind::Method, {{{"App", ParamType::Application}}}, 1},
}};

// The member with this dispatch identifier.
const MemberInfo* FindMember(int dispid);
// The member with this name, compared without regard to case as automation compares names.
const MemberInfo* FindMember(std::u16string_view name);

}  // namespace zil::automation
