#include "core/event_names.h"

#include <vector>

#include "hvx/oid.h"

std::string vq_topology_oid(std::initializer_list<std::uint64_t> tail) {
  std::vector<std::uint64_t> arcs = {1, 3, 6, 1, 4, 1, 7351, 2, 2, 2};
  arcs.insert(arcs.end(), tail);
  return hvx::Oid(std::move(arcs)).ber();
}

int vq_event_type_of(const hvx::CurrentEvent& event) {
  // The X.721 notifications: objectCreation, objectDeletion, attributeValueChange.
  static const std::string kCreation = hvx::Oid{2, 9, 3, 2, 10, 6}.ber();
  static const std::string kDeletion = hvx::Oid{2, 9, 3, 2, 10, 7}.ber();
  static const std::string kChange = hvx::Oid{2, 9, 3, 2, 10, 1}.ber();
  if (!event.valid()) return -1;
  const hvx::Asn1Value& type = event.get_message().get_event_type();
  if (vq_oid_is(type, kCreation)) return 0;
  if (vq_oid_is(type, kDeletion)) return 1;
  if (vq_oid_is(type, kChange)) return 2;
  return -1;
}
