#include "automation/member_table.h"

#include <gtest/gtest.h>

namespace zil::automation {
namespace {

// The interface as the add-in's command layer knows it: order, names, dispatch identifiers, kinds and
// parameter types.
TEST(MemberTable, MatchesTheInterface) {
  using K = MemberKind;
  using P = ParamType;
  const struct {
    std::string_view name;
    int dispid;
    K kind;
    std::vector<P> params;
  } expected[] = {
      {"newtext", 201, K::Method, {P::String}},
      {"edit", 202, K::Method, {P::String}},
      {"FontTable", 203, K::Method, {}},
      {"mtext", 204, K::Method, {P::String}},
      {"aver", 206, K::PropertyPut, {P::String}},
      {"block", 207, K::Method, {P::String}},
      {"replace", 208, K::Method, {}},
      {"acadtostr", 209, K::Method, {P::String, P::Int8}},
      {"strtoacad", 210, K::Method, {P::String, P::Int8}},
      {"Hebstr", 213, K::PropertyGet, {}},
      {"acadversin", 212, K::Method, {P::String}},
      {"HtoMtext", 214, K::Method, {}},
      {"Hlib", 215, K::Method, {}},
      {"HShowfont", 216, K::Method, {}},
      {"Hplot", 217, K::Method, {}},
      {"Cmd", 218, K::Method, {P::String, P::String, P::String}},
      {"Convert", 219, K::Method, {}},
      {"SetApp", 220, K::Method, {P::Application}},
  };
  ASSERT_EQ(std::size(expected), kMembers.size());
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    const MemberInfo& m = kMembers[i];
    EXPECT_EQ(m.name, expected[i].name) << i;
    EXPECT_EQ(m.dispid, expected[i].dispid) << m.name;
    EXPECT_EQ(m.kind, expected[i].kind) << m.name;
    ASSERT_EQ(m.paramCount, static_cast<int>(expected[i].params.size())) << m.name;
    for (int p = 0; p < m.paramCount; ++p)
      EXPECT_EQ(m.params[static_cast<std::size_t>(p)].type, expected[i].params[static_cast<std::size_t>(p)]) << m.name;
  }
}

TEST(MemberTable, FindsMembersByIdentifierAndByNameInAnyCase) {
  EXPECT_EQ(FindMember(213)->name, "Hebstr");
  EXPECT_EQ(FindMember(205), nullptr);
  EXPECT_EQ(FindMember(u"HEBSTR")->dispid, 213);
  EXPECT_EQ(FindMember(u"setapp")->dispid, 220);
  EXPECT_EQ(FindMember(u"Hebst"), nullptr);
}

}  // namespace
}  // namespace zil::automation
