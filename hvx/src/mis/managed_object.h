// ManagedObject: one object of a server's information tree.
#ifndef HVX_SRC_MIS_MANAGED_OBJECT_H_
#define HVX_SRC_MIS_MANAGED_OBJECT_H_

#include <cstdint>
#include <optional>

#include "dn.h"
#include "hvx/asn1.h"
#include "hvx/oid.h"
#include "object_values.h"

namespace hvx::mis {

struct ClassInfo;

struct ManagedObject {
  const ClassInfo* info = nullptr;
  dn::Rdns name;  // relative to the server's system object
  ObjectValues attributes;
  // Renewed by the server whenever the object is filed or its values change, and never
  // given twice by one server: what is derived from the values can tell when it is stale.
  std::uint64_t revision = 0;

  // A copy of the attribute's value; none when it has no value.
  std::optional<Asn1Value> find(const Oid& attribute) const { return attributes.get(attribute); }
};

// How a set request changes one attribute.
enum class ModifyMode : int { replace = 0, include = 1, exclude = 2 };

struct Modification {
  ModifyMode mode = ModifyMode::replace;
  Oid attribute;
  Asn1Value value;
};

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_MANAGED_OBJECT_H_
