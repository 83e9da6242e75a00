// ManagedObject: one object of a server's information tree.
#ifndef HVX_SRC_MIS_MANAGED_OBJECT_H_
#define HVX_SRC_MIS_MANAGED_OBJECT_H_

#include <cstddef>
#include <cstdint>
#include <optional>

#include "dn.h"
#include "hvx/asn1.h"
#include "hvx/oid.h"
#include "object_values.h"
#include "packed_bytes.h"

namespace hvx::mis {

struct ClassInfo;

class ManagedObject {
 public:
  const ClassInfo* info = nullptr;
  ObjectValues attributes;
  // Renewed by the server whenever the object is filed or its values change, and never
  // given twice by one server: what is derived from the values can tell when it is stale.
  std::uint64_t revision = 0;

  // The name relative to the server's system object (no RDNs for the system object).
  dn::Rdns name() const;
  void set_name(const dn::Rdns& name);
  // The name as it travels: [2] IMPLICIT SEQUENCE OF RDN.
  Asn1Value name_instance() const;
  // The last RDN of the name; null for the system object.
  Asn1Value last_rdn() const;

  // A copy of the attribute's value; none when it has no value.
  std::optional<Asn1Value> find(const Oid& attribute) const { return attributes.get(attribute); }

 private:
  // A large tree holds many names: held as the encoding of name_instance(), one block,
  // rather than as built values (several blocks per RDN).
  PackedBytes name_;
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
