// The interface definition of the Windows server (src/automation/com/zil.idl) against the member table:
// the two must never drift apart, and the Linux build checks it without a Windows compiler.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "automation/member_table.h"

namespace zil::automation {
namespace {

std::string ReadIdl() {
  std::ifstream in(std::string(ZIL_SOURCE_DIR) + "/src/automation/com/zil.idl");
  EXPECT_TRUE(in) << "cannot read zil.idl";
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct IdlMember {
  std::string attributes;
  std::string name;
  std::vector<std::string> params;  // as written, e.g. "[in] BSTR ent"
};

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  const auto last = s.find_last_not_of(" \t");
  return first == std::string::npos ? "" : s.substr(first, last - first + 1);
}

// The methods of the block `interface Iautozil : IDispatch { ... }`, in order.
std::vector<IdlMember> InterfaceMembers(const std::string& idl) {
  const auto start = idl.find("interface Iautozil : IDispatch");
  const auto open = idl.find('{', start);
  const auto close = idl.find("};", open);
  EXPECT_NE(start, std::string::npos);
  const std::string body = idl.substr(open + 1, close - open - 1);
  const std::regex method(R"(\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\(([^)]*)\)\s*;)");
  std::vector<IdlMember> members;
  for (auto it = std::sregex_iterator(body.begin(), body.end(), method); it != std::sregex_iterator(); ++it) {
    IdlMember m{(*it)[1], (*it)[2], {}};
    std::stringstream params((*it)[3].str());
    for (std::string p; std::getline(params, p, ',');) {
      // A parameter's attribute list holds commas too: join it back.
      if (!m.params.empty() && std::count(m.params.back().begin(), m.params.back().end(), '[') >
                                   std::count(m.params.back().begin(), m.params.back().end(), ']')) {
        m.params.back() += "," + p;
      } else {
        m.params.push_back(p);
      }
    }
    for (auto& p : m.params) p = Trim(p);
    if (m.params.size() == 1 && m.params[0] == "void") m.params.clear();
    members.push_back(m);
  }
  return members;
}

std::string IdlType(ParamType type) {
  switch (type) {
    case ParamType::String:
      return "BSTR";
    case ParamType::Int8:
      return "signed char";
    case ParamType::Application:
      return "IDispatch*";
  }
  return "?";
}

TEST(InterfaceDefinition, ListsTheMemberTable) {
  const std::vector<IdlMember> idl = InterfaceMembers(ReadIdl());
  ASSERT_EQ(idl.size(), kMembers.size());
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    const MemberInfo& member = kMembers[i];
    const IdlMember& m = idl[i];
    EXPECT_EQ(m.name, member.name) << "member " << i;
    std::string attributes = "id(" + std::to_string(member.dispid) + ")";
    if (member.kind == MemberKind::PropertyGet) attributes = "propget, " + attributes;
    if (member.kind == MemberKind::PropertyPut) attributes = "propput, " + attributes;
    EXPECT_EQ(m.attributes, attributes) << member.name;
    std::vector<std::string> params;
    for (int p = 0; p < member.paramCount; ++p) {
      const Parameter& param = member.params[static_cast<std::size_t>(p)];
      params.push_back("[in] " + IdlType(param.type) + " " + std::string(param.name));
    }
    if (member.ReturnsValue()) params.push_back("[out, retval] BSTR* Value");
    EXPECT_EQ(m.params, params) << member.name;
  }
}

TEST(InterfaceDefinition, NamesTheLibraryInterfaceAndClass) {
  const std::string idl = ReadIdl();
  const auto has = [&idl](const std::string& pattern) { return std::regex_search(idl, std::regex(pattern)); };
  EXPECT_TRUE(has(R"(version\(1\.0\),\s*lcid\(0x0409\),\s*helpstring\("zil Library"\)\s*\]\s*library zil\b)"));
  EXPECT_TRUE(has(
      R"(helpstring\("Dispatch interface for autozil Object"\),\s*dual,\s*oleautomation\s*\]\s*interface Iautozil : IDispatch)"));
  EXPECT_TRUE(has(R"(helpstring\("autozil Object"\)\s*\]\s*coclass autozil\s*\{\s*\[default\] interface Iautozil;)"));
  // Each of the three has an identifier of its own.
  const std::regex uuid(R"(uuid\(([0-9A-F-]{36})\))");
  std::vector<std::string> ids;
  for (auto it = std::sregex_iterator(idl.begin(), idl.end(), uuid); it != std::sregex_iterator(); ++it)
    ids.push_back((*it)[1]);
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_NE(ids[0], ids[1]);
  EXPECT_NE(ids[1], ids[2]);
  EXPECT_NE(ids[0], ids[2]);
}

}  // namespace
}  // namespace zil::automation
