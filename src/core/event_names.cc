#include "core/event_names.h"

#include <algorithm>

int vq_event_type_of(std::string_view event_name) {
  if (event_name == kX721ObjectCreation) return 0;
  if (event_name == kX721ObjectDeletion) return 1;
  if (event_name == kX721AttributeValueChange) return 2;
  return -1;
}

hvx::Oid vq_event_class(const hvx::CurrentEvent& event) {
  hvx::Oid id;
  if (event.valid()) (void)event.get_message().get_object_class().decode_oid(id);
  return id;
}

bool vq_is_topology_oid(const hvx::Oid& id, std::initializer_list<std::uint64_t> tail) {
  static constexpr std::uint64_t kTopology[] = {1, 3, 6, 1, 4, 1, 7351, 2, 2, 2};
  constexpr std::size_t n = std::size(kTopology);
  const auto& arcs = id.arcs();
  return arcs.size() == n + tail.size() && std::equal(kTopology, kTopology + n, arcs.begin()) &&
         std::equal(tail.begin(), tail.end(), arcs.begin() + n);
}
