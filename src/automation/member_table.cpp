#include "automation/member_table.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace zil::automation {

const MemberInfo* FindMember(int dispid) {
  const auto it =
      std::find_if(kMembers.begin(), kMembers.end(), [dispid](const MemberInfo& m) { return m.dispid == dispid; });
  return it == kMembers.end() ? nullptr : &*it;
}

const MemberInfo* FindMember(std::u16string_view name) {
  const auto it = std::find_if(kMembers.begin(), kMembers.end(),
                               [name](const MemberInfo& m) { return EqualIgnoringAsciiCase(m.name, name); });
  return it == kMembers.end() ? nullptr : &*it;
}

}  // namespace zil::automation
