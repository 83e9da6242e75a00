#include "topo/encoded_objects.h"

#include <algorithm>

#include "hvx/ber.h"
#include "topo/node_queries.h"

namespace hvx::mis::topo {

std::string_view EncodedObjects::Encoded::entry(std::uint64_t arc) const {
  if (arc >= kArcs || slot[arc] == 0) return {};
  const std::size_t k = slot[arc] - 1;
  const std::uint32_t begin = k == 0 ? 0 : ends[k - 1];
  return std::string_view(bytes).substr(begin, ends[k] - begin);
}

const EncodedObjects::Encoded& EncodedObjects::of(const ManagedObject& object) {
  Encoded& kept = kept_[&object];
  refresh(object, kept);
  return kept;
}

void EncodedObjects::refresh(const ManagedObject& object, Encoded& kept) const {
  // Revisions are never reused, so a new object where a deleted one was is also stale.
  if (kept.revision == object.revision && object.revision != 0) return;
  kept = Encoded();
  encode(object, kept);
  kept.revision = object.revision;
}

void EncodedObjects::encode(const ManagedObject& object, Encoded& out) const {
  std::string identifier;
  std::string value;
  for (const auto& [oid, stored] : object.attributes) {
    const std::vector<std::uint64_t>& arcs = oid.arcs();
    if (arcs.size() != prefix_.size() + 1 || arcs.back() >= kArcs ||
        !std::equal(prefix_.begin(), prefix_.end(), arcs.begin()) || out.ends.size() >= 255) {
      continue;
    }
    identifier.clear();
    ber::oid(oid, Asn1Tag(Asn1Tag::CONTEXT, 0)).encode_to(identifier);
    value.clear();
    stored.encode_to(value);
    append_ber_header(out.bytes, kBerSequence, identifier.size() + value.size());
    out.bytes += identifier;
    out.bytes += value;
    out.ends.push_back(static_cast<std::uint32_t>(out.bytes.size()));
    out.slot[arcs.back()] = static_cast<std::uint8_t>(out.ends.size());
  }
}

}  // namespace hvx::mis::topo
