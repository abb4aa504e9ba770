#include "acad/entity.h"

#include "textcore/utf8.h"

namespace zil::acad {

void Entity::Lacks(const char* member) const {
  throw Error("The object " + textcore::ToUtf8(ObjectName()) + " does not support the member " + member);
}

}  // namespace zil::acad
