#include "automation/member_table.h"

#include <algorithm>

namespace zil::automation {
namespace {

char16_t FoldCase(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char16_t y) {
           return FoldCase(static_cast<char16_t>(static_cast<unsigned char>(x))) == FoldCase(y);
         });
}

}  // namespace

const MemberInfo* FindMember(int dispid) {
  const auto it =
      std::find_if(kMembers.begin(), kMembers.end(), [dispid](const MemberInfo& m) { return m.dispid == dispid; });
  return it == kMembers.end() ? nullptr : &*it;
}

const MemberInfo* FindMember(std::u16string_view name) {
  const auto it = std::find_if(kMembers.begin(), kMembers.end(),
                               [name](const MemberInfo& m) { return EqualIgnoringCase(m.name, name); });
  return it == kMembers.end() ? nullptr : &*it;
}

}  // namespace zil::automation
